// Brevant's profile window against the real test domain.
#include "support.h"

namespace {

using namespace brevanttest;

class BrevantProfile : public BrevantTest {
protected:
    void TearDown() override
    {
        BrevantTest::TearDown();
        // Leave the accounts as the domain was seeded.
        auto tlee = userNow("tlee");
        tlee->SetFullName("Tina Lee");
        tlee->SetDescription("");
        tlee->SetInfo();
        auto eolsen = userNow("eolsen");
        eolsen->SetAccountDisabled(true);
        eolsen->SetInfo();
        auto orion = ads::OpenSamrDirectory()->BindGroup("WinNT://corp.test/Project Orion,group");
        if (membersNow("Project Orion").contains("tlee"))
            orion->Remove("WinNT://corp.test/tlee,user");
        if (!membersNow("All Staff").contains("tlee"))
            ads::OpenSamrDirectory()->BindGroup("WinNT://corp.test/All Staff,group")->Add("WinNT://corp.test/tlee,user");
    }
    // Opens the profile of a user and waits for the one tick's reading.
    QWidget* open(const char* user)
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // a window closed before
        press(form, "cmdUsers");
        click(form, "List2", user);
        press(form, "Command2");
        QWidget* form2 = form->findChild<QWidget*>("Form2");
        EXPECT_NE(form2, nullptr);
        if (!form2)
            return nullptr;
        auto* enable = child<QPushButton>(form2, "Command1");
        auto* disable = child<QPushButton>(form2, "Command2");
        QElapsedTimer t;
        t.start();
        while (enable->isEnabled() && disable->isEnabled() && t.elapsed() < 10000)
            QApplication::processEvents(QEventLoop::AllEvents, 10);
        return form2;
    }
};

TEST_F(BrevantProfile, NeedsASelectedUser)
{
    press(form, "cmdUsers");
    press(form, "Command2");
    EXPECT_EQ(onlyBox(), "Please select a User TO VIEW the Profile");
    EXPECT_EQ(form->findChild<QWidget*>("Form2"), nullptr);
    EXPECT_TRUE(form->isVisible());
}

TEST_F(BrevantProfile, ShowsTheAccountAndHidesTheMainWindow)
{
    QWidget* form2 = open("Zoë Müller");
    ASSERT_NE(form2, nullptr);
    EXPECT_TRUE(form2->isVisible());
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form2->windowTitle(), "Zoë Müller");
    EXPECT_EQ(text(form2, "txtUser"), "Zoë Müller");
    EXPECT_EQ(text(form2, "txtF"), "Zoë Müller");
    EXPECT_EQ(text(form2, "txtD"), "Marketing lead, Zürich office");
    EXPECT_EQ(texts(child<QListWidget>(form2, "List1")), groupsNow("Zoë Müller"));
    EXPECT_TRUE(texts(child<QListWidget>(form2, "List1")).contains("Sales"));
    EXPECT_EQ(texts(child<QListWidget>(form2, "List2")), listed("Group"));
    EXPECT_FALSE(child<QPushButton>(form2, "Command1")->isEnabled());  // enabled account
    EXPECT_TRUE(child<QPushButton>(form2, "Command2")->isEnabled());
    EXPECT_EQ(form2->cursor().shape(), Qt::ArrowCursor);
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(BrevantProfile, TheAccountButtonsFollowAndChangeTheRealState)
{
    QWidget* form2 = open("eolsen");
    ASSERT_NE(form2, nullptr);
    auto* enable = child<QPushButton>(form2, "Command1");
    auto* disable = child<QPushButton>(form2, "Command2");
    EXPECT_TRUE(enable->isEnabled());
    EXPECT_FALSE(disable->isEnabled());
    QTest::mouseClick(enable, Qt::LeftButton);
    EXPECT_FALSE(userNow("eolsen")->AccountDisabled());
    EXPECT_FALSE(enable->isEnabled());
    EXPECT_FALSE(disable->isEnabled());
    press(form2, "cmdExit");

    form2 = open("eolsen");
    ASSERT_NE(form2, nullptr);
    EXPECT_FALSE(child<QPushButton>(form2, "Command1")->isEnabled());
    press(form2, "Command2");
    EXPECT_TRUE(userNow("eolsen")->AccountDisabled());
    EXPECT_FALSE(child<QPushButton>(form2, "Command2")->isEnabled());
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(BrevantProfile, SaveWritesBothTextsAlsoEmptyOnes)
{
    QWidget* form2 = open("tlee");
    ASSERT_NE(form2, nullptr);
    EXPECT_EQ(text(form2, "txtF"), "Tina Lee");
    EXPECT_EQ(text(form2, "txtD"), "");
    struct Case {
        const char* full;
        const char* description;
    } cases[] = {{"Tina Q. Lee", "Night shift, Göteborg"}, {"", "Only a description"}, {"Tina Lee", ""}};
    for (const auto& c : cases) {
        child<QLineEdit>(form2, "txtF")->setText(QString::fromUtf8(c.full));
        child<QLineEdit>(form2, "txtD")->setText(QString::fromUtf8(c.description));
        press(form2, "cmdSave");
        auto now = userNow("tlee");
        EXPECT_EQ(now->FullName(), c.full);
        EXPECT_EQ(now->Description(), c.description);
        EXPECT_EQ(text(form2, "txtF"), QString::fromUtf8(c.full));
    }
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(BrevantProfile, AddAndRemoveGroupChangeTheUsersGroups)
{
    QWidget* form2 = open("tlee");
    ASSERT_NE(form2, nullptr);
    auto* mine = child<QListWidget>(form2, "List1");

    press(form2, "Command4");
    EXPECT_EQ(onlyBox(), "Please select a group to add");
    press(form2, "Command3");
    EXPECT_EQ(onlyBox(), "Please select a group to remove");

    click(form2, "List2", "Project Orion");
    press(form2, "Command4");
    EXPECT_TRUE(boxes.boxes().empty());
    EXPECT_TRUE(groupsNow("tlee").contains("Project Orion"));
    EXPECT_EQ(mine->findItems("Project Orion", Qt::MatchExactly).size(), 1);

    // Refused: already a member. Reported, and not listed twice.
    press(form2, "Command4");
    EXPECT_TRUE(onlyBox().startsWith("Error: -2147023576 Either the specified user account is already a member"));
    EXPECT_EQ(mine->findItems("Project Orion", Qt::MatchExactly).size(), 1);

    click(form2, "List1", "Project Orion");
    press(form2, "Command3");
    EXPECT_TRUE(boxes.boxes().empty());
    EXPECT_FALSE(groupsNow("tlee").contains("Project Orion"));
    EXPECT_TRUE(mine->findItems("Project Orion", Qt::MatchExactly).isEmpty());

    // Refused: the primary group cannot be left. Reported, and still listed.
    click(form2, "List1", "Domain Users");
    press(form2, "Command3");
    EXPECT_TRUE(onlyBox().startsWith("Error: -"));
    EXPECT_TRUE(groupsNow("tlee").contains("Domain Users"));
    EXPECT_EQ(mine->findItems("Domain Users", Qt::MatchExactly).size(), 1);
    EXPECT_EQ(form2->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(BrevantProfile, ExitAndTheCloseBoxShowTheMainWindowAsItWas)
{
    for (bool closeBox : {false, true}) {
        QWidget* form2 = open("adoe");
        ASSERT_NE(form2, nullptr);
        QPointer<QWidget> gone = form2;
        const QStringList users = texts(child<QListWidget>(form, "List2"));
        if (closeBox)
            form2->close();
        else
            press(form2, "cmdExit");
        processEventsFor(20);
        EXPECT_TRUE(gone.isNull());
        EXPECT_TRUE(form->isVisible());
        EXPECT_EQ(texts(child<QListWidget>(form, "List2")), users);
        EXPECT_EQ(child<QListWidget>(form, "List2")->currentItem()->text(), "adoe");
        EXPECT_EQ(form->selectedUser(), "adoe");
    }
}

} // namespace
