#include "form1.h"

#include "domainname.h"
#include "form2.h"
#include "form3.h"

#include "ui/busypointer.h"
#include "ui/errors.h"
#include "ui/look.h"
#include "ui/messages.h"
#include "ui/pictures.h"
#include "ui/sortedlistbox.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTimer>
#include <QVBoxLayout>

namespace torvane {
namespace {

QGroupBox* frame(const char* name, const QString& caption)
{
    auto* f = new QGroupBox(caption);
    f->setObjectName(QLatin1String(name));
    return f;
}

ui::SortedListBox* list(const char* name)
{
    auto* l = new ui::SortedListBox;
    l->setObjectName(QLatin1String(name));
    ui::setBackground(l, ui::vbColor(ui::colors::LightYellow));
    return l;
}

} // namespace

Form1::Form1(ads::Directory& directory, ads::WmiBinder getObject, QWidget* parent)
    : QWidget(parent, ui::NoMaximizeWindow),
      directory_(directory), getObject_(std::move(getObject))
{
    setObjectName(QStringLiteral("Form1"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Torvane"));
    setWindowIcon(ui::pictureIcon(ui::Picture::Network));
    ui::applyWindowLook(this);
    createControls();
    resize(640, 560);
    ui::centreOnScreen(this);
    Form_Load();
}

void Form1::createControls()
{
    Label1 = ui::headerLabel(QStringLiteral("Label1"), QStringLiteral("Target Computer"));
    Combo1 = new QComboBox;
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->setEditable(true);
    Combo1->setInsertPolicy(QComboBox::NoInsert);
    Combo1->setEditText(QStringLiteral("Select"));
    Combo1->setMinimumContentsLength(20);
    ui::setBackground(Combo1, ui::vbColor(ui::colors::LightYellow));
    Command1 = ui::graphicalButton(QStringLiteral("Go"), QStringLiteral("Command1"));
    Command2 = ui::graphicalButton(QStringLiteral("Exit"), QStringLiteral("Command2"));

    Frame1 = frame("Frame1", QStringLiteral("Groups"));
    List1 = list("List1");
    Label2 = ui::headerLabel(QStringLiteral("Label2"), QStringLiteral("# of Groups"));
    txtG = ui::textField(QStringLiteral("txtG"), false, true);
    auto* groups = new QGridLayout(Frame1);
    groups->addWidget(List1, 0, 0, 1, 2);
    groups->addWidget(Label2, 1, 0);
    groups->addWidget(txtG, 1, 1);

    Frame4 = frame("Frame4", QStringLiteral("Users"));
    List3 = list("List3");
    Label7 = ui::headerLabel(QStringLiteral("Label7"), QStringLiteral("# of Users"));
    txtUsers = ui::textField(QStringLiteral("txtUsers"), false, true);
    auto* users = new QGridLayout(Frame4);
    users->addWidget(List3, 0, 0, 1, 2);
    users->addWidget(Label7, 1, 0);
    users->addWidget(txtUsers, 1, 1);

    Frame3 = frame("Frame3", QStringLiteral("Account Settings"));
    Label5 = ui::headerLabel(QStringLiteral("Label5"), QStringLiteral("Full Name"));
    txtFull = ui::textField(QStringLiteral("txtFull"));
    Label3 = ui::headerLabel(QStringLiteral("Label3"), QStringLiteral("Description"));
    txtD = ui::textField(QStringLiteral("txtD"));
    Label6 = ui::headerLabel(QStringLiteral("Label6"), QStringLiteral("Password"));
    txtNewPassword = ui::textField(QStringLiteral("txtNewPassword"));
    txtNewPassword->setEchoMode(QLineEdit::Password);
    Command4 = ui::graphicalButton(QStringLiteral("Change Password"), QStringLiteral("Command4"), 0x0080FFFF);
    cmdAdd = ui::graphicalButton(QStringLiteral("Add User"), QStringLiteral("cmdAdd"));
    Command3 = ui::graphicalButton(QStringLiteral("Remove User"), QStringLiteral("Command3"));
    cmdRefresh = ui::graphicalButton(QStringLiteral("Refresh"), QStringLiteral("cmdRefresh"), ui::colors::LightGrey);
    auto* account = new QGridLayout(Frame3);
    account->addWidget(Label5, 0, 0);
    account->addWidget(txtFull, 0, 1);
    account->addWidget(Label3, 1, 0);
    account->addWidget(txtD, 1, 1);
    account->addWidget(Label6, 2, 0);
    account->addWidget(txtNewPassword, 2, 1);
    account->addWidget(Command4, 0, 2);
    account->addWidget(cmdAdd, 1, 2);
    account->addWidget(Command3, 2, 2);
    account->addWidget(cmdRefresh, 3, 2);
    account->setColumnStretch(1, 1);

    txtDomain = new QLineEdit(this);
    txtDomain->setObjectName(QStringLiteral("txtDomain"));
    txtDomain->hide();

    auto* top = new QHBoxLayout;
    auto* picture = new QLabel;
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setPixmap(ui::picture(ui::Picture::Network, 32));
    top->addWidget(picture);
    top->addWidget(Label1);
    top->addWidget(Combo1, 1);
    top->addWidget(Command1);
    top->addWidget(Command2);
    auto* lists = new QHBoxLayout;
    lists->addWidget(Frame1);
    lists->addWidget(Frame4);
    auto* page = new QVBoxLayout(this);
    page->addLayout(top);
    page->addLayout(lists, 1);
    page->addWidget(Frame3);

    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->setInterval(10);

    ui::handle(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    ui::handle(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    ui::handle(cmdRefresh, &QPushButton::clicked, this, &Form1::cmdRefresh_Click);
    ui::handle(Timer2, &QTimer::timeout, this, &Form1::Timer2_Timer);
    ui::handle(List1, &QListWidget::itemClicked, this, &Form1::List1_Click);
    ui::handle(List3, &QListWidget::itemClicked, this, &Form1::List3_Click);
    ui::handle(Command3, &QPushButton::clicked, this, &Form1::Command3_Click);
    ui::handle(Command4, &QPushButton::clicked, this, &Form1::Command4_Click);
    ui::handle(cmdAdd, &QPushButton::clicked, this, &Form1::cmdAdd_Click);
}

void Form1::Form_Load()
{
    LoadDomainName();
    Timer2->start();
}

void Form1::LoadDomainName()
{
    torvane::LoadDomainName(getObject_, txtDomain);
}

// Fills the computer list once, from the domain.
void Form1::Timer2_Timer()
{
    Timer2->stop();
    ui::BusyPointer busy(this);
    std::unique_ptr<ads::IADsContainer> domain;
    ui::resumeNext([&] { domain = directory_.BindContainer(ads::ContainerPath(txtDomain->text().toStdString())); });
    if (domain) {
        ui::resumeNext([&] { domain->SetFilter({"Computer"}); });
        ui::resumeNext([&] {
            domain->Enumerate([this](const std::string& name) { ui::addSortedItem(Combo1, QString::fromStdString(name)); });
        });
    }
    QApplication::processEvents();
    QApplication::processEvents();
}

void Form1::ListTargetAccounts()
{
    // One listing never runs inside another while this one lets events run.
    if (listing_)
        return;
    listing_ = true;
    Command1->setEnabled(false);
    cmdRefresh->setEnabled(false);
    const auto done = qScopeGuard([this] {
        listing_ = false;
        Command1->setEnabled(true);
        cmdRefresh->setEnabled(true);
    });

    List1->clear();
    List3->clear();
    QApplication::processEvents();

    // Names are gathered first and added at once: one sort instead of one per name.
    // What an enumeration gave before it failed is kept.
    QStringList users, groups;
    auto into = [](QStringList& names) { return [&names](const std::string& n) { names << QString::fromStdString(n); }; };
    std::unique_ptr<ads::IADsContainer> target;
    ui::resumeNext([&] { target = directory_.BindContainer(ads::ContainerPath(Combo1->currentText().toStdString())); });
    if (target) {
        ui::resumeNext([&] { target->SetFilter({"User"}); });
        ui::resumeNext([&] { target->Enumerate(into(users)); });
        ui::resumeNext([&] { target->SetFilter({"Group"}); });
        ui::resumeNext([&] { target->Enumerate(into(groups)); });
    }
    List3->addItems(users);
    List1->addItems(groups);
    QApplication::processEvents();
    txtG->setText(QString::number(List1->count()));
    txtUsers->setText(QString::number(List3->count()));
}

void Form1::ClearAccountFields()
{
    txtFull->setText(QString());
    txtD->setText(QString());
    txtNewPassword->setText(QString());
}

void Form1::Command1_Click()
{
    ListTargetAccounts();
}

void Form1::cmdRefresh_Click()
{
    ListTargetAccounts();
    ClearAccountFields();
}

// The members of the selected group of the target computer.
void Form1::List1_Click()
{
    List3->clear();
    txtFull->setText(QString());
    txtD->setText(QString());
    txtNewPassword->setText(QString());
    const std::string group = ui::selectedText(List1).toStdString();
    const std::string computer = Combo1->currentText().toStdString();
    QStringList members;
    std::unique_ptr<ads::IADsGroup> g;
    ui::resumeNext([&] { g = directory_.BindGroup(ads::GroupPath(computer, group)); });
    if (g)
        ui::resumeNext([&] { g->Members([&](const std::string& n) { members << QString::fromStdString(n); }); });
    List3->addItems(members);
    QApplication::processEvents();
    txtUsers->setText(QString::number(List3->count()));
}

// The selected user's details: the target computer's account first, the domain's when that has no full name.
void Form1::List3_Click()
{
    ui::BusyPointer busy(this);
    txtFull->setText(QString());
    txtD->setText(QString());
    txtNewPassword->setText(QString());
    const std::string computer = Combo1->currentText().toStdString();
    const std::string user = ui::selectedText(List3).toStdString();
    std::unique_ptr<ads::IADsUser> u;
    ui::resumeNext([&] { u = directory_.BindUser(ads::UserPath(computer, user)); });
    if (u) {
        ui::resumeNext([&] { txtFull->setText(QString::fromStdString(u->FullName())); });
        ui::resumeNext([&] { txtD->setText(QString::fromStdString(u->Description())); });
    }
    if (txtFull->text().isEmpty())
        Networkcheck();
    txtNewPassword->setText(QStringLiteral("**********"));
}

void Form1::Networkcheck()
{
    ui::BusyPointer busy(this);
    txtFull->setText(QString());
    txtD->setText(QString());
    txtNewPassword->setText(QString());
    const std::string domain = txtDomain->text().toStdString();
    const std::string user = ui::selectedText(List3).toStdString();
    std::unique_ptr<ads::IADsUser> u;
    ui::resumeNext([&] { u = directory_.BindUser(ads::UserPath(domain, user)); });
    if (u) {
        ui::resumeNext([&] { txtFull->setText(QString::fromStdString(u->FullName())); });
        ui::resumeNext([&] { txtD->setText(QString::fromStdString(u->Description())); });
    }
    txtNewPassword->setText(QStringLiteral("**********"));
}

// Takes the selected user (the domain's account) out of the selected group of the target computer.
void Form1::RemoverUser()
{
    const QString group = ui::selectedText(List1);
    const QString user = ui::selectedText(List3);
    if (group.isEmpty() || user.isEmpty()) {
        ui::msgBox(this, QStringLiteral("Please select a User to remove"));
        return;
    }
    ui::BusyPointer busy(this);
    const std::string computer = Combo1->currentText().toStdString();
    const std::string domain = txtDomain->text().toStdString();
    auto account = directory_.BindUser(ads::UserPath(domain, user.toStdString()));
    auto g = directory_.BindGroup(ads::GroupPath(computer, group.toStdString()));
    g->Remove(account->ADsPath());
    delete List3->currentItem();
}

void Form1::Command3_Click()
{
    RemoverUser();
    ClearAccountFields();
}

void Form1::Command4_Click()
{
    const QString user = ui::selectedText(List3);
    if (user.isEmpty()) {
        ui::msgBox(this, QStringLiteral("Please Select a User to Change Password"), ui::Icon::Information,
                   QStringLiteral("Warning!!"));
        return;
    }
    if (!form3_)
        form3_ = new Form3(directory_, this);
    form3_->txtUserField()->setText(user);
    form3_->txtDomainField()->setText(txtDomain->text());
    form3_->show();
    form3_->raise();
}

QString Form1::selectedGroup() const
{
    return ui::selectedText(List1);
}

QString Form1::targetComputer() const
{
    return Combo1->currentText();
}

// Opens the add window for the selected group; the window is made, hidden, on the first click in any case.
void Form1::cmdAdd_Click()
{
    if (!form2_)
        form2_ = new Form2(directory_, getObject_, *this);
    const QString group = ui::selectedText(List1);
    form2_->txtGroupField()->setText(group);
    if (group.isEmpty()) {
        ui::msgBox(this, QStringLiteral("Please Select a Group to Add User to"), ui::Icon::Information,
                   QStringLiteral("Warning!!"));
        return;
    }
    form2_->show();
    form2_->raise();
}

void Form1::Command2_Click()
{
    close();
    QApplication::closeAllWindows();
    QCoreApplication::quit();
}

} // namespace torvane
