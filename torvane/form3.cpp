#include "form3.h"

#include "ui/errors.h"
#include "ui/line.h"
#include "ui/look.h"
#include "ui/messages.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace torvane {
namespace {

QLineEdit* field(const char* name, bool locked, bool password)
{
    auto* f = new QLineEdit;
    f->setObjectName(QLatin1String(name));
    ui::styleField(f, locked, locked);
    if (password)
        f->setEchoMode(QLineEdit::Password);
    return f;
}

} // namespace

Form3::Form3(ads::Directory& directory, QWidget* owner)
    : QWidget(owner, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                         | Qt::WindowCloseButtonHint),
      directory_(directory)
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Change Password"));
    ui::applyWindowLook(this);

    Label1 = ui::headerLabel(QStringLiteral("Label1"), QStringLiteral("Username"));
    txtUser = field("txtUser", true, false);
    Label2 = ui::headerLabel(QStringLiteral("Label2"), QStringLiteral("Domain"));
    txtDomain = field("txtDomain", true, false);
    Label3 = ui::headerLabel(QStringLiteral("Label3"), QStringLiteral("New Password"));
    txtNewPass = field("txtNewPass", false, true);
    Label4 = new QLabel(QStringLiteral("Confirm Password"));
    Label4->setObjectName(QStringLiteral("Label4"));
    ui::styleBorderedLabel(Label4);
    ui::setBackground(Label4, ui::vbColor(ui::colors::White));
    ui::setForeground(Label4, ui::vbColor(ui::colors::Teal));
    Label4->setAlignment(Qt::AlignCenter);
    txtConfirmPass = field("txtConfirmPass", false, true);
    cmdExit = ui::graphicalButton(QStringLiteral("Exit"), QStringLiteral("cmdExit"), ui::colors::LightGrey);
    cmdSubmit = ui::graphicalButton(QStringLiteral("Submit"), QStringLiteral("cmdSubmit"), ui::colors::LightGrey);

    auto* rows = new QGridLayout;
    rows->addWidget(Label1, 0, 0);
    rows->addWidget(txtUser, 0, 1);
    rows->addWidget(Label2, 1, 0);
    rows->addWidget(txtDomain, 1, 1);
    rows->addWidget(Label3, 2, 0);
    rows->addWidget(txtNewPass, 2, 1);
    rows->addWidget(Label4, 3, 0);
    rows->addWidget(txtConfirmPass, 3, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdExit);
    buttons->addWidget(cmdSubmit);
    auto* page = new QVBoxLayout(this);
    page->addLayout(rows);
    page->addWidget(new ui::Line(ui::vbColor(ui::colors::Teal), 4));
    page->addLayout(buttons);
    setFixedSize(sizeHint().expandedTo(QSize(360, 0)));

    ui::handle(cmdSubmit, &QPushButton::clicked, this, &Form3::cmdSubmit_Click);
    ui::handle(cmdExit, &QPushButton::clicked, this, &Form3::cmdExit_Click);
}

void Form3::cmdSubmit_Click()
{
    const QString pass = txtNewPass->text();
    const QString confirm = txtConfirmPass->text();
    if (pass != confirm || confirm.isEmpty() || pass.isEmpty()) {
        ui::msgBox(this, QStringLiteral("Passwords donot Match!"), ui::Icon::Information, QStringLiteral("Warning!!"));
        txtNewPass->setText(QString());
        txtConfirmPass->setText(QString());
        return;
    }
    ResetPass();
}

void Form3::ResetPass()
{
    ui::errorTrap(
        [this] {
            auto user = directory_.BindUser(ads::UserPath(txtDomain->text().toStdString(), txtUser->text().toStdString()));
            user->SetPassword(txtNewPass->text().toStdString());
            ui::msgBox(this, QStringLiteral("Password has been reset"), ui::Icon::Information,
                       QStringLiteral("Information!!"));
        },
        [this](const ads::Error& e) { ui::showRefusal(this, e); });
}

void Form3::cmdExit_Click()
{
    hide();
}

// The close box hides the window too, so that it keeps its fields for the next opening.
void Form3::closeEvent(QCloseEvent* event)
{
    event->ignore();
    hide();
}

} // namespace torvane
