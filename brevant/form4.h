#pragma once
// "Find User": narrows the main window's user list to the name typed.
#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

namespace brevant {

class Form1;

class Form4 : public QWidget {
    Q_OBJECT

public:
    explicit Form4(Form1& main);

private:
    void Command1_Click();
    void cmdCancel_Click();

    Form1& main_;
    QLabel* Label1 = nullptr;
    QLineEdit* Text1 = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* Command1 = nullptr;
};

} // namespace brevant
