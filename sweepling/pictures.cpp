#include "pictures.h"

#include <QConicalGradient>
#include <QPainter>
#include <QPainterPath>

namespace sweepling {
namespace {

void drawRadar(QPainter& p, QRectF r)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x1e, 0x3c, 0x5a), r.width() / 16));
    p.setBrush(QColor(0x12, 0x4a, 0x2e));
    p.drawEllipse(r.adjusted(r.width() / 32, r.width() / 32, -r.width() / 32, -r.width() / 32));

    const QPointF c = r.center();
    const qreal radius = r.width() / 2 - r.width() / 16;
    QConicalGradient beam(c, 90);
    beam.setColorAt(0.0, QColor(120, 255, 140, 220));
    beam.setColorAt(0.2, QColor(120, 255, 140, 0));
    beam.setColorAt(1.0, QColor(120, 255, 140, 0));
    QPainterPath wedge;
    wedge.moveTo(c);
    wedge.arcTo(QRectF(c.x() - radius, c.y() - radius, 2 * radius, 2 * radius), 90, -80);
    wedge.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(beam);
    p.drawPath(wedge);

    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(120, 255, 140), qMax<qreal>(1, r.width() / 40)));
    p.drawEllipse(c, radius * 0.66, radius * 0.66);
    p.drawEllipse(c, radius * 0.33, radius * 0.33);
    p.drawLine(c, QPointF(c.x(), c.y() - radius));

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 210, 60));
    const qreal dot = qMax<qreal>(1.5, r.width() / 14);
    for (const QPointF& at : {QPointF(0.62, 0.30), QPointF(0.30, 0.62), QPointF(0.70, 0.66)})
        p.drawEllipse(QPointF(r.left() + at.x() * r.width(), r.top() + at.y() * r.height()), dot / 2, dot / 2);
}

} // namespace

QPixmap ProgramIcon(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    drawRadar(p, QRectF(0, 0, size, size));
    return pixmap;
}

QPixmap AboutPicture()
{
    QPixmap pixmap(250, 150);
    pixmap.fill(QColor(0x00, 0x00, 0x80));
    QPainter p(&pixmap);
    drawRadar(p, QRectF(14, 25, 100, 100));
    p.setPen(Qt::white);
    QFont title(QStringLiteral("Palatino Linotype"), 18);
    title.setBold(true);
    p.setFont(title);
    p.drawText(QRectF(118, 38, 128, 34), Qt::AlignCenter, QStringLiteral("Sweepling"));
    QFont small(QStringLiteral("Palatino Linotype"), 9);
    p.setFont(small);
    p.drawText(QRectF(118, 74, 128, 44), Qt::AlignCenter | Qt::TextWordWrap,
               QStringLiteral("Ping sweep with\nMAC addresses"));
    return pixmap;
}

} // namespace sweepling
