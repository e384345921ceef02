#pragma once
// The hourglass over a window for as long as the guard lives: every way out
// of a handler, an error included, gives the window its pointer back.
#include <QPointer>
#include <QWidget>

namespace ui {

class BusyPointer {
public:
    explicit BusyPointer(QWidget* window);
    ~BusyPointer();
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

private:
    QPointer<QWidget> window_;
    bool hadCursor_;
    QCursor previous_;
};

} // namespace ui
