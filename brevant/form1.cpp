#include "form1.h"

#include "form2.h"
#include "form3.h"
#include "form4.h"

#include "ui/busypointer.h"
#include "ui/errors.h"
#include "ui/look.h"
#include "ui/picturebutton.h"
#include "ui/pictures.h"
#include "ui/messages.h"
#include "ui/sortedlistbox.h"

#include <QApplication>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScopeGuard>
#include <QVBoxLayout>

namespace brevant {
namespace {

QLabel* header(const char* name, const QString& caption, QWidget* parent = nullptr)
{
    auto* l = new QLabel(caption, parent);
    l->setObjectName(QLatin1String(name));
    ui::styleHeaderLabel(l);
    return l;
}

QLineEdit* count(const char* name, QWidget* parent = nullptr)
{
    auto* f = new QLineEdit(parent);
    f->setObjectName(QLatin1String(name));
    ui::styleField(f, false, true);
    return f;
}

QGroupBox* frame(const char* name, const QString& caption, QWidget* parent = nullptr)
{
    auto* f = new QGroupBox(caption, parent);
    f->setObjectName(QLatin1String(name));
    return f;
}

template <class List>
List* list(const char* name, QWidget* parent = nullptr)
{
    auto* l = new List(parent);
    l->setObjectName(QLatin1String(name));
    ui::setBackground(l, ui::vbColor(ui::colors::LightYellow));
    return l;
}

ads::NameSink into(QStringList& names)
{
    return [&names](const std::string& n) { names << QString::fromStdString(n); };
}

} // namespace

Form1::Form1(ads::Directory& directory, ads::WmiBinder getObject, QWidget* parent)
    : QWidget(parent, ui::NoMaximizeWindow),
      directory_(directory), getObject_(std::move(getObject))
{
    setObjectName(QStringLiteral("Form1"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Brevant"));
    setWindowIcon(QIcon(ui::picture(ui::Picture::People, 32)));
    ui::applyWindowLook(this);
    createControls();
    resize(720, 600);
    ui::centreOnScreen(this);
    Form_Load();
}

void Form1::createControls()
{
    Frame1 = frame("Frame1", QString());
    cmdUsers = new ui::PictureButton(QStringLiteral("Users"), QStringLiteral("cmdUsers"), ui::Picture::People, 84, true);
    Command2 = new ui::PictureButton(QStringLiteral("User Profile"), QStringLiteral("Command2"), ui::Picture::Profile, 84, true);
    Command5 = new ui::PictureButton(QStringLiteral("Password"), QStringLiteral("Command5"), ui::Picture::Key);
    Command6 = new ui::PictureButton(QStringLiteral("Search Users"), QStringLiteral("Command6"), ui::Picture::Magnifier);
    cmdExit = new ui::PictureButton(QStringLiteral("Exit"), QStringLiteral("cmdExit"), ui::Picture::Door, 84, true);
    Command2->setEnabled(false);
    Command5->setEnabled(false);
    Label4 = new QLabel(QStringLiteral("Domain"));
    Label4->setObjectName(QStringLiteral("Label4"));
    ui::styleBorderedLabel(Label4);
    ui::setBackground(Label4, ui::vbColor(ui::colors::White));
    Label4->setAlignment(Qt::AlignCenter);
    txtDomain = new QLineEdit;
    txtDomain->setObjectName(QStringLiteral("txtDomain"));
    ui::styleField(txtDomain, false, true);
    txtDomain->setMinimumWidth(160);
    auto* band = new QHBoxLayout(Frame1);
    for (QPushButton* b : {cmdUsers, Command2, Command5, Command6, cmdExit})
        band->addWidget(b);
    auto* domain = new QVBoxLayout;
    domain->addWidget(Label4);
    domain->addWidget(txtDomain);
    domain->addStretch(1);
    band->addLayout(domain, 1);

    Frame2 = frame("Frame2", QString());
    Frame3 = frame("Frame3", QStringLiteral("Domain Groups"));
    List1 = list<ui::SortedListBox>("List1");
    Label1 = header("Label1", QStringLiteral("Total # of Groups"));
    txtNg = count("txtNg");
    auto* groups = new QVBoxLayout(Frame3);
    groups->addWidget(List1, 1);
    auto* groupCount = new QHBoxLayout;
    groupCount->addWidget(Label1, 1);
    groupCount->addWidget(txtNg, 1);
    groups->addLayout(groupCount);
    groups->addSpacing(34);

    // The two views of the users area lie on top of each other; created back
    // to front, so that List2, txtU and Command1 lie in front of Frame5 and
    // Frame5 covers Label2.
    Frame4 = frame("Frame4", QStringLiteral("Domain Users"));
    Frame4->setMinimumSize(260, 300);
    Label2 = header("Label2", QStringLiteral("Total # of Users"), Frame4);
    Frame5 = frame("Frame5", QStringLiteral("Group Membership"), Frame4);
    ui::setBackground(Frame5, ui::vbColor(ui::colors::White));
    List3 = list<QListWidget>("List3", Frame5);
    Label3 = header("Label3", QStringLiteral("Total # of Users"), Frame5);
    cmdadd2 = ui::graphicalButton(QStringLiteral("Add User"), QStringLiteral("cmdadd2"), ui::colors::LightGrey);
    cmdadd2->setParent(Frame5);
    Command4 = ui::graphicalButton(QStringLiteral("Remove User"), QStringLiteral("Command4"), ui::colors::LightGrey);
    Command4->setParent(Frame5);
    Command1 = ui::graphicalButton(QStringLiteral("Add User"), QStringLiteral("Command1"), ui::colors::LightGrey);
    Command1->setParent(Frame4);
    txtU = count("txtU", Frame4);
    List2 = list<QListWidget>("List2", Frame4);
    Frame5->hide();
    Command1->hide();
    Frame4->installEventFilter(this);

    auto* lists = new QHBoxLayout(Frame2);
    lists->addWidget(Frame3, 1);
    lists->addWidget(Frame4, 1);
    auto* page = new QVBoxLayout(this);
    page->addWidget(Frame1);
    page->addWidget(Frame2, 1);

    ui::handle(cmdUsers, &QPushButton::clicked, this, &Form1::cmdUsers_Click);
    ui::handle(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    ui::handle(Command5, &QPushButton::clicked, this, &Form1::Command5_Click);
    ui::handle(Command6, &QPushButton::clicked, this, &Form1::Command6_Click);
    ui::handle(cmdExit, &QPushButton::clicked, this, &Form1::cmdExit_Click);
    ui::handle(List1, &QListWidget::itemClicked, this, &Form1::List1_Click);
    ui::handle(cmdadd2, &QPushButton::clicked, this, &Form1::cmdadd2_Click);
    ui::handle(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    ui::handle(Command4, &QPushButton::clicked, this, &Form1::Command4_Click);
}

bool Form1::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Frame4 && event->type() == QEvent::Resize)
        layoutUsersArea();
    return QWidget::eventFilter(watched, event);
}

// Both views share one set of places: List2 over List3, Label2 under Label3,
// txtU beside either label, Command1 over Command4.
void Form1::layoutUsersArea()
{
    const QRect inner = Frame4->contentsRect().adjusted(4, 20, -4, -4);
    Frame5->setGeometry(inner);
    const int m = 6, top = 22, row = 28;
    const int w = inner.width(), h = inner.height(), half = (w - 3 * m) / 2;
    const QRect list(m, top, w - 2 * m, std::max(40, h - top - 2 * row - 3 * m));
    const QRect label(m, list.bottom() + 1 + m, half, row);
    const QRect number(label.right() + 1 + m, label.top(), w - 2 * m - half - m, row);
    const QRect left(m, label.bottom() + 1 + m, half, row);
    const QRect right(number.left(), left.top(), number.width(), row);
    List3->setGeometry(list);
    Label3->setGeometry(label);
    cmdadd2->setGeometry(left);
    Command4->setGeometry(right);
    const QPoint o = inner.topLeft();
    List2->setGeometry(list.translated(o));
    Label2->setGeometry(label.translated(o));
    txtU->setGeometry(number.translated(o));
    Command1->setGeometry(right.translated(o));
}

void Form1::Form_Load()
{
    LoadDomainName();
}

void Form1::LoadDomainName()
{
    std::unique_ptr<ads::Wmi> wmi;
    std::vector<ads::WmiObject> systems;
    ui::resumeNext([&] { wmi = getObject_("winmgmts:\\\\.\\root\\cimv2"); });
    if (wmi)
        ui::resumeNext([&] { systems = wmi->ExecQuery("SELECT * FROM win32_ComputerSystem"); });
    for (const ads::WmiObject& system : systems)
        ui::resumeNext([&] { txtDomain->setText(QString::fromStdString(system.get("Domain"))); });
    ui::resumeNext([&] { ListDomainAccounts(); });
}

void Form1::ListDomainAccounts()
{
    // Names are gathered and added at once (one sort, not one per name); what
    // came before a failure is added all the same.
    QStringList groups, users;
    {
        const auto add = qScopeGuard([&] {
            List1->addItems(groups);
            List2->addItems(users);
        });
        auto domain = directory_.BindContainer(ads::ContainerPath(txtDomain->text().toStdString()));
        domain->SetFilter({"Group"});
        domain->Enumerate(into(groups));
        domain->SetFilter({"User"});
        domain->Enumerate(into(users));
    }
    txtNg->setText(QString::number(List1->count()));
    txtU->setText(QString::number(List2->count()));
}

void Form1::ListDomainUsers()
{
    QStringList users;
    {
        const auto add = qScopeGuard([&] { List2->addItems(users); });
        auto domain = directory_.BindContainer(ads::ContainerPath(txtDomain->text().toStdString()));
        domain->SetFilter({"User"});
        domain->Enumerate(into(users));
    }
    txtNg->setText(QString::number(List1->count()));
    txtU->setText(QString::number(List2->count()));
}

void Form1::showUsersView()
{
    Frame5->hide();
    Frame4->show();
}

void Form1::cmdUsers_Click()
{
    List2->show();
    List1->clear();
    List2->clear();
    showUsersView();
    ListDomainAccounts();
    Command5->setEnabled(true);
    Command2->setEnabled(true);
}

void Form1::cmdExit_Click()
{
    close();
    QApplication::closeAllWindows();
    QCoreApplication::quit();
}

void Form1::Command2_Click()
{
    if (selectedUser().isEmpty()) {
        ui::msgBox(this, QStringLiteral("Please select a User TO VIEW the Profile"));
        return;
    }
    form2_ = new Form2(directory_, *this);
    form2_->show();
    hide();
}

void Form1::Command5_Click()
{
    if (selectedUser().isEmpty()) {
        ui::msgBox(this, QStringLiteral("Please Select a User"));
        return;
    }
    if (!form3_)
        form3_ = new Form3(directory_, *this);
    form3_->show();
    form3_->raise();
    form3_->activateWindow();
}

void Form1::Command6_Click()
{
    cmdUsers_Click();
    if (!form4_)
        form4_ = new Form4(*this);
    form4_->show();
    form4_->raise();
    form4_->activateWindow();
}

// The members of the clicked group, in the place of the domain's users.
void Form1::List1_Click()
{
    const QString group = ui::selectedText(List1);
    // Read before anything changes: a group that cannot be listed leaves the window as it was.
    QStringList members;
    auto g = directory_.BindGroup(ads::GroupPath(txtDomain->text().toStdString(), group.toStdString()));
    g->Members(into(members));

    List3->clear();
    Frame5->show();
    Frame2->setTitle(QStringLiteral("Total Users ") + group);
    List3->addItems(members);
    txtU->setText(QString::number(List3->count()));
    List2->hide();
}

void Form1::cmdadd2_Click()
{
    List2->clear();
    List2->show();
    showUsersView();
    ListDomainUsers();
    Command1->show();
}

// Puts the selected user into the selected group; the members then shown are
// those the directory reports.
void Form1::Command1_Click()
{
    const QString group = ui::selectedText(List1);
    if (group.isEmpty()) {
        ui::msgBox(this, QStringLiteral("Please select a group to add"));
        return;
    }
    {
        ui::BusyPointer busy(this);
        const std::string domain = txtDomain->text().toStdString();
        const QString user = ui::selectedText(List2);
        ui::errorTrap(
            [&] {
                auto account = directory_.BindUser(ads::UserPath(domain, user.toStdString()));
                auto g = directory_.BindGroup(ads::GroupPath(domain, group.toStdString()));
                g->Add(account->ADsPath());
                g->SetInfo();
                List3->addItem(user);
            },
            [this](const ads::Error& e) { ui::showRefusal(this, e); });
    }
    Frame5->show();
    Command1->hide();
    ui::resumeNext([this] { RefreshGroupMembers(); });
    txtU->setText(QString::number(List2->count()));
}

// Takes the selected member out of the selected group. The member is the one
// selected in the list the user sees: after an addition List2 lies in front
// of List3, and a selection hidden behind it is never acted on.
void Form1::Command4_Click()
{
    QListWidget* shown = List2->isHidden() ? List3 : List2;
    const QString member = ui::selectedText(shown);
    if (member.isEmpty()) {
        ui::msgBox(this, QStringLiteral("Please select a User to remove"));
        return;
    }
    {
        ui::BusyPointer busy(this);
        const std::string domain = txtDomain->text().toStdString();
        const QString group = ui::selectedText(List1);
        ui::errorTrap(
            [&] {
                auto account = directory_.BindUser(ads::UserPath(domain, member.toStdString()));
                auto g = directory_.BindGroup(ads::GroupPath(domain, group.toStdString()));
                g->Remove(account->ADsPath());
                delete shown->currentItem();
            },
            [this](const ads::Error& e) { ui::showRefusal(this, e); });
    }
    ui::resumeNext([this] { RefreshGroupMembers(); });
    txtU->setText(QString::number(shown->count()));
}

void Form1::RefreshGroupMembers()
{
    List2->clear();
    Frame5->show();
    const QString group = ui::selectedText(List1);
    Frame5->setTitle(QStringLiteral("Domain Users for  ") + group);
    QStringList members;
    const auto add = qScopeGuard([&] { List2->addItems(members); });
    auto g = directory_.BindGroup(ads::GroupPath(txtDomain->text().toStdString(), group.toStdString()));
    g->Members(into(members));
}

QString Form1::domainName() const
{
    return txtDomain->text();
}

QString Form1::selectedUser() const
{
    return ui::selectedText(List2);
}

QListWidget* Form1::userList() const
{
    return List2;
}

} // namespace brevant
