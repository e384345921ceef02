#pragma once
// The range sweeper: probes every address of a block with one echo request,
// lists each host that answers with its round-trip time and physical
// address, and on request logs address and physical address to arp.log.
#include "echo.h"
#include "proc.h"

#include <QPointer>
#include <QWidget>

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QStatusBar;

namespace sweepling {

class Form2;

class Form1 : public QWidget {
    Q_OBJECT

public:
    explicit Form1(echo::EchoService& echo = echo::SystemEcho(), std::uint32_t echoWaitMs = proc::DefaultEchoWaitMs,
                   QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    void Form_Load();
    void Command1_Click();
    void Command2_Click();
    void ipd1_GotFocus() { SelectWhole(ipd1); }
    void ipd2_GotFocus() { SelectWhole(ipd2); }
    void ipd3_GotFocus() { SelectWhole(ipd3); }
    void ipd4_GotFocus() { SelectWhole(ipd4); }
    void ipa1_GotFocus() { SelectWhole(ipa1); }
    void ipa2_GotFocus() { SelectWhole(ipa2); }
    void SelectWhole(QLineEdit* box);
    bool WriteTextFile(const QString& path, const QString& content);
    bool OctetsInRange();
    int BoxNumber(QLineEdit* box);
    void Sweep(bool logs);
    void CloseAfterSweep();

    echo::EchoService& echo_;
    std::uint32_t echoWaitMs_;
    bool sweeping_ = false;
    bool closeWhenSwept_ = false;
    QPointer<Form2> form2_;

    QLabel* Image1 = nullptr;
    QLabel* Image2 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* ipd1 = nullptr;
    QLineEdit* ipd2 = nullptr;
    QLineEdit* ipd3 = nullptr;
    QLineEdit* ipd4 = nullptr;
    QLineEdit* ipa1 = nullptr;
    QLineEdit* ipa2 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QCheckBox* Check1 = nullptr;
    QFrame* Shape1 = nullptr;
    QListWidget* List1 = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QLineEdit* Text1 = nullptr;
};

} // namespace sweepling
