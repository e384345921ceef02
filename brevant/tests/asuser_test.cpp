// Brevant run by an ordinary domain user (adoe), whom the domain refuses
// every change: each refusal is reported and nothing shows it as done.
#include "support.h"

#include <QElapsedTimer>

namespace {

using namespace brevanttest;

using BrevantAsUser = BrevantTest;

TEST_F(BrevantAsUser, RefusedMembershipChangesAreReportedAndNeverListed)
{
    click(form, "List1", "Project Orion");
    press(form, "cmdadd2");
    click(form, "List2", "tlee");
    press(form, "Command1");
    EXPECT_TRUE(onlyBox().startsWith("Error: -"));
    EXPECT_TRUE(membersNow("Project Orion").isEmpty());
    EXPECT_EQ(child<QListWidget>(form, "List2")->count(), 0);
    EXPECT_EQ(child<QListWidget>(form, "List3")->count(), 0);
    EXPECT_EQ(text(form, "txtU"), "0");

    click(form, "List1", "Sales");
    click(form, "List3", "dpatel");
    press(form, "Command4");
    EXPECT_TRUE(onlyBox().startsWith("Error: -"));
    EXPECT_TRUE(membersNow("Sales").contains("dpatel"));
    EXPECT_TRUE(texts(child<QListWidget>(form, "List3")).contains("dpatel"));
    EXPECT_EQ(text(form, "txtU"), "4");
}

TEST_F(BrevantAsUser, RefusedProfileChangesAreReportedAndNeverShown)
{
    press(form, "cmdUsers");
    click(form, "List2", "eolsen");
    press(form, "Command2");
    QWidget* form2 = form->findChild<QWidget*>("Form2");
    ASSERT_NE(form2, nullptr);
    auto* enable = child<QPushButton>(form2, "Command1");
    QElapsedTimer t;
    t.start();
    while (child<QListWidget>(form2, "List2")->count() == 0 && t.elapsed() < 10000)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    processEventsFor(50);
    ASSERT_TRUE(enable->isEnabled());

    QTest::mouseClick(enable, Qt::LeftButton);
    EXPECT_TRUE(onlyBox().startsWith("Error: -"));
    EXPECT_TRUE(userNow("eolsen")->AccountDisabled());
    EXPECT_TRUE(enable->isEnabled());

    auto* mine = child<QListWidget>(form2, "List1");
    const QStringList groups = texts(mine);
    click(form2, "List2", "Project Orion");
    press(form2, "Command4");
    EXPECT_TRUE(onlyBox().startsWith("Error: -"));
    click(form2, "List1", "Sales");
    press(form2, "Command3");
    EXPECT_TRUE(onlyBox().startsWith("Error: -"));
    EXPECT_EQ(texts(mine), groups);
    EXPECT_EQ(groupsNow("eolsen"), groups);

    // "Save" has no report of its own: the default one, and the program goes on.
    child<QLineEdit>(form2, "txtD")->setText("changed by adoe");
    press(form2, "cmdSave");
    EXPECT_TRUE(onlyBox().startsWith("Run-time error '"));
    EXPECT_EQ(userNow("eolsen")->Description(), "Left the company in March");
    EXPECT_TRUE(form2->isVisible());
}

TEST_F(BrevantAsUser, ARefusedPasswordResetIsReportedWithTheFocusOnUser)
{
    press(form, "cmdUsers");
    click(form, "List2", "cnguyen");
    press(form, "Command5");
    QWidget* form3 = form->findChild<QWidget*>("Form3");
    ASSERT_NE(form3, nullptr);
    child<QLineEdit>(form3, "txtPass1")->setText("Fresh.Start.88");
    child<QLineEdit>(form3, "txtPass2")->setText("Fresh.Start.88");
    press(form3, "Command1");
    EXPECT_TRUE(onlyBox().startsWith("Error: -"));
    EXPECT_EQ(form3->focusWidget(), child<QLineEdit>(form3, "txtUser"));
    EXPECT_EQ(text(form3, "txtPass1"), "Fresh.Start.88");
}

} // namespace
