#include "browseforfolder.h"

#include "dnssdsource.h"
#include "logonprompt.h"
#include "smbworker.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace lookabout {

namespace {

constexpr int KindRole = Qt::UserRole;
constexpr int AddressRole = Qt::UserRole + 1;
constexpr int ListedRole = Qt::UserRole + 2; // 0 not asked, 1 asked, 2 listed
constexpr int HiddenRole = Qt::UserRole + 3;

void insertSorted(QTreeWidgetItem* parent, QTreeWidgetItem* item)
{
    int i = 0;
    while (i < parent->childCount() && parent->child(i)->text(0).compare(item->text(0), Qt::CaseInsensitive) < 0)
        ++i;
    parent->insertChild(i, item);
}

QTreeWidgetItem* childNamed(QTreeWidgetItem* parent, const QString& name)
{
    for (int i = 0; i < parent->childCount(); ++i) {
        if (parent->child(i)->text(0).compare(name, Qt::CaseInsensitive) == 0)
            return parent->child(i);
    }
    return nullptr;
}

} // namespace

std::optional<TypedName> parseTypedName(const QString& text)
{
    QString t = text.trimmed();
    QStringList parts;
    if (t.startsWith("smb://", Qt::CaseInsensitive)) {
        for (const auto& p : t.mid(6).split('/', Qt::SkipEmptyParts))
            parts << QUrl::fromPercentEncoding(p.toUtf8());
    } else if (t.startsWith("\\\\") || t.startsWith("//")) {
        t.replace('/', '\\');
        parts = t.mid(2).split('\\', Qt::SkipEmptyParts);
    } else {
        return std::nullopt;
    }
    if (parts.isEmpty())
        return std::nullopt;
    // A user name or port in a URL is not a computer's name.
    if (parts[0].contains('@') || parts[0].contains(':') || parts[0].contains(' '))
        return std::nullopt;
    TypedName n{parts[0], parts.size() > 1 ? parts[1] : QString(), parts.mid(2)};
    return n;
}

BrowseForFolder::BrowseForFolder(const QString& title, unsigned flags, Sources sources, QWidget* parent)
    : QDialog(parent), flags_(flags), smb_(std::make_unique<SmbWorker>(sources.timeoutMs))
{
    setObjectName("BrowseForFolder");
    setWindowTitle(title);
    createControls(title);
    connect(txtName, &QLineEdit::returnPressed, this, &BrowseForFolder::txtName_ReturnPressed);
    connect(tvwNetwork, &QTreeWidget::itemExpanded, this, &BrowseForFolder::tvwNetwork_ItemExpanded);
    connect(tvwNetwork, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current) { tvwNetwork_CurrentItemChanged(current); });
    connect(cmdNewFolder, &QPushButton::clicked, this, &BrowseForFolder::cmdNewFolder_Click);
    connect(cmdOK, &QPushButton::clicked, this, &BrowseForFolder::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &BrowseForFolder::cmdCancel_Click);
    connect(smb_.get(), &SmbWorker::finished, this, &BrowseForFolder::listingFinished, Qt::QueuedConnection);

    // The older style is a fixed size, without a new-folder button.
    const bool newStyle = flags_ & BIF_NEWDIALOGSTYLE;
    cmdNewFolder->setVisible(newStyle && !(flags_ & BIF_NONEWFOLDERBUTTON));
    setSizeGripEnabled(newStyle);
    if (!newStyle)
        setFixedSize(sizeHint());
    tvwNetwork_CurrentItemChanged(tvwNetwork->currentItem());
    startSources(sources);
}

BrowseForFolder::~BrowseForFolder()
{
    // No source may call back into a dialog that is going.
    dnsSd_.reset();
    smb_.reset();
}

void BrowseForFolder::createControls(const QString& title)
{
    lblTitle = new QLabel(title, this);
    lblTitle->setObjectName("lblTitle");
    txtName = new QLineEdit(this);
    txtName->setObjectName("txtName");
    txtName->setPlaceholderText(tr("Type \\\\computer, \\\\computer\\share or smb://computer/share and press Enter"));
    tvwNetwork = new QTreeWidget(this);
    tvwNetwork->setObjectName("tvwNetwork");
    tvwNetwork->setHeaderHidden(true);
    tvwNetwork->setMinimumSize(320, 280);
    auto* root = new QTreeWidgetItem(QStringList{tr("Network")});
    root->setData(0, KindRole, Network);
    root->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    tvwNetwork->addTopLevelItem(root);
    lblStatus = new QLabel(this);
    lblStatus->setObjectName("lblStatus");
    lblStatus->setWordWrap(true);
    cmdNewFolder = new QPushButton(tr("&Make New Folder"), this);
    cmdNewFolder->setObjectName("cmdNewFolder");
    cmdOK = new QPushButton(tr("OK"), this);
    cmdOK->setObjectName("cmdOK");
    cmdOK->setDefault(false);
    cmdOK->setAutoDefault(false);
    cmdCancel = new QPushButton(tr("Cancel"), this);
    cmdCancel->setObjectName("cmdCancel");
    cmdCancel->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdNewFolder);
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblTitle);
    layout->addWidget(txtName);
    layout->addWidget(tvwNetwork, 1);
    layout->addWidget(lblStatus);
    layout->addLayout(buttons);
}

void BrowseForFolder::startSources(const Sources& sources)
{
    QTreeWidgetItem* root = tvwNetwork->topLevelItem(0);
    root->setData(0, ListedRole, 1);
    if (sources.browseList) {
        pending_.insert(smb_->computers(), {root, false, {}});
        showBusy();
    }
    if (sources.dnsSd) {
        // Avahi calls from its own thread: hand each result to the dialog's.
        dnsSd_ = std::make_unique<DnsSdSource>(
            [this](const Announced& a) {
                QMetaObject::invokeMethod(
                    this,
                    [this, name = QString::fromStdString(a.name), address = QString::fromStdString(a.address)] {
                        addComputer(name, address, false);
                    },
                    Qt::QueuedConnection);
            },
            [this](const std::string& text) {
                QMetaObject::invokeMethod(
                    this, [this, t = QString::fromStdString(text)] { showFailure(t); }, Qt::QueuedConnection);
            });
        dnsSd_->start();
    }
    root->setExpanded(true);
    tvwNetwork->setCurrentItem(root);
}

QTreeWidgetItem* BrowseForFolder::addComputer(const QString& name, const QString& address, bool fromBrowseList)
{
    const QString key = name.toUpper();
    if (QTreeWidgetItem* known = computers_.value(key)) {
        // The browse list's spelling is the computer's NetBIOS name.
        if (fromBrowseList)
            known->setText(0, name);
        if (!address.isEmpty() && known->data(0, AddressRole).toString().isEmpty())
            known->setData(0, AddressRole, address);
        return known;
    }
    QTreeWidgetItem* item = addChild(tvwNetwork->topLevelItem(0), Computer, name);
    item->setData(0, AddressRole, address);
    computers_.insert(key, item);
    return item;
}

QTreeWidgetItem* BrowseForFolder::addChild(QTreeWidgetItem* parent, Kind kind, const QString& name, bool hidden)
{
    auto* item = new QTreeWidgetItem(QStringList{name});
    item->setData(0, KindRole, kind);
    item->setData(0, ListedRole, 0);
    item->setData(0, HiddenRole, hidden);
    item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    if (hidden) {
        QFont f = item->font(0);
        f.setItalic(true);
        item->setFont(0, f);
        item->setForeground(0, QColor(0x80, 0x80, 0x80));
        item->setToolTip(0, tr("Hidden share"));
    }
    insertSorted(parent, item);
    return item;
}

void BrowseForFolder::tvwNetwork_ItemExpanded(QTreeWidgetItem* item)
{
    if (item->data(0, ListedRole).toInt() == 0)
        listChildren(item, false);
}

void BrowseForFolder::listChildren(QTreeWidgetItem* item, bool retried)
{
    const int kind = item->data(0, KindRole).toInt();
    int id = 0;
    if (kind == Computer)
        id = smb_->shares(hostOf(item));
    else if (kind == Share || kind == Folder)
        id = smb_->folders(hostOf(item), shareOf(item), folderPathOf(item));
    else
        return;
    item->setData(0, ListedRole, 1);
    pending_.insert(id, {item, retried, {}});
    showBusy();
}

void BrowseForFolder::listingFinished(int request, const Listing& result)
{
    if (!pending_.contains(request))
        return;
    const Pending p = pending_.take(request);
    showBusy();
    QTreeWidgetItem* item = p.item;
    const int kind = item->data(0, KindRole).toInt();

    if (!p.newFolder.isEmpty()) {
        if (result.error) {
            showFailure(QString::fromStdString(result.error->description));
            return;
        }
        QTreeWidgetItem* made = addChild(item, Folder, p.newFolder);
        made->setData(0, ListedRole, 2);
        made->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
        item->setExpanded(true);
        tvwNetwork->setCurrentItem(made);
        return;
    }

    if (result.error) {
        if (result.error->refused && !p.retried && kind != Network) {
            const QString host = hostOf(item);
            LogonPrompt prompt("\\\\" + computerOf(item)->text(0), this);
            if (prompt.exec() == QDialog::Accepted) {
                smb_->setCredentials(host, prompt.user(), prompt.password());
                listChildren(item, true);
                return;
            }
        }
        showFailure(QString::fromStdString(result.error->description));
        // Expanding the item again asks again.
        if (kind != Network) {
            item->setData(0, ListedRole, 0);
            item->setExpanded(false);
            goTo_.reset();
        }
        return;
    }

    for (const auto& f : result.items) {
        const QString name = QString::fromStdString(f.name);
        if (kind == Network)
            addComputer(name, {}, true);
        else if (!childNamed(item, name))
            addChild(item, kind == Computer ? Share : Folder, name, f.hidden);
    }
    if (kind != Network) {
        item->setData(0, ListedRole, 2);
        item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
        selectWhenListed(item);
    }
}

void BrowseForFolder::selectWhenListed(QTreeWidgetItem* parent)
{
    if (!goTo_ || computerOf(parent)->text(0).compare(goTo_->host, Qt::CaseInsensitive) != 0)
        return;
    const QStringList names = QStringList{goTo_->share} + goTo_->path;
    const int kind = parent->data(0, KindRole).toInt();
    const qsizetype depth = kind == Computer ? 0 : kind == Share ? 1 : 1 + folderPathOf(parent).size();
    if (depth >= names.size() || names[0].isEmpty()) {
        goTo_.reset();
        return;
    }
    QTreeWidgetItem* next = childNamed(parent, names[depth]);
    if (!next) {
        showFailure(tr("%1: %2 was not found.").arg(pathOf(parent).isEmpty() ? "\\\\" + parent->text(0) : pathOf(parent), names[depth]));
        goTo_.reset();
        return;
    }
    tvwNetwork->setCurrentItem(next);
    if (depth + 1 < names.size()) {
        if (next->data(0, ListedRole).toInt() == 2)
            selectWhenListed(next);
        else
            next->setExpanded(true);
    } else {
        goTo_.reset();
    }
}

void BrowseForFolder::showBusy()
{
    if (pending_.isEmpty())
        tvwNetwork->unsetCursor();
    else
        tvwNetwork->setCursor(Qt::BusyCursor);
}

void BrowseForFolder::showFailure(const QString& text)
{
    lblStatus->setText(text);
}

void BrowseForFolder::txtName_ReturnPressed()
{
    const auto typed = parseTypedName(txtName->text());
    if (!typed) {
        showFailure(tr("\"%1\" is not a network name: type \\\\computer, \\\\computer\\share or smb://computer/share.")
                        .arg(txtName->text()));
        return;
    }
    goTo_ = typed;
    QTreeWidgetItem* computer = addComputer(typed->host, {}, false);
    tvwNetwork->setCurrentItem(computer);
    if (computer->data(0, ListedRole).toInt() == 2)
        selectWhenListed(computer);
    computer->setExpanded(true);
}

void BrowseForFolder::tvwNetwork_CurrentItemChanged(QTreeWidgetItem* current)
{
    cmdOK->setEnabled(current && selectable(current));
    const int kind = current ? current->data(0, KindRole).toInt() : Network;
    cmdNewFolder->setEnabled(kind == Share || kind == Folder);
}

void BrowseForFolder::cmdNewFolder_Click()
{
    QTreeWidgetItem* item = tvwNetwork->currentItem();
    if (!item)
        return;
    const int kind = item->data(0, KindRole).toInt();
    if (kind != Share && kind != Folder)
        return;
    QString name = tr("New Folder");
    for (int n = 2; childNamed(item, name); ++n)
        name = tr("New Folder (%1)").arg(n);
    const int id = smb_->makeFolder(hostOf(item), shareOf(item), folderPathOf(item) << name);
    pending_.insert(id, {item, false, name});
    showBusy();
}

void BrowseForFolder::cmdOK_Click()
{
    QTreeWidgetItem* item = tvwNetwork->currentItem();
    if (!item || !selectable(item))
        return;
    chosenPath_ = pathOf(item);
    chosenName_ = item->text(0);
    accept();
}

void BrowseForFolder::cmdCancel_Click()
{
    reject();
}

QTreeWidgetItem* BrowseForFolder::computerOf(QTreeWidgetItem* item) const
{
    while (item && item->data(0, KindRole).toInt() != Computer)
        item = item->parent();
    return item;
}

QString BrowseForFolder::hostOf(QTreeWidgetItem* item) const
{
    QTreeWidgetItem* c = computerOf(item);
    if (!c)
        return {};
    const QString address = c->data(0, AddressRole).toString();
    return address.isEmpty() ? c->text(0) : address;
}

QString BrowseForFolder::shareOf(QTreeWidgetItem* item) const
{
    while (item && item->data(0, KindRole).toInt() != Share)
        item = item->parent();
    return item ? item->text(0) : QString();
}

QStringList BrowseForFolder::folderPathOf(QTreeWidgetItem* item) const
{
    QStringList path;
    for (; item && item->data(0, KindRole).toInt() == Folder; item = item->parent())
        path.prepend(item->text(0));
    return path;
}

QString BrowseForFolder::pathOf(QTreeWidgetItem* item) const
{
    const int kind = item->data(0, KindRole).toInt();
    if (kind != Share && kind != Folder)
        return {};
    QStringList parts{computerOf(item)->text(0), shareOf(item)};
    parts += folderPathOf(item);
    return "\\\\" + parts.join('\\');
}

bool BrowseForFolder::selectable(QTreeWidgetItem* item) const
{
    const int kind = item->data(0, KindRole).toInt();
    if (flags_ & BIF_RETURNONLYFSDIRS)
        return kind == Share || kind == Folder;
    return kind != Network;
}

} // namespace lookabout
