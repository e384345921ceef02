// Torvane's main window against the real test domain, in the client workstation.
#include "torvane/form1.h"

#include "messageboxwatcher.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <cstdlib>

namespace {

using testsupport::processEventsFor;
using Names = std::vector<std::string>;

template <class T>
T* child(QWidget* w, const char* name)
{
    auto* c = w->findChild<T*>(QLatin1String(name));
    EXPECT_NE(c, nullptr) << name;
    return c;
}

QStringList texts(QListWidget* list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

QStringList sortedCaseInsensitive(QStringList l)
{
    std::sort(l.begin(), l.end(), [](const QString& a, const QString& b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    return l;
}

QStringList listed(ads::Directory& dir, const char* container, const char* cls)
{
    QStringList out;
    auto c = dir.BindContainer(ads::ContainerPath(container));
    c->SetFilter({cls});
    c->Enumerate([&](const std::string& n) { out << QString::fromStdString(n); });
    return sortedCaseInsensitive(out);
}

// A fresh directory reads what the server holds now.
Names membersNow(const std::string& path)
{
    Names out;
    ads::OpenSamrDirectory()->BindGroup(path)->Members([&](const std::string& n) { out.push_back(n); });
    std::sort(out.begin(), out.end());
    return out;
}

class TorvaneForm1 : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = new torvane::Form1(*dir);
        form->show();
        combo = child<QComboBox>(form, "Combo1");
        // The computer list fills once, about 10 ms after the window shows.
        QElapsedTimer t;
        t.start();
        while (combo->count() == 0 && t.elapsed() < 10000)
            QApplication::processEvents(QEventLoop::AllEvents, 10);
        processEventsFor(50);
    }
    void TearDown() override
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            w->close();
        QApplication::processEvents();
    }
    void go(const QString& target)
    {
        combo->setEditText(target);
        QTest::mouseClick(child<QPushButton>(form, "Command1"), Qt::LeftButton);
    }

    std::unique_ptr<ads::Directory> dir = ads::OpenSamrDirectory();
    torvane::Form1* form = nullptr;
    QComboBox* combo = nullptr;
};

TEST_F(TorvaneForm1, FillsTheComputerListOnceAndKeepsSelect)
{
    EXPECT_EQ(form->windowTitle(), "Torvane");
    EXPECT_EQ(child<QLineEdit>(form, "txtDomain")->text(), "corp.test");
    QStringList computers;
    for (int i = 0; i < combo->count(); ++i)
        computers << combo->itemText(i);
    EXPECT_EQ(computers, (QStringList{"DC1", "FILES1", "PRINTSRV", "WS1", "WS2"}));
    EXPECT_EQ(combo->currentText(), "Select");
    EXPECT_EQ(form->cursor().shape(), Qt::ArrowCursor);
    processEventsFor(100);
    EXPECT_EQ(combo->count(), 5);  // once only
}

TEST_F(TorvaneForm1, GoListsTheTargetsGroupsAndUsersWithTheirCounts)
{
    auto* groups = child<QListWidget>(form, "List1");
    auto* users = child<QListWidget>(form, "List3");
    auto* full = child<QLineEdit>(form, "txtFull");
    full->setText("kept by Go");

    go("FILES1");
    EXPECT_EQ(texts(groups), (QStringList{"Administrators", "Auditors", "FileOperators", "Guests", "Users"}));
    EXPECT_EQ(texts(users), (QStringList{"jsmith", "kiosk", "scanner"}));
    EXPECT_EQ(child<QLineEdit>(form, "txtG")->text(), "5");
    EXPECT_EQ(child<QLineEdit>(form, "txtUsers")->text(), "3");
    EXPECT_EQ(full->text(), "kept by Go");

    go("DC1");
    EXPECT_EQ(texts(users), listed(*dir, "DC1", "User"));
    EXPECT_EQ(texts(groups), listed(*dir, "DC1", "Group"));
    EXPECT_TRUE(texts(users).contains("björn"));
    EXPECT_EQ(child<QLineEdit>(form, "txtUsers")->text(), QString::number(users->count()));

    go("DC1");  // twice: the same lists, no duplicates
    EXPECT_EQ(texts(users), listed(*dir, "DC1", "User"));
    EXPECT_EQ(texts(groups), listed(*dir, "DC1", "Group"));
}

TEST_F(TorvaneForm1, SelectOrAnUnknownNameGiveEmptyListsAndZero)
{
    for (const char* target : {"Select", "nosuchcomputer", "two words"}) {
        go("FILES1");
        go(target);
        EXPECT_EQ(child<QListWidget>(form, "List1")->count(), 0) << target;
        EXPECT_EQ(child<QListWidget>(form, "List3")->count(), 0) << target;
        EXPECT_EQ(child<QLineEdit>(form, "txtG")->text(), "0") << target;
        EXPECT_EQ(child<QLineEdit>(form, "txtUsers")->text(), "0") << target;
    }
}

TEST_F(TorvaneForm1, RefreshListsAgainAndEmptiesTheAccountFields)
{
    go("FILES1");
    for (const char* name : {"txtFull", "txtD", "txtNewPassword"})
        child<QLineEdit>(form, name)->setText("something");
    child<QListWidget>(form, "List3")->clear();
    QTest::mouseClick(child<QPushButton>(form, "cmdRefresh"), Qt::LeftButton);
    EXPECT_EQ(texts(child<QListWidget>(form, "List3")), (QStringList{"jsmith", "kiosk", "scanner"}));
    for (const char* name : {"txtFull", "txtD", "txtNewPassword"})
        EXPECT_TRUE(child<QLineEdit>(form, name)->text().isEmpty()) << name;
}

class TorvaneAccounts : public TorvaneForm1 {
protected:
    void SetUp() override
    {
        TorvaneForm1::SetUp();
        go("FILES1");
    }
    void click(const char* listName, const QString& text)
    {
        auto* list = child<QListWidget>(form, listName);
        const auto items = list->findItems(text, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << text.toStdString();
        list->scrollToItem(items[0]);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(items[0]).center());
    }
    QString text(const char* name) { return child<QLineEdit>(form, name)->text(); }
    testsupport::MessageBoxWatcher boxes;
};

TEST_F(TorvaneAccounts, AGroupClickListsItsMembers)
{
    child<QLineEdit>(form, "txtFull")->setText("stale");
    click("List1", "FileOperators");
    EXPECT_EQ(texts(child<QListWidget>(form, "List3")), (QStringList{"adoe", "cnguyen", "jsmith"}));
    EXPECT_EQ(text("txtUsers"), "3");
    EXPECT_EQ(text("txtG"), "5");
    EXPECT_TRUE(text("txtFull").isEmpty());
    click("List1", "Auditors");
    EXPECT_EQ(child<QListWidget>(form, "List3")->count(), 0);
    EXPECT_EQ(text("txtUsers"), "0");
}

TEST_F(TorvaneAccounts, AMemberClickShowsTheAccountsDetails)
{
    struct Case {
        const char* group;
        const char* user;
        const char* full;
        const char* description;
    } cases[] = {
        {"FileOperators", "jsmith", "Jane Smith", "Local print operator"},  // local, never the domain's John Smith
        {"FileOperators", "adoe", "Alice Doe", "Head of finance"},          // a domain user
        {"Users", "kiosk", "Lobby Kiosk", ""},
    };
    for (const auto& c : cases) {
        click("List1", c.group);
        click("List3", c.user);
        EXPECT_EQ(text("txtFull"), c.full) << c.user;
        EXPECT_EQ(text("txtD"), c.description) << c.user;
        EXPECT_EQ(text("txtNewPassword"), "**********") << c.user;
        EXPECT_EQ(form->cursor().shape(), Qt::ArrowCursor);
    }
    // A local account with a description only: the domain has no such account, so both stay empty.
    go("FILES1");
    click("List3", "scanner");
    EXPECT_TRUE(text("txtFull").isEmpty());
    EXPECT_TRUE(text("txtD").isEmpty());
    EXPECT_EQ(text("txtNewPassword"), "**********");
}

TEST_F(TorvaneAccounts, RemoveUserTakesTheDomainUserOutOfTheGroup)
{
    QTest::mouseClick(child<QPushButton>(form, "Command3"), Qt::LeftButton);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, "Please select a User to remove");
    EXPECT_EQ(boxes.boxes()[0].title, "Torvane");
    EXPECT_EQ(boxes.boxes()[0].icon, QMessageBox::NoIcon);

    dir->BindGroup("WinNT://FILES1/Auditors,group")->Add("WinNT://corp.test/dpatel,user");
    click("List1", "Auditors");
    click("List3", "dpatel");
    QTest::mouseClick(child<QPushButton>(form, "Command3"), Qt::LeftButton);
    EXPECT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(child<QListWidget>(form, "List3")->count(), 0);
    EXPECT_EQ(text("txtUsers"), "1");  // the counts stay as they were
    EXPECT_TRUE(text("txtFull").isEmpty());
    EXPECT_TRUE(membersNow("WinNT://FILES1/Auditors,group").empty());
}

TEST_F(TorvaneAccounts, AFailingRemovalIsReportedAndKeepsTheEntry)
{
    // The domain's JSmith is no member of FileOperators; FILES1's own jsmith is.
    click("List1", "FileOperators");
    click("List3", "jsmith");
    QTest::mouseClick(child<QPushButton>(form, "Command3"), Qt::LeftButton);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_TRUE(boxes.boxes()[0].text.startsWith("Run-time error '-2147023519 (80070561)':")) << boxes.boxes()[0].text.toStdString();
    EXPECT_EQ(texts(child<QListWidget>(form, "List3")), (QStringList{"adoe", "cnguyen", "jsmith"}));
    EXPECT_TRUE(form->isVisible());
}

TEST_F(TorvaneAccounts, ChangePassword)
{
    QTest::mouseClick(child<QPushButton>(form, "Command4"), Qt::LeftButton);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, "Please Select a User to Change Password");
    EXPECT_EQ(boxes.boxes()[0].title, "Warning!!");
    EXPECT_EQ(boxes.boxes()[0].icon, QMessageBox::Information);

    click("List1", "FileOperators");
    click("List3", "cnguyen");
    QTest::mouseClick(child<QPushButton>(form, "Command4"), Qt::LeftButton);
    QWidget* form3 = form->findChild<QWidget*>("Form3");
    ASSERT_NE(form3, nullptr);
    EXPECT_TRUE(form3->isVisible());
    EXPECT_EQ(child<QLineEdit>(form3, "txtUser")->text(), "cnguyen");
    EXPECT_EQ(child<QLineEdit>(form3, "txtDomain")->text(), "corp.test");
    auto* pass = child<QLineEdit>(form3, "txtNewPass");
    auto* confirm = child<QLineEdit>(form3, "txtConfirmPass");
    auto* submit = child<QPushButton>(form3, "cmdSubmit");

    for (const auto& [a, b] : {std::pair<QString, QString>{"", ""}, {"Fresh.Start.88", "Fresh.Start.89"},
                               {"Fresh.Start.88", "fresh.start.88"}, {"Fresh.Start.88", ""}}) {
        boxes.clear();
        pass->setText(a);
        confirm->setText(b);
        QTest::mouseClick(submit, Qt::LeftButton);
        ASSERT_EQ(boxes.boxes().size(), 1u);
        EXPECT_EQ(boxes.boxes()[0].text, "Passwords donot Match!");
        EXPECT_EQ(boxes.boxes()[0].title, "Warning!!");
        EXPECT_TRUE(pass->text().isEmpty());
        EXPECT_TRUE(confirm->text().isEmpty());
    }

    boxes.clear();
    pass->setText("weakpass");
    confirm->setText("weakpass");
    QTest::mouseClick(submit, Qt::LeftButton);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_TRUE(boxes.boxes()[0].text.startsWith("Error: -2147023571 ")) << boxes.boxes()[0].text.toStdString();
    EXPECT_EQ(boxes.boxes()[0].title, "Torvane");
    EXPECT_EQ(boxes.boxes()[0].icon, QMessageBox::NoIcon);

    boxes.clear();
    pass->setText("Fresh.Start.88");
    confirm->setText("Fresh.Start.88");
    QTest::mouseClick(submit, Qt::LeftButton);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, "Password has been reset");
    EXPECT_EQ(boxes.boxes()[0].title, "Information!!");
    EXPECT_TRUE(form3->isVisible());
    EXPECT_EQ(pass->text(), "Fresh.Start.88");
    EXPECT_EQ(std::system("echo 'Fresh.Start.88' | KRB5CCNAME=FILE:${TMPDIR:-/tmp}/tv.cc kinit cnguyen >/dev/null 2>&1"), 0);

    // "Exit", then the window for another user: the typed passwords stay.
    QTest::mouseClick(child<QPushButton>(form3, "cmdExit"), Qt::LeftButton);
    EXPECT_FALSE(form3->isVisible());
    go("FILES1");
    click("List3", "kiosk");   // an account of FILES1 only
    QTest::mouseClick(child<QPushButton>(form, "Command4"), Qt::LeftButton);
    EXPECT_EQ(form->findChild<QWidget*>("Form3"), form3);
    EXPECT_EQ(child<QLineEdit>(form3, "txtUser")->text(), "kiosk");
    EXPECT_EQ(pass->text(), "Fresh.Start.88");
    boxes.clear();
    QTest::mouseClick(submit, Qt::LeftButton);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, "Error: -2147022675 The user name could not be found.");
}

TEST_F(TorvaneAccounts, AddUserPutsADomainUserIntoTheGroup)
{
    QTest::mouseClick(child<QPushButton>(form, "cmdAdd"), Qt::LeftButton);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, "Please Select a Group to Add User to");
    EXPECT_EQ(boxes.boxes()[0].title, "Warning!!");
    QWidget* form2 = form->findChild<QWidget*>("Form2");
    ASSERT_NE(form2, nullptr);  // made, and hidden
    EXPECT_FALSE(form2->isVisible());
    auto* domainUsers = child<QListWidget>(form2, "List3");
    const QStringList all = texts(domainUsers);
    EXPECT_EQ(all, listed(*dir, "corp.test", "User"));
    EXPECT_EQ(child<QLineEdit>(form2, "txtUsers")->text(), QString::number(all.size()));

    click("List1", "Guests");
    QTest::mouseClick(child<QPushButton>(form, "cmdAdd"), Qt::LeftButton);
    EXPECT_TRUE(form2->isVisible());
    EXPECT_EQ(child<QLineEdit>(form2, "txtGroup")->text(), "Guests");
    boxes.clear();
    child<QLineEdit>(form2, "txtUser")->clear();
    QTest::mouseClick(child<QPushButton>(form2, "cmdAdd"), Qt::LeftButton);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, "Please Select a User to Add");
    EXPECT_TRUE(form2->isVisible());

    // Reopened for another group: the new name, the same list, the last selected user.
    const auto dpatel = domainUsers->findItems("dpatel", Qt::MatchExactly);
    ASSERT_EQ(dpatel.size(), 1);
    domainUsers->scrollToItem(dpatel[0]);
    QTest::mouseClick(domainUsers->viewport(), Qt::LeftButton, {}, domainUsers->visualItemRect(dpatel[0]).center());
    EXPECT_EQ(child<QLineEdit>(form2, "txtUser")->text(), "dpatel");
    QTest::mouseClick(child<QPushButton>(form2, "cmdExit"), Qt::LeftButton);
    EXPECT_FALSE(form2->isVisible());
    click("List1", "Auditors");
    QTest::mouseClick(child<QPushButton>(form, "cmdAdd"), Qt::LeftButton);
    EXPECT_EQ(form->findChild<QWidget*>("Form2"), form2);
    EXPECT_EQ(child<QLineEdit>(form2, "txtGroup")->text(), "Auditors");
    EXPECT_EQ(texts(domainUsers), all);
    EXPECT_EQ(child<QLineEdit>(form2, "txtUser")->text(), "dpatel");

    QTest::mouseClick(child<QPushButton>(form2, "cmdAdd"), Qt::LeftButton);
    EXPECT_FALSE(form2->isVisible());
    EXPECT_EQ(membersNow("WinNT://FILES1/Auditors,group"), (Names{"dpatel"}));
    EXPECT_EQ(texts(child<QListWidget>(form, "List3")), (QStringList{"dpatel"}));
    EXPECT_EQ(text("txtUsers"), "0");  // the count is not touched

    // Refused: already a member. Reported; nothing listed twice; the window stays.
    boxes.clear();
    QTest::mouseClick(child<QPushButton>(form, "cmdAdd"), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>(form2, "cmdAdd"), Qt::LeftButton);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, "Error: -2147023518 The specified account name is already a member of the group.");
    EXPECT_EQ(boxes.boxes()[0].title, "Torvane");
    EXPECT_EQ(boxes.boxes()[0].icon, QMessageBox::NoIcon);
    EXPECT_TRUE(form2->isVisible());
    EXPECT_EQ(texts(child<QListWidget>(form, "List3")), (QStringList{"dpatel"}));

    dir->BindGroup("WinNT://FILES1/Auditors,group")->Remove("WinNT://corp.test/dpatel,user");
}

TEST_F(TorvaneAccounts, FindUserCutsTheListDownToTheName)
{
    click("List1", "Users");
    QTest::mouseClick(child<QPushButton>(form, "cmdAdd"), Qt::LeftButton);
    QWidget* form2 = form->findChild<QWidget*>("Form2");
    ASSERT_NE(form2, nullptr);
    auto* list = child<QListWidget>(form2, "List3");
    const QStringList all = texts(list);
    QTest::mouseClick(child<QPushButton>(form2, "cmdFind"), Qt::LeftButton);
    QWidget* form4 = form2->findChild<QWidget*>("Form4");
    ASSERT_NE(form4, nullptr);
    auto* search = child<QLineEdit>(form4, "txtUser");
    auto* find = child<QPushButton>(form4, "cmdFind");

    QTest::mouseClick(find, Qt::LeftButton);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, "Please enter a User to Search For!");
    EXPECT_EQ(boxes.boxes()[0].title, "Attention!!");

    search->setText(all.first());  // already first: nothing goes
    QTest::mouseClick(find, Qt::LeftButton);
    EXPECT_EQ(texts(list), all);

    search->setText("jsmith");
    QTest::mouseClick(find, Qt::LeftButton);
    const int at = all.indexOf("JSmith");
    EXPECT_EQ(texts(list), all.mid(at));
    EXPECT_EQ(list->currentRow(), 0);
    EXPECT_EQ(child<QLineEdit>(form2, "txtUser")->text(), "JSmith");
    EXPECT_TRUE(form4->isVisible());

    search->setText("nobody-by-this-name");
    QTest::mouseClick(find, Qt::LeftButton);
    EXPECT_EQ(list->count(), 0);
    EXPECT_EQ(child<QLineEdit>(form2, "txtUser")->text(), all.last());
}

TEST_F(TorvaneForm1, ExitEndsTheProgram)
{
    QTimer::singleShot(0, [&] { QTest::mouseClick(child<QPushButton>(form, "Command2"), Qt::LeftButton); });
    EXPECT_TRUE(testsupport::runUntilProgramEnds());
}

} // namespace
