#include "form2.h"

#include "domainname.h"
#include "form1.h"
#include "form4.h"

#include "ui/busypointer.h"
#include "ui/errors.h"
#include "ui/look.h"
#include "ui/messages.h"
#include "ui/sortedlistbox.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace torvane {
namespace {

} // namespace

Form2::Form2(ads::Directory& directory, const ads::WmiBinder& getObject, Form1& form1)
    : QWidget(&form1, ui::NoMaximizeWindow),
      directory_(directory), form1_(form1)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Add Domain User to Group"));
    ui::applyWindowLook(this);
    createControls();
    resize(380, 480);
    ui::centreOnScreen(this);
    Form_Load(getObject);
}

void Form2::createControls()
{
    menu_ = new QMenuBar(this);
    QMenu* mnuActions = menu_->addMenu(QStringLiteral("Actions"));
    mnuActions->setObjectName(QStringLiteral("mnuActions"));
    mnuFind = mnuActions->addAction(QStringLiteral("Find User"));
    mnuFind->setObjectName(QStringLiteral("mnuFind"));
    mnuAddUser = mnuActions->addAction(QStringLiteral("Add User"));
    mnuAddUser->setObjectName(QStringLiteral("mnuAddUser"));
    mnuExit = mnuActions->addAction(QStringLiteral("Exit"));
    mnuExit->setObjectName(QStringLiteral("mnuExit"));

    Label1 = ui::captionLabel(QStringLiteral("Label1"), QStringLiteral("Group Name"));
    txtGroup = ui::textField(QStringLiteral("txtGroup"), false, true);
    Frame4 = new QGroupBox(QStringLiteral("Domain Users"));
    Frame4->setObjectName(QStringLiteral("Frame4"));
    List3 = new ui::SortedListBox;
    List3->setObjectName(QStringLiteral("List3"));
    ui::setBackground(List3, ui::vbColor(ui::colors::LightYellow));
    Label7 = new QLabel(QStringLiteral("# of Users"));
    Label7->setObjectName(QStringLiteral("Label7"));
    ui::styleHeaderLabel(Label7);
    txtUsers = ui::textField(QStringLiteral("txtUsers"), false, true);
    auto* users = new QGridLayout(Frame4);
    users->addWidget(List3, 0, 0, 1, 2);
    users->addWidget(Label7, 1, 0);
    users->addWidget(txtUsers, 1, 1);
    Label2 = ui::captionLabel(QStringLiteral("Label2"), QStringLiteral("Selected User"));
    txtUser = ui::textField(QStringLiteral("txtUser"), false, true);
    cmdExit = ui::graphicalButton(QStringLiteral("Exit"), QStringLiteral("cmdExit"), ui::colors::LightGrey);
    cmdFind = ui::graphicalButton(QStringLiteral("Find User"), QStringLiteral("cmdFind"), ui::colors::LightGrey);
    cmdAdd = ui::graphicalButton(QStringLiteral("Add User"), QStringLiteral("cmdAdd"), ui::colors::LightGrey);
    txtDomain = new QLineEdit(this);
    txtDomain->setObjectName(QStringLiteral("txtDomain"));
    txtDomain->hide();

    auto* group = new QHBoxLayout;
    group->addWidget(Label1);
    group->addWidget(txtGroup, 1);
    auto* selected = new QHBoxLayout;
    selected->addWidget(Label2);
    selected->addWidget(txtUser, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdExit);
    buttons->addWidget(cmdFind);
    buttons->addWidget(cmdAdd);
    auto* page = new QVBoxLayout(this);
    page->setMenuBar(menu_);
    page->addLayout(group);
    page->addWidget(Frame4, 1);
    page->addLayout(selected);
    page->addLayout(buttons);

    ui::handle(List3, &QListWidget::currentRowChanged, this, &Form2::List3_Click);
    ui::handle(List3, &QListWidget::itemClicked, this, &Form2::List3_Click);
    ui::handle(cmdAdd, &QPushButton::clicked, this, &Form2::cmdAdd_Click);
    ui::handle(cmdFind, &QPushButton::clicked, this, &Form2::cmdFind_Click);
    ui::handle(cmdExit, &QPushButton::clicked, this, &Form2::cmdExit_Click);
    ui::handle(mnuAddUser, &QAction::triggered, this, &Form2::cmdAdd_Click);
    ui::handle(mnuFind, &QAction::triggered, this, &Form2::cmdFind_Click);
    ui::handle(mnuExit, &QAction::triggered, this, &Form2::cmdExit_Click);
}

void Form2::Form_Load(const ads::WmiBinder& getObject)
{
    LoadDomainName(getObject, txtDomain);
    GetUsers();
    txtGroup->setText(form1_.selectedGroup());
}

void Form2::GetUsers()
{
    List3->clear();
    QApplication::processEvents();
    QStringList names;
    std::unique_ptr<ads::IADsContainer> domain;
    ui::resumeNext([&] { domain = directory_.BindContainer(ads::ContainerPath(txtDomain->text().toStdString())); });
    if (domain) {
        ui::resumeNext([&] { domain->SetFilter({"User"}); });
        ui::resumeNext([&] { domain->Enumerate([&](const std::string& n) { names << QString::fromStdString(n); }); });
    }
    List3->addItems(names);
    txtUsers->setText(QString::number(List3->count()));
}

// The clicked (or searched) entry becomes the selected user; an emptied list leaves the last one.
void Form2::List3_Click()
{
    if (const QListWidgetItem* item = List3->currentItem())
        txtUser->setText(item->text());
}

// Puts the selected domain user into the group on the target computer. A
// refused addition is reported and changes nothing here: the name is listed
// on the main window only once the directory holds it.
void Form2::AddUserX()
{
    if (txtUser->text().isEmpty()) {
        ui::msgBox(this, QStringLiteral("Please Select a User to Add"), ui::Icon::Information, QStringLiteral("Warning!!"));
        return;
    }
    bool added = false;
    {
        ui::BusyPointer busy(this);
        const std::string group = txtGroup->text().toStdString();
        const std::string computer = form1_.targetComputer().toStdString();
        const std::string user = txtUser->text().toStdString();
        const std::string domain = txtDomain->text().toStdString();
        ui::errorTrap(
            [&] {
                auto account = directory_.BindUser(ads::UserPath(domain, user));
                auto g = directory_.BindGroup(ads::GroupPath(computer, group));
                g->Add(account->ADsPath());
                g->SetInfo();
                added = true;
            },
            [this](const ads::Error& e) { ui::showRefusal(this, e); });
    }
    if (!added)
        return;
    form1_.userList()->addItem(txtUser->text());
    hide();
}

void Form2::cmdAdd_Click()
{
    AddUserX();
}

void Form2::cmdFind_Click()
{
    if (!form4_)
        form4_ = new Form4(*this);
    form4_->show();
    form4_->raise();
}

void Form2::cmdExit_Click()
{
    hide();
}

// Closing the window hides it: it keeps its list and selection for the next opening.
void Form2::closeEvent(QCloseEvent* event)
{
    event->ignore();
    hide();
}

} // namespace torvane
