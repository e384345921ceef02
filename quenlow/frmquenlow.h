#pragma once
// The composer's window: the connection string in a text box, "Get String"
// to build it in the data-link dialog, "Check String" to open and close a
// connection with it. Position and string are kept between runs.
#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace quenlow {

class DataAccess;

class frmQuenlow : public QWidget {
    Q_OBJECT

public:
    explicit frmQuenlow(DataAccess& dataAccess, QWidget* parent = nullptr);

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void Form_Load();
    void Form_Unload();
    void cmdGetString_Click();
    void cmdCheck_Click();
    void cmdExit_Click();

    DataAccess& dataAccess_;
    QLabel* Image1 = nullptr;
    QLabel* lblMessage = nullptr;
    QPlainTextEdit* txtAdoString = nullptr;
    QPushButton* cmdGetString = nullptr;
    QPushButton* cmdCheck = nullptr;
    QPushButton* cmdExit = nullptr;
};

// The program's picture: a small database drum.
QPixmap quenlowPicture(int size);

} // namespace quenlow
