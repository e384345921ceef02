#include "logonprompt.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace lookabout {

LogonPrompt::LogonPrompt(const QString& server, QWidget* parent) : QDialog(parent)
{
    setObjectName("LogonPrompt");
    setWindowTitle(tr("Connect to %1").arg(server));
    createControls(server);
    connect(cmdOK, &QPushButton::clicked, this, &LogonPrompt::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &LogonPrompt::cmdCancel_Click);
}

void LogonPrompt::createControls(const QString& server)
{
    lblMessage = new QLabel(tr("%1 asks for a user name and password.").arg(server), this);
    lblMessage->setObjectName("lblMessage");
    txtUser = new QLineEdit(this);
    txtUser->setObjectName("txtUser");
    txtPassword = new QLineEdit(this);
    txtPassword->setObjectName("txtPassword");
    txtPassword->setEchoMode(QLineEdit::Password);
    cmdOK = new QPushButton(tr("OK"), this);
    cmdOK->setObjectName("cmdOK");
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(tr("Cancel"), this);
    cmdCancel->setObjectName("cmdCancel");

    auto* fields = new QFormLayout;
    fields->addRow(tr("&User name:"), txtUser);
    fields->addRow(tr("&Password:"), txtPassword);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(cmdOK, QDialogButtonBox::AcceptRole);
    buttons->addButton(cmdCancel, QDialogButtonBox::RejectRole);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblMessage);
    layout->addLayout(fields);
    layout->addWidget(buttons);
}

QString LogonPrompt::user() const
{
    return txtUser->text();
}

QString LogonPrompt::password() const
{
    return txtPassword->text();
}

void LogonPrompt::cmdOK_Click()
{
    accept();
}

void LogonPrompt::cmdCancel_Click()
{
    reject();
}

} // namespace lookabout
