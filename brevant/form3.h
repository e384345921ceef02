#pragma once
// "Change Password": sets a domain account's password, typed twice.
#include "directory/directory.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

namespace brevant {

class Form1;

class Form3 : public QWidget {
    Q_OBJECT

public:
    Form3(ads::Directory& directory, Form1& main);

    void ClearPasswordBoxes();

private:
    void Form_Load(Form1& main);
    void Command1_Click();
    void cmdCancel_Click();

    ads::Directory& directory_;
    QLabel* Label1 = nullptr;
    QLineEdit* txtUser = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* txtDomain = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* txtPass1 = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* txtPass2 = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* Command1 = nullptr;
};

} // namespace brevant
