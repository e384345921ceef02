#include "pictures.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

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

const QColor Ink(40, 60, 90);
const QColor Skin(240, 200, 160);
const QColor Shirt(0, 128, 128);
const QColor Brass(210, 160, 40);
const QColor Glass(150, 200, 235);
const QColor Red(190, 40, 40);
const QColor Green(30, 140, 60);

void drawPerson(QPainter& p, QRectF r, QColor shirt)
{
    p.setPen(QPen(Ink, std::max(1.0, r.width() / 20)));
    p.setBrush(shirt);
    p.drawChord(QRectF(r.left(), r.top() + r.height() * 0.5, r.width(), r.height()), 0, 180 * 16);
    p.setBrush(Skin);
    const double d = r.width() * 0.46;
    p.drawEllipse(QRectF(r.center().x() - d / 2, r.top() + r.height() * 0.08, d, d));
}

void drawSign(QPainter& p, QRectF r, bool plus)
{
    const QRectF s(r.right() - r.width() * 0.42, r.bottom() - r.height() * 0.42, r.width() * 0.4, r.height() * 0.4);
    p.setPen(Qt::NoPen);
    p.setBrush(plus ? Green : Red);
    p.drawEllipse(s);
    p.setPen(QPen(Qt::white, s.width() / 6, Qt::SolidLine, Qt::RoundCap));
    const QPointF c = s.center();
    const double a = s.width() * 0.26;
    p.drawLine(QPointF(c.x() - a, c.y()), QPointF(c.x() + a, c.y()));
    if (plus)
        p.drawLine(QPointF(c.x(), c.y() - a), QPointF(c.x(), c.y() + a));
}

void drawPeople(QPainter& p, QRectF r)
{
    drawPerson(p, QRectF(r.left() + r.width() * 0.38, r.top(), r.width() * 0.6, r.height() * 0.9), QColor(90, 120, 170));
    drawPerson(p, QRectF(r.left(), r.top() + r.height() * 0.12, r.width() * 0.6, r.height() * 0.88), Shirt);
}

void drawProfile(QPainter& p, QRectF r)
{
    const QRectF card = r.adjusted(1, r.height() * 0.15, -1, -r.height() * 0.12);
    p.setPen(QPen(Ink, r.width() / 20));
    p.setBrush(QColor(250, 250, 240));
    p.drawRoundedRect(card, 3, 3);
    drawPerson(p, QRectF(card.left() + 3, card.top() + 3, card.width() * 0.4, card.height() - 6), Shirt);
    p.setPen(QPen(Ink, r.width() / 24));
    for (int i = 0; i < 3; ++i) {
        const double y = card.top() + card.height() * (0.3 + i * 0.2);
        p.drawLine(QPointF(card.left() + card.width() * 0.52, y), QPointF(card.right() - 4, y));
    }
}

void drawKey(QPainter& p, QRectF r)
{
    p.setPen(QPen(Ink, r.width() / 20));
    p.setBrush(Brass);
    const double d = r.width() * 0.42;
    const QRectF bow(r.left() + 2, r.center().y() - d / 2, d, d);
    QPainterPath key;
    key.addEllipse(bow);
    key.addRect(QRectF(bow.right() - 2, r.center().y() - r.height() * 0.06, r.right() - bow.right(), r.height() * 0.12));
    key.addRect(QRectF(r.right() - r.width() * 0.2, r.center().y(), r.width() * 0.08, r.height() * 0.2));
    key.addRect(QRectF(r.right() - r.width() * 0.38, r.center().y(), r.width() * 0.08, r.height() * 0.15));
    key = key.simplified();
    p.drawPath(key);
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(bow.left() + d * 0.3, bow.top() + d * 0.3, d * 0.4, d * 0.4));
}

void drawMagnifier(QPainter& p, QRectF r)
{
    const double d = r.width() * 0.62;
    const QRectF lens(r.left() + 2, r.top() + 2, d, d);
    p.setPen(QPen(Ink, r.width() / 8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(lens.center() + QPointF(d * 0.36, d * 0.36), QPointF(r.right() - 2, r.bottom() - 2));
    p.setPen(QPen(Ink, r.width() / 14));
    p.setBrush(Glass);
    p.drawEllipse(lens);
}

void drawDoor(QPainter& p, QRectF r)
{
    const QRectF frame = r.adjusted(r.width() * 0.15, 1, -r.width() * 0.15, -1);
    p.setPen(QPen(Ink, r.width() / 20));
    p.setBrush(QColor(60, 60, 60));
    p.drawRect(frame);
    QPolygonF leaf;
    leaf << frame.topLeft() << QPointF(frame.left() + frame.width() * 0.7, frame.top() + frame.height() * 0.1)
         << QPointF(frame.left() + frame.width() * 0.7, frame.bottom() - frame.height() * 0.02) << frame.bottomLeft();
    p.setBrush(QColor(170, 110, 60));
    p.drawPolygon(leaf);
    p.setBrush(Brass);
    p.drawEllipse(QPointF(frame.left() + frame.width() * 0.58, frame.center().y()), r.width() / 20, r.width() / 20);
}

void drawFloppy(QPainter& p, QRectF r)
{
    const QRectF disk = r.adjusted(2, 2, -2, -2);
    p.setPen(QPen(Ink, r.width() / 20));
    p.setBrush(QColor(50, 80, 140));
    p.drawRoundedRect(disk, 2, 2);
    p.setBrush(QColor(220, 220, 225));
    p.drawRect(QRectF(disk.left() + disk.width() * 0.25, disk.top(), disk.width() * 0.5, disk.height() * 0.32));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(disk.left() + disk.width() * 0.15, disk.top() + disk.height() * 0.5, disk.width() * 0.7,
                      disk.height() * 0.45));
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
    case Picture::People: drawPeople(p, r); break;
    case Picture::Profile: drawProfile(p, r); break;
    case Picture::Key: drawKey(p, r); break;
    case Picture::Magnifier: drawMagnifier(p, r); break;
    case Picture::Door: drawDoor(p, r); break;
    case Picture::Floppy: drawFloppy(p, r); break;
    case Picture::GroupIn:
    case Picture::GroupOut:
        drawPeople(p, r.adjusted(0, 0, -r.width() * 0.2, -r.height() * 0.1));
        drawSign(p, r, which == Picture::GroupIn);
        break;
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
