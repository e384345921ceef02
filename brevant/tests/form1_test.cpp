// Brevant's main window against the real test domain, in the client workstation.
#include "support.h"

#include <QTimer>

namespace {

using namespace brevanttest;

using BrevantForm1 = BrevantTest;

TEST_F(BrevantForm1, StartListsTheClientsDomain)
{
    EXPECT_EQ(form->windowTitle(), "Brevant");
    EXPECT_EQ(text(form, "txtDomain"), "corp.test");
    const QStringList groups = texts(child<QListWidget>(form, "List1"));
    const QStringList users = texts(child<QListWidget>(form, "List2"));
    EXPECT_EQ(groups, sortedCaseInsensitive(listed("Group")));
    EXPECT_TRUE(groups.contains("Project Orion"));
    EXPECT_EQ(users, listed("User"));  // the directory's order, not sorted
    EXPECT_EQ(users.mid(0, 5), (QStringList{"Administrator", "Guest", "krbtgt", "JSmith", "adoe"}));
    EXPECT_TRUE(users.contains("björn"));
    EXPECT_EQ(text(form, "txtNg"), QString::number(groups.size()));
    EXPECT_EQ(text(form, "txtU"), QString::number(users.size()));
    EXPECT_FALSE(child<QPushButton>(form, "Command2")->isEnabled());
    EXPECT_FALSE(child<QPushButton>(form, "Command5")->isEnabled());
    EXPECT_FALSE(child<QGroupBox>(form, "Frame5")->isVisible());
    EXPECT_FALSE(child<QPushButton>(form, "Command1")->isVisible());
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(BrevantForm1, UsersListsAgainWithoutDuplicatesAndLeavesTheMembershipView)
{
    const QStringList groups = texts(child<QListWidget>(form, "List1"));
    const QStringList users = texts(child<QListWidget>(form, "List2"));
    click(form, "List1", "Sales");
    EXPECT_TRUE(child<QGroupBox>(form, "Frame5")->isVisible());
    for (int i = 0; i < 2; ++i) {
        press(form, "cmdUsers");
        EXPECT_EQ(texts(child<QListWidget>(form, "List1")), groups);
        EXPECT_EQ(texts(child<QListWidget>(form, "List2")), users);
        EXPECT_EQ(text(form, "txtNg"), QString::number(groups.size()));
        EXPECT_EQ(text(form, "txtU"), QString::number(users.size()));
        EXPECT_FALSE(child<QGroupBox>(form, "Frame5")->isVisible());
        EXPECT_TRUE(child<QListWidget>(form, "List2")->isVisible());
        EXPECT_TRUE(child<QPushButton>(form, "Command2")->isEnabled());
        EXPECT_TRUE(child<QPushButton>(form, "Command5")->isEnabled());
    }
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(BrevantForm1, ATypedDomainIsUsedByEveryLaterOperation)
{
    // The domain controller's own name lists the same accounts.
    child<QLineEdit>(form, "txtDomain")->setText("dc1.corp.test");
    press(form, "cmdUsers");
    EXPECT_EQ(texts(child<QListWidget>(form, "List2")), listed("User"));

    // Without "Users": the group click already reads the box.
    child<QLineEdit>(form, "txtDomain")->setText("corp.test");
    press(form, "cmdUsers");
    child<QLineEdit>(form, "txtDomain")->setText("nosuch.corp.test");
    click(form, "List1", "Sales");
    EXPECT_TRUE(onlyBox().startsWith("Run-time error '"));
    EXPECT_TRUE(form->isVisible());
}

TEST_F(BrevantForm1, ADomainThatCannotBeListedReportsAndKeepsTheProgram)
{
    const QStringList before = membersNow("Sales");
    for (const QString& domain : {QString(), QStringLiteral("nosuch.corp.test"), QStringLiteral("10.66.0.10"),
                                  QStringLiteral("silent.corp.test"),
                                  QStringLiteral("corp.test/Sales"), QStringLiteral("corp.test\\Sales"),
                                  QStringLiteral("\"corp.test\""), QStringLiteral("-corp.test"),
                                  QStringLiteral("-d10"), QString(10000, QLatin1Char('c'))}) {
        child<QLineEdit>(form, "txtDomain")->setText(domain);
        press(form, "cmdUsers");
        const std::string label = domain.left(40).toStdString();
        if (boxes.boxes().empty()) {
            EXPECT_EQ(child<QListWidget>(form, "List1")->count(), 0) << label;
            EXPECT_EQ(child<QListWidget>(form, "List2")->count(), 0) << label;
        } else {
            EXPECT_TRUE(onlyBox().startsWith("Run-time error '")) << label;
        }
        EXPECT_TRUE(form->isVisible()) << label;
    }
    // And "Users" with the right name again lists it all.
    child<QLineEdit>(form, "txtDomain")->setText("corp.test");
    press(form, "cmdUsers");
    EXPECT_EQ(texts(child<QListWidget>(form, "List2")), listed("User"));
    EXPECT_EQ(membersNow("Sales"), before);
}

TEST_F(BrevantForm1, AGroupClickShowsItsMembersInDirectoryOrder)
{
    auto* members = child<QListWidget>(form, "List3");
    click(form, "List1", "Sales");
    EXPECT_EQ(texts(members), membersNow("Sales"));
    EXPECT_EQ(sortedCaseInsensitive(texts(members)), (QStringList{"björn", "dpatel", "eolsen", "Zoë Müller"}));
    EXPECT_EQ(text(form, "txtU"), "4");
    EXPECT_EQ(child<QGroupBox>(form, "Frame2")->title(), "Total Users Sales");
    EXPECT_TRUE(members->isVisible());
    EXPECT_FALSE(child<QListWidget>(form, "List2")->isVisible());
    EXPECT_TRUE(child<QLineEdit>(form, "txtU")->isVisible());

    click(form, "List1", "All Staff");  // nested groups are members too
    EXPECT_EQ(sortedCaseInsensitive(texts(members)), (QStringList{"Finance", "Sales", "tlee"}));
    click(form, "List1", "Project Orion");
    EXPECT_EQ(members->count(), 0);
    EXPECT_EQ(text(form, "txtU"), "0");
    EXPECT_EQ(child<QGroupBox>(form, "Frame2")->title(), "Total Users Project Orion");
}

class BrevantMembers : public BrevantTest {
protected:
    void TearDown() override
    {
        for (const char* user : {"tlee", "mgarcia"})
            if (membersNow("Project Orion").contains(user))
                dir->BindGroup("WinNT://corp.test/Project Orion,group")->Remove("WinNT://corp.test/" + std::string(user) + ",user");
        BrevantTest::TearDown();
    }
    void addToOrion(const char* user)
    {
        click(form, "List1", "Project Orion");
        press(form, "cmdadd2");
        click(form, "List2", user);
        press(form, "Command1");
    }
};

TEST_F(BrevantMembers, AddUserShowsTheDomainUsersAndAddsTheChosenOne)
{
    click(form, "List1", "Project Orion");
    press(form, "cmdadd2");
    EXPECT_EQ(texts(child<QListWidget>(form, "List2")), listed("User"));
    EXPECT_TRUE(child<QPushButton>(form, "Command1")->isVisible());
    EXPECT_FALSE(child<QGroupBox>(form, "Frame5")->isVisible());
    EXPECT_EQ(child<QListWidget>(form, "List1")->currentItem()->text(), "Project Orion");
    EXPECT_EQ(text(form, "txtU"), QString::number(listed("User").size()));

    click(form, "List2", "tlee");
    press(form, "Command1");
    EXPECT_TRUE(boxes.boxes().empty());
    EXPECT_EQ(membersNow("Project Orion"), (QStringList{"tlee"}));
    EXPECT_EQ(child<QGroupBox>(form, "Frame5")->title(), "Domain Users for  Project Orion");
    EXPECT_TRUE(child<QGroupBox>(form, "Frame5")->isVisible());
    EXPECT_FALSE(child<QPushButton>(form, "Command1")->isVisible());
    EXPECT_EQ(texts(child<QListWidget>(form, "List2")), (QStringList{"tlee"}));
    EXPECT_TRUE(child<QListWidget>(form, "List2")->isVisible());
    EXPECT_EQ(text(form, "txtU"), "1");
    EXPECT_EQ(form->cursor().shape(), Qt::ArrowCursor);

    // Refused (already a member): reported, and the view shows what the group holds.
    press(form, "cmdadd2");
    click(form, "List2", "tlee");
    press(form, "Command1");
    EXPECT_TRUE(onlyBox().startsWith("Error: -2147023576 Either the specified user account is already a member"));
    EXPECT_EQ(texts(child<QListWidget>(form, "List2")), (QStringList{"tlee"}));
    EXPECT_EQ(text(form, "txtU"), "1");
}

TEST_F(BrevantMembers, AdditionWithoutAGroupAsksForOne)
{
    click(form, "List1", "Project Orion");
    press(form, "cmdadd2");
    press(form, "cmdUsers");  // lists again, the group's selection goes, "Add User" stays
    ASSERT_TRUE(child<QPushButton>(form, "Command1")->isVisible());
    click(form, "List2", "tlee");
    press(form, "Command1");
    EXPECT_EQ(onlyBox(), "Please select a group to add");
    EXPECT_TRUE(membersNow("Project Orion").isEmpty());
}

TEST_F(BrevantMembers, RemoveUserTakesTheSeenMemberOutOfTheGroup)
{
    click(form, "List1", "Project Orion");
    press(form, "Command4");
    EXPECT_EQ(onlyBox(), "Please select a User to remove");

    addToOrion("tlee");
    click(form, "List1", "Project Orion");
    click(form, "List3", "tlee");
    addToOrion("mgarcia");
    EXPECT_EQ(texts(child<QListWidget>(form, "List2")), membersNow("Project Orion"));
    EXPECT_EQ(sortedCaseInsensitive(membersNow("Project Orion")), (QStringList{"mgarcia", "tlee"}));
    EXPECT_EQ(text(form, "txtU"), "2");

    // tlee stays selected in List3, behind the members that List2 now shows: never removed.
    press(form, "Command4");
    EXPECT_EQ(onlyBox(), "Please select a User to remove");
    EXPECT_EQ(sortedCaseInsensitive(membersNow("Project Orion")), (QStringList{"mgarcia", "tlee"}));

    click(form, "List2", "mgarcia");
    press(form, "Command4");
    EXPECT_TRUE(boxes.boxes().empty());
    EXPECT_EQ(membersNow("Project Orion"), (QStringList{"tlee"}));
    EXPECT_EQ(texts(child<QListWidget>(form, "List2")), (QStringList{"tlee"}));
    EXPECT_EQ(text(form, "txtU"), "1");
    EXPECT_EQ(child<QGroupBox>(form, "Frame5")->title(), "Domain Users for  Project Orion");

    // From the members a group click shows.
    click(form, "List1", "Project Orion");
    click(form, "List3", "tlee");
    press(form, "Command4");
    EXPECT_TRUE(membersNow("Project Orion").isEmpty());
    EXPECT_EQ(child<QListWidget>(form, "List3")->count(), 0);
    EXPECT_EQ(text(form, "txtU"), "0");
    EXPECT_EQ(form->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(BrevantMembers, ARefusedRemovalIsReportedAndKeepsTheMember)
{
    // A nested group is no user account: the directory refuses.
    click(form, "List1", "All Staff");
    click(form, "List3", "Finance");
    press(form, "Command4");
    EXPECT_TRUE(onlyBox().startsWith("Error: -"));
    EXPECT_TRUE(texts(child<QListWidget>(form, "List3")).contains("Finance"));
    EXPECT_EQ(text(form, "txtU"), "3");
    EXPECT_EQ(membersNow("All Staff").size(), 3);
}

TEST_F(BrevantForm1, ExitEndsTheProgramWithItsOtherWindows)
{
    press(form, "cmdUsers");
    click(form, "List2", "adoe");
    press(form, "Command5");
    press(form, "Command6");
    QPointer<QWidget> form3 = form->findChild<QWidget*>("Form3");
    QPointer<QWidget> form4 = form->findChild<QWidget*>("Form4");
    ASSERT_TRUE(form3 && form4);
    QTimer::singleShot(0, [&] { press(form, "cmdExit"); });
    EXPECT_TRUE(testsupport::runUntilProgramEnds());
    processEventsFor(20);
    EXPECT_TRUE(!form3 || !form3->isVisible());
    EXPECT_TRUE(!form4 || !form4->isVisible());
}

TEST_F(BrevantForm1, ClosingTheMainWindowClosesThePasswordAndSearchWindows)
{
    press(form, "cmdUsers");
    click(form, "List2", "adoe");
    press(form, "Command5");
    press(form, "Command6");
    QPointer<QWidget> form3 = form->findChild<QWidget*>("Form3");
    QPointer<QWidget> form4 = form->findChild<QWidget*>("Form4");
    ASSERT_TRUE(form3 && form4);
    form->close();
    processEventsFor(20);
    QCoreApplication::removePostedEvents(qApp, QEvent::Quit);
    EXPECT_TRUE(form3.isNull());
    EXPECT_TRUE(form4.isNull());
}

} // namespace
