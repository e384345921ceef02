#include "form3.h"

#include "form1.h"

#include "ui/errors.h"
#include "ui/look.h"
#include "ui/picturebutton.h"
#include "ui/pictures.h"
#include "ui/messages.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace brevant {
namespace {

QLabel* caption(const char* name, const QString& text, bool white)
{
    auto* l = new QLabel(text);
    l->setObjectName(QLatin1String(name));
    ui::styleBorderedLabel(l);
    if (white)
        ui::setBackground(l, ui::vbColor(ui::colors::White));
    l->setAlignment(Qt::AlignCenter);
    return l;
}

QLineEdit* field(const char* name, bool locked)
{
    auto* f = new QLineEdit;
    f->setObjectName(QLatin1String(name));
    ui::styleField(f, locked, true);
    if (!locked) {
        f->setEchoMode(QLineEdit::Password);
        f->setFont(QApplication::font("QLineEdit"));
    }
    return f;
}

} // namespace

Form3::Form3(ads::Directory& directory, Form1& main)
    : QWidget(&main, ui::NoMaximizeWindow),
      directory_(directory)
{
    setObjectName(QStringLiteral("Form3"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Change Password"));
    ui::applyWindowLook(this);

    Label1 = caption("Label1", QStringLiteral("User"), false);
    txtUser = field("txtUser", true);
    Label4 = caption("Label4", QStringLiteral("Domain"), false);
    txtDomain = field("txtDomain", true);
    Label2 = caption("Label2", QStringLiteral("New Password"), true);
    txtPass1 = field("txtPass1", false);
    Label3 = caption("Label3", QStringLiteral("Confirm"), true);
    txtPass2 = field("txtPass2", false);
    cmdCancel = ui::graphicalButton(QStringLiteral("Cancel"), QStringLiteral("cmdCancel"), ui::colors::LightGrey);
    Command1 = ui::graphicalButton(QStringLiteral("Submit password"), QStringLiteral("Command1"), ui::colors::LightGrey);

    auto* rows = new QGridLayout;
    auto* key = new QLabel;
    key->setObjectName(QStringLiteral("Image1"));
    key->setPixmap(ui::picture(ui::Picture::Key, 32));
    rows->addWidget(key, 0, 0, 4, 1, Qt::AlignTop);
    const std::pair<QLabel*, QLineEdit*> pairs[] = {{Label1, txtUser}, {Label4, txtDomain}, {Label2, txtPass1},
                                                    {Label3, txtPass2}};
    int row = 0;
    for (const auto& [label, f] : pairs) {
        rows->addWidget(label, row, 1);
        rows->addWidget(f, row++, 2);
    }
    rows->setColumnStretch(2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdCancel);
    buttons->addWidget(Command1);
    auto* page = new QVBoxLayout(this);
    page->addLayout(rows);
    page->addLayout(buttons);
    resize(sizeHint().expandedTo(QSize(380, 0)));
    ui::centreOnScreen(this);

    ui::handle(Command1, &QPushButton::clicked, this, &Form3::Command1_Click);
    ui::handle(cmdCancel, &QPushButton::clicked, this, &Form3::cmdCancel_Click);
    Form_Load(main);
}

void Form3::Form_Load(Form1& main)
{
    txtUser->setText(main.selectedUser());
    txtDomain->setText(main.domainName());
}

void Form3::Command1_Click()
{
    if (txtPass2->text().isEmpty() || txtPass1->text().isEmpty()) {
        ui::msgBox(this, QStringLiteral("No Null Passwords"));
        return;
    }
    if (txtPass2->text() != txtPass1->text()) {
        ui::msgBox(this, QStringLiteral("New and Confirm passwords must be the same"));
        txtPass2->setFocus();
        return;
    }
    ui::errorTrap(
        [this] {
            auto user = directory_.BindUser(ads::UserPath(txtDomain->text().toStdString(), txtUser->text().toStdString()));
            user->SetPassword(txtPass1->text().toStdString());
            ui::msgBox(this, QStringLiteral("Password has been reset"));
            ClearPasswordBoxes();
        },
        [this](const ads::Error& e) {
            ui::showRefusal(this, e);
            txtUser->setFocus();
        });
}

void Form3::ClearPasswordBoxes()
{
    txtPass1->setText(QString());
    txtPass2->setText(QString());
}

void Form3::cmdCancel_Click()
{
    close();
}

} // namespace brevant
