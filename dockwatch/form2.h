#pragma once
// The reverse name resolver: one second after it opens, it looks up the host
// name of the address in Text1 once and shows it in text3.
#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

namespace dockwatch {

class Form2 : public QWidget {
    Q_OBJECT

public:
    explicit Form2(QWidget* parent = nullptr);

    QLineEdit* text1() const { return Text1; }
    // Arms the one-second lookup again, for an address written while the window is open.
    void LookUpAgain();

private:
    void createControls();
    void Form_Load();
    void Timer1_Timer();
    void Command1_Click();
    QString ResolveHostName(const QString& address);

    QLabel* Image2 = nullptr;
    QLabel* Image3 = nullptr;
    QLineEdit* Text11 = nullptr;
    QLineEdit* Text1 = nullptr;
    QLineEdit* Text21 = nullptr;
    QLineEdit* text3 = nullptr;
    QPushButton* Command1 = nullptr;
    QTimer* Timer1 = nullptr;
};

} // namespace dockwatch
