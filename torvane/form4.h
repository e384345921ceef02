#pragma once
// "Find Domain User": narrows the add window's user list to a name.
#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

namespace torvane {

class Form2;

class Form4 : public QWidget {
    Q_OBJECT

public:
    explicit Form4(Form2& form2);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void cmdFind_Click();
    void cmdCancel_Click();

    Form2& form2_;
    QLabel* Label2 = nullptr;
    QLineEdit* txtUser = nullptr;
    QPushButton* cmdFind = nullptr;
    QPushButton* cmdCancel = nullptr;
};

} // namespace torvane
