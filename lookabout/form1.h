#pragma once
// The tool's only window, never shown: it holds the two settings and the
// result, and at load does the whole job (one browse, then the end).
#include "browseforfolder.h"

#include <QWidget>

#include <iosfwd>

class QCheckBox;
class QLineEdit;

namespace lookabout {

class Form1 : public QWidget {
    Q_OBJECT

public:
    // out receives the result with a line end (nothing on Cancel).
    Form1(BrowseForFolder::Sources sources, std::ostream& out, QWidget* parent = nullptr);

    // The window's load: browse, keep and print the result, end.
    void load();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    void Form_Load();
    void Form_QueryUnload();
    QString BrowseNetworkItem(QWidget* owner, bool newUi, bool noNewFolderButton);
    static QString TrimAtNul(const QString& text);
    void CloseAndEnd();

    BrowseForFolder::Sources sources_;
    std::ostream& out_;
    bool ending_ = false;
    QCheckBox* Check1 = nullptr;
    QCheckBox* Check2 = nullptr;
    QLineEdit* Text2 = nullptr;
};

} // namespace lookabout
