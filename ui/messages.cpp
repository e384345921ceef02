#include "messages.h"

#include <QCoreApplication>
#include <QMessageBox>

namespace ui {

QString appTitle() { return QCoreApplication::applicationName(); }

void msgBox(QWidget* parent, const QString& text, Icon icon, const QString& title)
{
    QMessageBox box(parent);
    box.setWindowTitle(title.isEmpty() ? appTitle() : title);
    box.setText(text);
    box.setStandardButtons(QMessageBox::Ok);
    switch (icon) {
    case Icon::None: box.setIcon(QMessageBox::NoIcon); break;
    case Icon::Information: box.setIcon(QMessageBox::Information); break;
    case Icon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    }
    box.exec();
}

} // namespace ui
