#pragma once
// "Add Domain User to Group": puts a domain user into the group selected on
// the main window, on the target computer.
#include "directory/directory.h"
#include "directory/wmi.h"

#include <QWidget>

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenuBar;
class QPushButton;

namespace ui {
class SortedListBox;
}

namespace torvane {

class Form1;
class Form4;

class Form2 : public QWidget {
    Q_OBJECT

public:
    Form2(ads::Directory& directory, const ads::WmiBinder& getObject, Form1& form1);

    QLineEdit* txtGroupField() const { return txtGroup; }
    QLineEdit* txtUserField() const { return txtUser; }
    ui::SortedListBox* list3() const { return List3; }

    void GetUsers();
    void AddUserX();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    void Form_Load(const ads::WmiBinder& getObject);
    void List3_Click();
    void cmdAdd_Click();
    void cmdFind_Click();
    void cmdExit_Click();

    ads::Directory& directory_;
    Form1& form1_;
    Form4* form4_ = nullptr;

    QMenuBar* menu_ = nullptr;
    QAction* mnuFind = nullptr;
    QAction* mnuAddUser = nullptr;
    QAction* mnuExit = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* txtGroup = nullptr;
    QGroupBox* Frame4 = nullptr;
    ui::SortedListBox* List3 = nullptr;
    QLabel* Label7 = nullptr;
    QLineEdit* txtUsers = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* txtUser = nullptr;
    QPushButton* cmdExit = nullptr;
    QPushButton* cmdFind = nullptr;
    QPushButton* cmdAdd = nullptr;
    QLineEdit* txtDomain = nullptr;
};

} // namespace torvane
