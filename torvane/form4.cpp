#include "form4.h"

#include "form2.h"

#include "ui/errors.h"
#include "ui/look.h"
#include "ui/messages.h"
#include "ui/sortedlistbox.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace torvane {

Form4::Form4(Form2& form2)
    : QWidget(&form2, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowCloseButtonHint),
      form2_(form2)
{
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Find Domain User"));
    ui::applyWindowLook(this);
    Label2 = new QLabel(QStringLiteral("Find User Now"));
    Label2->setObjectName(QStringLiteral("Label2"));
    ui::styleHeaderLabel(Label2, 12);
    txtUser = new QLineEdit;
    txtUser->setObjectName(QStringLiteral("txtUser"));
    ui::styleField(txtUser, false, true);
    cmdFind = ui::graphicalButton(QStringLiteral("Search Domain"), QStringLiteral("cmdFind"), ui::colors::LightGrey);
    cmdCancel = ui::graphicalButton(QStringLiteral("Cancel"), QStringLiteral("cmdCancel"), ui::colors::LightGrey);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdFind);
    buttons->addWidget(cmdCancel);
    auto* page = new QVBoxLayout(this);
    page->addWidget(Label2);
    page->addWidget(txtUser);
    page->addLayout(buttons);
    setFixedSize(sizeHint().expandedTo(QSize(300, 0)));
    ui::centreOnScreen(this);

    ui::handle(cmdFind, &QPushButton::clicked, this, &Form4::cmdFind_Click);
    ui::handle(cmdCancel, &QPushButton::clicked, this, &Form4::cmdCancel_Click);
}

// Cuts away the entries in front of the name searched for; the match stays first and selected.
void Form4::cmdFind_Click()
{
    if (txtUser->text().isEmpty()) {
        ui::msgBox(this, QStringLiteral("Please enter a User to Search For!"), ui::Icon::Information,
                   QStringLiteral("Attention!!"));
        return;
    }
    const QString wanted = txtUser->text().toUpper();
    ui::SortedListBox* list = form2_.list3();
    while (list->count() > 0) {
        list->setCurrentRow(0);  // as a click on the list: the add window takes the name
        if (list->item(0)->text().toUpper() == wanted)
            return;
        delete list->takeItem(0);
    }
}

void Form4::cmdCancel_Click()
{
    hide();
}

void Form4::closeEvent(QCloseEvent* event)
{
    event->ignore();
    hide();
}

} // namespace torvane
