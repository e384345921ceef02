#include "form4.h"

#include "form1.h"

#include "ui/errors.h"
#include "ui/look.h"
#include "ui/picturebutton.h"
#include "ui/pictures.h"
#include "ui/messages.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace brevant {

Form4::Form4(Form1& main)
    : QWidget(&main, ui::NoMaximizeWindow),
      main_(main)
{
    setObjectName(QStringLiteral("Form4"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Find User"));
    ui::applyWindowLook(this);
    Label1 = new QLabel(QStringLiteral("User"));
    Label1->setObjectName(QStringLiteral("Label1"));
    ui::styleBorderedLabel(Label1);
    Label1->setAlignment(Qt::AlignCenter);
    Text1 = new QLineEdit;
    Text1->setObjectName(QStringLiteral("Text1"));
    ui::styleField(Text1, false, true);
    cmdCancel = ui::graphicalButton(QStringLiteral("Cancel"), QStringLiteral("cmdCancel"), ui::colors::LightGrey);
    Command1 = ui::graphicalButton(QStringLiteral("Find User"), QStringLiteral("Command1"), ui::colors::LightGrey);
    auto* glass = new QLabel;
    glass->setObjectName(QStringLiteral("Image1"));
    glass->setPixmap(ui::picture(ui::Picture::Magnifier, 32));
    auto* page = new QGridLayout(this);
    page->addWidget(glass, 0, 0, 2, 1, Qt::AlignTop);
    page->addWidget(Label1, 0, 1);
    page->addWidget(Text1, 0, 2);
    page->addWidget(cmdCancel, 1, 1);
    page->addWidget(Command1, 1, 2);
    page->setColumnStretch(2, 1);
    resize(sizeHint().expandedTo(QSize(340, 0)));
    ui::centreOnScreen(this);

    ui::handle(Command1, &QPushButton::clicked, this, &Form4::Command1_Click);
    ui::handle(cmdCancel, &QPushButton::clicked, this, &Form4::cmdCancel_Click);
}

// Deletes the entries in front of the name sought, until it is first and selected.
void Form4::Command1_Click()
{
    if (Text1->text().isEmpty()) {
        ui::msgBox(this, QStringLiteral("Please type in a username to search for"));
        return;
    }
    const QString wanted = Text1->text().toUpper();
    QListWidget* users = main_.userList();
    while (users->count() > 0) {
        users->setCurrentRow(0);
        if (users->item(0)->text().toUpper() == wanted)
            return;
        delete users->takeItem(0);
    }
}

void Form4::cmdCancel_Click()
{
    close();
}

} // namespace brevant
