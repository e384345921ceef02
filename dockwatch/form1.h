#pragma once
// The connection viewer: the local computer's TCP connections, its name,
// the number of rows and the time of the last reading.
#include "connectionmodel.h"
#include "tcptable.h"

#include "directory/wmi.h"

#include <QPointer>
#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class QTreeView;

namespace ui {
class Line;
}

namespace dockwatch {

class Form2;

class Form1 : public QWidget {
    Q_OBJECT

public:
    explicit Form1(TcpTableSource& table, ads::WmiBinder getObject = ads::GetObject, QWidget* parent = nullptr);

    // Writes the local computer's name into Text1; the result is always empty.
    QString HOST();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void Form_Load();
    void Command1_Click();
    void Command2_Click();
    void ListView1_Click();
    void Timer1_Timer();
    void Timer2_Timer();
    void Timer3_Timer();

    TcpTableSource& table_;
    ads::WmiBinder getObject_;
    ConnectionModel model_;
    QPointer<Form2> form2_;

    QLabel* Image1 = nullptr;
    QLabel* Image2 = nullptr;
    QLabel* Image3 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* Text1 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QTreeView* ListView1 = nullptr;
    ui::Line* Line1 = nullptr;
    QTimer* Timer1 = nullptr;
    QTimer* Timer2 = nullptr;
    QTimer* Timer3 = nullptr;
};

} // namespace dockwatch
