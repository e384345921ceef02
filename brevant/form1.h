#pragma once
// Brevant's main window: the domain's groups and users, and a group's members.
#include "directory/directory.h"
#include "directory/error.h"
#include "directory/wmi.h"

#include <QPointer>
#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace ui {
class SortedListBox;
}

namespace brevant {

class Form2;
class Form3;
class Form4;

class Form1 : public QWidget {
    Q_OBJECT

public:
    explicit Form1(ads::Directory& directory, ads::WmiBinder getObject = ads::GetObject, QWidget* parent = nullptr);

    void ListDomainAccounts();
    void ListDomainUsers();
    void RefreshGroupMembers();

    // What the other windows read here, at the moment they run.
    QString domainName() const;
    QString selectedUser() const;
    QListWidget* userList() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void layoutUsersArea();
    void Form_Load();
    void LoadDomainName();
    void cmdUsers_Click();
    void cmdExit_Click();
    void Command2_Click();
    void Command5_Click();
    void Command6_Click();
    void List1_Click();
    void cmdadd2_Click();
    void Command1_Click();
    void Command4_Click();
    void showUsersView();

    ads::Directory& directory_;
    ads::WmiBinder getObject_;
    QPointer<Form2> form2_;
    QPointer<Form3> form3_;
    QPointer<Form4> form4_;

    QGroupBox* Frame1 = nullptr;
    QPushButton* cmdUsers = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command5 = nullptr;
    QPushButton* Command6 = nullptr;
    QPushButton* cmdExit = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* txtDomain = nullptr;
    QGroupBox* Frame2 = nullptr;
    QGroupBox* Frame3 = nullptr;
    ui::SortedListBox* List1 = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* txtNg = nullptr;
    QGroupBox* Frame4 = nullptr;
    QListWidget* List2 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* txtU = nullptr;
    QPushButton* Command1 = nullptr;
    QGroupBox* Frame5 = nullptr;
    QListWidget* List3 = nullptr;
    QLabel* Label3 = nullptr;
    QPushButton* cmdadd2 = nullptr;
    QPushButton* Command4 = nullptr;
};

// "Error: " + number + " " + description: how a refused change is reported.

} // namespace brevant
