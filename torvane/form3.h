#pragma once
// "Change Password": a new password for a domain account, typed twice.
#include "directory/directory.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

namespace torvane {

class Form3 : public QWidget {
    Q_OBJECT

public:
    Form3(ads::Directory& directory, QWidget* owner);

    // Filled by the main window each time it opens this one.
    QLineEdit* txtUserField() const { return txtUser; }
    QLineEdit* txtDomainField() const { return txtDomain; }

    void ResetPass();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void cmdSubmit_Click();
    void cmdExit_Click();

    ads::Directory& directory_;
    QLabel* Label1 = nullptr;
    QLineEdit* txtUser = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* txtDomain = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* txtNewPass = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* txtConfirmPass = nullptr;
    QPushButton* cmdExit = nullptr;
    QPushButton* cmdSubmit = nullptr;
};

} // namespace torvane
