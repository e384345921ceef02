#include "form2.h"

#include "form1.h"

#include "ui/busypointer.h"
#include "ui/errors.h"
#include "ui/look.h"
#include "ui/picturebutton.h"
#include "ui/pictures.h"
#include "ui/sortedlistbox.h"
#include "ui/messages.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <optional>

namespace brevant {
namespace {

QListWidget* list(const char* name)
{
    auto* l = new QListWidget;
    l->setObjectName(QLatin1String(name));
    ui::setBackground(l, ui::vbColor(ui::colors::LightYellow));
    return l;
}

} // namespace

Form2::Form2(ads::Directory& directory, Form1& main)
    : QWidget(&main, ui::NoMaximizeWindow),
      directory_(directory), main_(main)
{
    setObjectName(QStringLiteral("Form2"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Group Membership"));
    ui::applyWindowLook(this);

    Frame1 = new QGroupBox;
    Frame1->setObjectName(QStringLiteral("Frame1"));
    ui::setBackground(Frame1, ui::vbColor(ui::colors::LightGrey));
    Label1 = ui::captionLabel(QStringLiteral("Label1"), QStringLiteral("Username"));
    txtUser = ui::textField(QStringLiteral("txtUser"), false, true);
    Label2 = ui::captionLabel(QStringLiteral("Label2"), QStringLiteral("Full Name"));
    txtF = ui::textField(QStringLiteral("txtF"), false, true);
    Label3 = ui::captionLabel(QStringLiteral("Label3"), QStringLiteral("Description"));
    txtD = ui::textField(QStringLiteral("txtD"), false, true);
    txtD->setMinimumWidth(320);
    Command1 = ui::graphicalButton(QStringLiteral("Enable Account"), QStringLiteral("Command1"), ui::colors::LightGrey);
    Command2 = ui::graphicalButton(QStringLiteral("Disable Account"), QStringLiteral("Command2"), ui::colors::LightGrey);
    cmdSave = new ui::PictureButton(QStringLiteral("Save"), QStringLiteral("cmdSave"), ui::Picture::Floppy, 72, true);
    cmdExit = new ui::PictureButton(QStringLiteral("Exit"), QStringLiteral("cmdExit"), ui::Picture::Door, 72, true);
    auto* band = new QGridLayout(Frame1);
    band->addWidget(Label1, 0, 0);
    band->addWidget(txtUser, 0, 1);
    band->addWidget(Command1, 0, 2);
    band->addWidget(Label2, 1, 0);
    band->addWidget(txtF, 1, 1);
    band->addWidget(Command2, 1, 2);
    band->addWidget(Label3, 2, 0);
    band->addWidget(txtD, 2, 1, 1, 2);
    band->addWidget(cmdSave, 0, 3, 3, 1);
    band->addWidget(cmdExit, 0, 4, 3, 1);
    band->setColumnStretch(1, 1);

    const QPixmap out = ui::picture(ui::Picture::GroupOut, 24);
    const QPixmap in = ui::picture(ui::Picture::GroupIn, 24);
    Frame2 = new QGroupBox(QStringLiteral("Groups Memberships"));
    Frame2->setObjectName(QStringLiteral("Frame2"));
    List1 = list("List1");
    Command3 = ui::graphicalButton(QStringLiteral("Remove Group"), QStringLiteral("Command3"), ui::colors::White, &out);
    auto* left = new QVBoxLayout(Frame2);
    left->addWidget(List1, 1);
    left->addWidget(Command3);
    Frame3 = new QGroupBox(QStringLiteral("Domain Groups"));
    Frame3->setObjectName(QStringLiteral("Frame3"));
    List2 = list("List2");
    Command4 = ui::graphicalButton(QStringLiteral("Add Group"), QStringLiteral("Command4"), ui::colors::White, &in);
    auto* right = new QVBoxLayout(Frame3);
    right->addWidget(List2, 1);
    right->addWidget(Command4);
    auto* lists = new QHBoxLayout;
    lists->addWidget(Frame2, 1);
    lists->addWidget(Frame3, 1);
    auto* page = new QVBoxLayout(this);
    page->addWidget(Frame1);
    page->addLayout(lists, 1);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(10);

    ui::handle(Timer1, &QTimer::timeout, this, &Form2::Timer1_Timer);
    ui::handle(cmdSave, &QPushButton::clicked, this, &Form2::cmdSave_Click);
    ui::handle(Command1, &QPushButton::clicked, this, &Form2::Command1_Click);
    ui::handle(Command2, &QPushButton::clicked, this, &Form2::Command2_Click);
    ui::handle(Command3, &QPushButton::clicked, this, &Form2::Command3_Click);
    ui::handle(Command4, &QPushButton::clicked, this, &Form2::Command4_Click);
    ui::handle(cmdExit, &QPushButton::clicked, this, &Form2::cmdExit_Click);

    resize(700, 520);
    ui::centreOnScreen(this);
    Form_Load();
}

void Form2::Form_Load()
{
    user_ = main_.selectedUser();
    setWindowTitle(user_);
    txtUser->setText(user_);
    Timer1->start();
}

std::unique_ptr<ads::IADsUser> Form2::bindProfileUser()
{
    return directory_.BindUser(ads::UserPath(main_.domainName().toStdString(), user_.toStdString()));
}

void Form2::Timer1_Timer()
{
    Timer1->stop();  // once per opening, also when the read fails
    auto user = bindProfileUser();
    txtF->setText(QString::fromStdString(user->FullName()));
    txtD->setText(QString::fromStdString(user->Description()));
    ListUserGroups();
}

void Form2::ListUserGroups()
{
    ui::BusyPointer busy(this);
    List1->clear();
    std::unique_ptr<ads::IADsUser> user;
    ui::resumeNext([&] {
        user = directory_.BindUser(ads::UserPath(main_.domainName().toStdString(), txtUser->text().toStdString()));
    });
    if (user)
        ui::resumeNext([&] { user->Groups([this](const std::string& n) { List1->addItem(QString::fromStdString(n)); }); });
    ui::resumeNext([this] { ListDomainGroups(); });
}

void Form2::ListDomainGroups()
{
    auto domain = directory_.BindContainer(ads::ContainerPath(main_.domainName().toStdString()));
    domain->SetFilter({"Group"});
    domain->Enumerate([this](const std::string& n) { List2->addItem(QString::fromStdString(n)); });
    ShowAccountState();
}

// A state that cannot be read disables both buttons.
void Form2::ShowAccountState()
{
    std::optional<bool> disabled;
    ui::resumeNext([&] { disabled = bindProfileUser()->AccountDisabled(); });
    if (!disabled || *disabled)
        Command2->setEnabled(false);
    if (!disabled || !*disabled)
        Command1->setEnabled(false);
}

void Form2::cmdSave_Click()
{
    auto user = bindProfileUser();
    user->SetFullName(txtF->text().toStdString());
    user->SetInfo();
    user->SetDescription(txtD->text().toStdString());
    user->SetInfo();
}

// A refused change is reported and leaves the button as it was.
void Form2::Command1_Click()
{
    ui::errorTrap(
        [this] {
            auto user = bindProfileUser();
            user->SetAccountDisabled(false);
            user->SetInfo();
            Command1->setEnabled(false);
        },
        [this](const ads::Error& e) { ui::showRefusal(this, e); });
}

void Form2::Command2_Click()
{
    ui::errorTrap(
        [this] {
            auto user = bindProfileUser();
            user->SetAccountDisabled(true);
            user->SetInfo();
            Command2->setEnabled(false);
        },
        [this](const ads::Error& e) { ui::showRefusal(this, e); });
}

void Form2::Command4_Click()
{
    const QString group = ui::selectedText(List2);
    if (group.isEmpty()) {
        ui::msgBox(this, QStringLiteral("Please select a group to add"));
        return;
    }
    ui::BusyPointer busy(this);
    const std::string domain = main_.domainName().toStdString();
    ui::errorTrap(
        [&] {
            auto user = directory_.BindUser(ads::UserPath(domain, user_.toStdString()));
            auto g = directory_.BindGroup(ads::GroupPath(domain, group.toStdString()));
            g->Add(user->ADsPath());
            g->SetInfo();
            List1->addItem(group);
        },
        [this](const ads::Error& e) { ui::showRefusal(this, e); });
}

void Form2::Command3_Click()
{
    const QString group = ui::selectedText(List1);
    if (group.isEmpty()) {
        ui::msgBox(this, QStringLiteral("Please select a group to remove"));
        return;
    }
    ui::BusyPointer busy(this);
    const std::string domain = main_.domainName().toStdString();
    ui::errorTrap(
        [&] {
            auto user = directory_.BindUser(ads::UserPath(domain, user_.toStdString()));
            auto g = directory_.BindGroup(ads::GroupPath(domain, group.toStdString()));
            g->Remove(user->ADsPath());
            delete List1->currentItem();
        },
        [this](const ads::Error& e) { ui::showRefusal(this, e); });
}

void Form2::cmdExit_Click()
{
    close();
}

// The close box acts like "Exit": the main window comes back as it was.
void Form2::closeEvent(QCloseEvent* event)
{
    Timer1->stop();
    main_.show();
    event->accept();
}

} // namespace brevant
