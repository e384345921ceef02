#pragma once
// Asks for the user name and password that a server wants before it lists
// a share or its shares.
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace lookabout {

class LogonPrompt : public QDialog {
    Q_OBJECT

public:
    LogonPrompt(const QString& server, QWidget* parent = nullptr);

    QString user() const;
    QString password() const;

private:
    void createControls(const QString& server);
    void cmdOK_Click();
    void cmdCancel_Click();

    QLabel* lblMessage = nullptr;
    QLineEdit* txtUser = nullptr;
    QLineEdit* txtPassword = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
};

} // namespace lookabout
