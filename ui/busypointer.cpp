#include "busypointer.h"

namespace ui {

BusyPointer::BusyPointer(QWidget* window)
    : window_(window), hadCursor_(window && window->testAttribute(Qt::WA_SetCursor)),
      previous_(window ? window->cursor() : QCursor())
{
    if (window_)
        window_->setCursor(Qt::WaitCursor);
}

BusyPointer::~BusyPointer()
{
    if (!window_)
        return;
    if (hadCursor_)
        window_->setCursor(previous_);
    else
        window_->unsetCursor();
}

} // namespace ui
