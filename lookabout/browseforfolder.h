#pragma once
// The folder browser rooted at the network: computers from the SMB browse
// list, from DNS-SD and typed by hand, merged by name without regard to
// letter case; the shares of each computer and the folders inside them.
// Listings run beside the dialog and fill the tree as they arrive.
#include <QDialog>
#include <QHash>
#include <QStringList>

#include <memory>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace lookabout {

struct Listing;
class DnsSdSource;
class SmbWorker;

// The browser's settings, as bits of its flags.
enum BrowseFlags : unsigned {
    BIF_RETURNONLYFSDIRS = 0x1,
    BIF_NEWDIALOGSTYLE = 0x40,
    BIF_NONEWFOLDERBUTTON = 0x200,
};

// A name typed as "\\host", "\\host\share\folder" or "smb://host/share".
struct TypedName {
    QString host;
    QString share;
    QStringList path;
};
std::optional<TypedName> parseTypedName(const QString& text);

class BrowseForFolder : public QDialog {
    Q_OBJECT

public:
    struct Sources {
        bool browseList = true;
        bool dnsSd = true;
        int timeoutMs = 5000;
    };

    BrowseForFolder(const QString& title, unsigned flags, Sources sources, QWidget* parent = nullptr);
    ~BrowseForFolder() override;

    unsigned flags() const { return flags_; }
    // After OK: the chosen item's path ("\\server\share\folder"), empty when it
    // has none, and the name it shows.
    QString chosenPath() const { return chosenPath_; }
    QString chosenName() const { return chosenName_; }

private:
    enum Kind { Network, Computer, Share, Folder };
    struct Pending {
        QTreeWidgetItem* item;
        bool retried;
        QString newFolder; // the name a new-folder request makes
    };

    void createControls(const QString& title);
    void txtName_ReturnPressed();
    void tvwNetwork_ItemExpanded(QTreeWidgetItem* item);
    void tvwNetwork_CurrentItemChanged(QTreeWidgetItem* current);
    void cmdNewFolder_Click();
    void cmdOK_Click();
    void cmdCancel_Click();

    void startSources(const Sources& sources);
    QTreeWidgetItem* addComputer(const QString& name, const QString& address, bool fromBrowseList);
    QTreeWidgetItem* addChild(QTreeWidgetItem* parent, Kind kind, const QString& name, bool hidden = false);
    void listChildren(QTreeWidgetItem* item, bool retried);
    void listingFinished(int request, const Listing& result);
    void showFailure(const QString& text);
    void showBusy();
    QTreeWidgetItem* computerOf(QTreeWidgetItem* item) const;
    QString hostOf(QTreeWidgetItem* item) const;
    QString shareOf(QTreeWidgetItem* item) const;
    QStringList folderPathOf(QTreeWidgetItem* item) const;
    QString pathOf(QTreeWidgetItem* item) const;
    bool selectable(QTreeWidgetItem* item) const;
    void selectWhenListed(QTreeWidgetItem* parent);

    unsigned flags_;
    QString chosenPath_;
    QString chosenName_;
    std::unique_ptr<SmbWorker> smb_;
    std::unique_ptr<DnsSdSource> dnsSd_;
    QHash<QString, QTreeWidgetItem*> computers_; // by name in upper case
    QHash<int, Pending> pending_;
    std::optional<TypedName> goTo_; // a typed name, opened as its listings arrive

    QLabel* lblTitle = nullptr;
    QLineEdit* txtName = nullptr;
    QTreeWidget* tvwNetwork = nullptr;
    QLabel* lblStatus = nullptr;
    QPushButton* cmdNewFolder = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
};

} // namespace lookabout
