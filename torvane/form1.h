#pragma once
// Torvane's main window: the target computer's groups and users.
#include "directory/directory.h"
#include "directory/wmi.h"

#include <QWidget>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTimer;

namespace ui {
class SortedListBox;
}

namespace torvane {

class Form2;
class Form3;

class Form1 : public QWidget {
    Q_OBJECT

public:
    explicit Form1(ads::Directory& directory, ads::WmiBinder getObject = ads::GetObject, QWidget* parent = nullptr);

    void ListTargetAccounts();
    void ClearAccountFields();
    void Networkcheck();
    void RemoverUser();

    // What the add window reads and writes here.
    QString selectedGroup() const;
    QString targetComputer() const;
    ui::SortedListBox* userList() const { return List3; }

private:
    void createControls();
    void Form_Load();
    void LoadDomainName();
    void Timer2_Timer();
    void Command1_Click();
    void Command2_Click();
    void cmdRefresh_Click();
    void List1_Click();
    void List3_Click();
    void Command3_Click();
    void Command4_Click();
    void cmdAdd_Click();

    ads::Directory& directory_;
    ads::WmiBinder getObject_;
    bool listing_ = false;
    Form2* form2_ = nullptr;
    Form3* form3_ = nullptr;

    QLabel* Label1 = nullptr;
    QComboBox* Combo1 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QGroupBox* Frame1 = nullptr;
    ui::SortedListBox* List1 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* txtG = nullptr;
    QGroupBox* Frame4 = nullptr;
    ui::SortedListBox* List3 = nullptr;
    QLabel* Label7 = nullptr;
    QLineEdit* txtUsers = nullptr;
    QGroupBox* Frame3 = nullptr;
    QLabel* Label5 = nullptr;
    QLineEdit* txtFull = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* txtD = nullptr;
    QLabel* Label6 = nullptr;
    QLineEdit* txtNewPassword = nullptr;
    QPushButton* Command4 = nullptr;
    QPushButton* cmdAdd = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* cmdRefresh = nullptr;
    QLineEdit* txtDomain = nullptr;
    QTimer* Timer2 = nullptr;
};

} // namespace torvane
