#include "picturebutton.h"

#include "look.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace ui {

PictureButton::PictureButton(const QString& caption, const QString& objectName, Picture which, int side, bool italic,
                             std::uint32_t bgr)
    : QPushButton(caption), picture_(picture(which, side / 2))
{
    setObjectName(objectName);
    setBackground(this, vbColor(bgr));
    QFont f = font();
    f.setItalic(italic);
    setFont(f);
    setMinimumSize(side, side);
}

void PictureButton::paintEvent(QPaintEvent*)
{
    QStylePainter p(this);
    QStyleOptionButton bevel;
    initStyleOption(&bevel);
    bevel.text.clear();
    bevel.icon = QIcon();
    p.drawControl(QStyle::CE_PushButtonBevel, bevel);
    const QRect inner = rect().adjusted(4, 4, -4, -4);
    const int textHeight = fontMetrics().height() + 2;
    const QRect pictureArea(inner.left(), inner.top(), inner.width(), inner.height() - textHeight);
    QRect at = picture_.rect();
    at.moveCenter(pictureArea.center());
    if (!isEnabled())
        p.setOpacity(0.35);
    p.drawPixmap(at, picture_);
    p.setOpacity(1.0);
    p.drawItemText(QRect(inner.left(), inner.bottom() - textHeight, inner.width(), textHeight), Qt::AlignCenter,
                   palette(), isEnabled(), text(), QPalette::ButtonText);
}

} // namespace ui
