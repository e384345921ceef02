#include "look.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>

namespace ui {

QFont suiteFont(int points, bool bold)
{
    QFont f(SuiteFontFamily, points);
    f.setBold(bold);
    return f;
}

void setBackground(QWidget* w, QColor colour)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Window, colour);
    p.setColor(QPalette::Base, colour);
    p.setColor(QPalette::Button, colour);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

void setForeground(QWidget* w, QColor colour)
{
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, colour);
    p.setColor(QPalette::Text, colour);
    p.setColor(QPalette::ButtonText, colour);
    w->setPalette(p);
}

void applyWindowLook(QWidget* window, int points)
{
    setBackground(window, vbColor(colors::White));
    window->setFont(suiteFont(points));
}

void styleBorderedLabel(QLabel* label)
{
    label->setFrameStyle(QFrame::Box | QFrame::Plain);
    label->setLineWidth(1);
}

void styleHeaderLabel(QLabel* label, int points)
{
    styleBorderedLabel(label);
    setBackground(label, vbColor(colors::Teal));
    setForeground(label, vbColor(colors::White));
    label->setAlignment(Qt::AlignCenter);
    label->setFont(suiteFont(points));
}

void styleField(QLineEdit* field, bool locked, bool centred)
{
    setBackground(field, vbColor(colors::LightYellow));
    field->setReadOnly(locked);
    if (centred)
        field->setAlignment(Qt::AlignCenter);
}

QLabel* headerLabel(const QString& objectName, const QString& caption, int points)
{
    auto* l = new QLabel(caption);
    l->setObjectName(objectName);
    styleHeaderLabel(l, points);
    return l;
}

QLabel* captionLabel(const QString& objectName, const QString& caption)
{
    auto* l = new QLabel(caption);
    l->setObjectName(objectName);
    styleBorderedLabel(l);
    setBackground(l, vbColor(colors::White));
    l->setAlignment(Qt::AlignCenter);
    return l;
}

QLineEdit* textField(const QString& objectName, bool locked, bool centred)
{
    auto* f = new QLineEdit;
    f->setObjectName(objectName);
    styleField(f, locked, centred);
    return f;
}

QPushButton* graphicalButton(const QString& caption, const QString& objectName, std::uint32_t bgr, const QPixmap* picture)
{
    auto* b = new QPushButton(caption);
    b->setObjectName(objectName);
    setBackground(b, vbColor(bgr));
    b->setFlat(false);
    if (picture && !picture->isNull()) {
        b->setIcon(*picture);
        b->setIconSize(picture->size());
    }
    return b;
}

void centreOnScreen(QWidget* window)
{
    if (QScreen* screen = window->screen()) {
        QRect frame = window->frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        window->move(frame.topLeft());
    }
}

} // namespace ui
