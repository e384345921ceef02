#include "line.h"

#include <QPainter>

namespace ui {

Line::Line(QColor colour, int width, QWidget* parent) : QWidget(parent), colour_(colour), width_(width)
{
    setFixedHeight(width + 2);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void Line::setBorderColor(QColor colour)
{
    if (colour == colour_)
        return;
    colour_ = colour;
    update();
}

void Line::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(QRect(0, (height() - width_) / 2, width(), width_), colour_);
}

} // namespace ui
