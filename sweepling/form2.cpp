#include "form2.h"

#include "pictures.h"

#include "ui/look.h"

#include <QPainter>

namespace sweepling {

Form2::Form2(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowCloseButtonHint),
      picture_(AboutPicture())
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Form2"));
    setWindowIcon(QIcon(ProgramIcon(32)));
    // Closing the window unloads it: the next "About" makes a new one.
    setAttribute(Qt::WA_DeleteOnClose);
    ui::setBackground(this, ui::vbColor(ui::colors::Navy));
    setFixedSize(picture_.size());
}

void Form2::paintEvent(QPaintEvent*)
{
    QPainter(this).drawPixmap(0, 0, picture_);
}

} // namespace sweepling
