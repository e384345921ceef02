#pragma once
// The profile window: one domain user's names, state and groups.
#include "directory/directory.h"

#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTimer;

namespace brevant {

class Form1;

class Form2 : public QWidget {
    Q_OBJECT

public:
    Form2(ads::Directory& directory, Form1& main);

    void ListUserGroups();
    void ListDomainGroups();
    void ShowAccountState();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Load();
    void Timer1_Timer();
    void cmdSave_Click();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void cmdExit_Click();
    std::unique_ptr<ads::IADsUser> bindProfileUser();

    ads::Directory& directory_;
    Form1& main_;
    // The account this window was opened for: the search window may move the
    // main window's selection meanwhile, and this window never acts on
    // another account than the one it shows.
    QString user_;

    QTimer* Timer1 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* txtUser = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* txtF = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* txtD = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* cmdSave = nullptr;
    QPushButton* cmdExit = nullptr;
    QGroupBox* Frame2 = nullptr;
    QListWidget* List1 = nullptr;
    QPushButton* Command3 = nullptr;
    QGroupBox* Frame3 = nullptr;
    QListWidget* List2 = nullptr;
    QPushButton* Command4 = nullptr;
};

} // namespace brevant
