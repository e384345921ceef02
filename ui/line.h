#pragma once
// A thick horizontal line whose colour can change while the window runs.
#include <QColor>
#include <QWidget>

namespace ui {

class Line : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QColor borderColor READ borderColor WRITE setBorderColor)

public:
    explicit Line(QColor colour, int width, QWidget* parent = nullptr);

    QColor borderColor() const { return colour_; }
    void setBorderColor(QColor colour);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QColor colour_;
    int width_;
};

} // namespace ui
