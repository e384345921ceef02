#pragma once
// The about window: one picture that covers it. Closing it destroys it.
#include <QWidget>

namespace sweepling {

class Form2 : public QWidget {
    Q_OBJECT

public:
    explicit Form2(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap picture_;
};

} // namespace sweepling
