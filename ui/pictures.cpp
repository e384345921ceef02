#include "pictures.h"

#include <QPainter>
#include <QPainterPath>

namespace ui {
namespace {

const QColor Frame(40, 60, 90);
const QColor Screen(70, 140, 200);
const QColor Cable(200, 120, 20);

void drawComputer(QPainter& p, QRectF r)
{
    const QRectF screen(r.left(), r.top(), r.width(), r.height() * 0.68);
    p.setPen(QPen(Frame, r.width() / 16));
    p.setBrush(Screen);
    p.drawRoundedRect(screen.adjusted(1, 1, -1, -1), r.width() / 12, r.width() / 12);
    p.setBrush(Frame);
    const double cx = r.center().x();
    p.drawRect(QRectF(cx - r.width() * 0.08, screen.bottom(), r.width() * 0.16, r.height() * 0.16));
    p.drawRect(QRectF(cx - r.width() * 0.3, r.bottom() - r.height() * 0.12, r.width() * 0.6, r.height() * 0.1));
}

void drawPlug(QPainter& p, QRectF r)
{
    p.setPen(QPen(Frame, r.width() / 16));
    p.setBrush(QColor(230, 230, 235));
    const QRectF body(r.left() + r.width() * 0.2, r.top() + r.height() * 0.25, r.width() * 0.6, r.height() * 0.5);
    p.drawRoundedRect(body, 3, 3);
    p.setBrush(Cable);
    for (int i = 0; i < 4; ++i)
        p.drawRect(QRectF(body.left() + body.width() * (0.12 + i * 0.21), body.top() + 2, body.width() * 0.12,
                          body.height() * 0.35));
    p.setPen(QPen(Cable, r.width() / 8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(r.center().x(), body.bottom()), QPointF(r.center().x(), r.bottom() - 1));
}

void drawGlobe(QPainter& p, QRectF r)
{
    const QRectF g = r.adjusted(2, 2, -2, -2);
    p.setPen(QPen(Frame, r.width() / 20));
    p.setBrush(Screen);
    p.drawEllipse(g);
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(g.adjusted(g.width() * 0.3, 0, -g.width() * 0.3, 0));
    p.drawLine(QPointF(g.left(), g.center().y()), QPointF(g.right(), g.center().y()));
    p.drawLine(QPointF(g.center().x(), g.top()), QPointF(g.center().x(), g.bottom()));
}

} // namespace

QPixmap picture(Picture which, int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(0, 0, size, size);
    switch (which) {
    case Picture::Computer: drawComputer(p, r); break;
    case Picture::Plug: drawPlug(p, r); break;
    case Picture::Globe: drawGlobe(p, r); break;
    case Picture::Network: {
        drawComputer(p, QRectF(0, 0, size * 0.5, size * 0.5));
        drawComputer(p, QRectF(size * 0.5, size * 0.5, size * 0.5, size * 0.5));
        p.setPen(QPen(Cable, size / 14.0));
        p.drawLine(QPointF(size * 0.25, size * 0.5), QPointF(size * 0.25, size * 0.75));
        p.drawLine(QPointF(size * 0.25, size * 0.75), QPointF(size * 0.5, size * 0.75));
        break;
    }
    }
    return pm;
}

QIcon pictureIcon(Picture which)
{
    QIcon icon;
    for (int s : {16, 32, 48, 64})
        icon.addPixmap(picture(which, s));
    return icon;
}

} // namespace ui
