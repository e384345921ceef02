// Brevant's password and search windows against the real test domain.
#include "support.h"

#include <cstdlib>

namespace {

using namespace brevanttest;

class BrevantPassword : public BrevantTest {
protected:
    void TearDown() override
    {
        BrevantTest::TearDown();
        userNow("cnguyen")->SetPassword("Ticket.55h");  // as seeded
    }
};

TEST_F(BrevantPassword, ChecksTheTypedPasswordsAndResetsTheAccount)
{
    press(form, "cmdUsers");
    press(form, "Command5");
    EXPECT_EQ(onlyBox(), "Please Select a User");
    EXPECT_EQ(form->findChild<QWidget*>("Form3"), nullptr);

    click(form, "List2", "cnguyen");
    press(form, "Command5");
    QWidget* form3 = form->findChild<QWidget*>("Form3");
    ASSERT_NE(form3, nullptr);
    EXPECT_TRUE(form3->isVisible());
    EXPECT_EQ(form3->windowTitle(), "Change Password");
    EXPECT_EQ(text(form3, "txtUser"), "cnguyen");
    EXPECT_EQ(text(form3, "txtDomain"), "corp.test");
    auto* pass1 = child<QLineEdit>(form3, "txtPass1");
    auto* pass2 = child<QLineEdit>(form3, "txtPass2");
    EXPECT_EQ(pass1->echoMode(), QLineEdit::Password);

    struct Case {
        const char* pass1;
        const char* pass2;
        const char* message;
        QWidget* focus;
    } cases[] = {
        {"", "", "No Null Passwords", nullptr},
        {"Fresh.Start.88", "", "No Null Passwords", nullptr},
        {"", "Fresh.Start.88", "No Null Passwords", nullptr},
        {"Fresh.Start.88", "fresh.start.88", "New and Confirm passwords must be the same", pass2},
        {"weakpass", "weakpass", "Error: -2147023571 ", child<QLineEdit>(form3, "txtUser")},
    };
    for (const auto& c : cases) {
        pass1->setText(c.pass1);
        pass2->setText(c.pass2);
        child<QLineEdit>(form3, "txtDomain")->setFocus();
        press(form3, "Command1");
        EXPECT_TRUE(onlyBox().startsWith(c.message)) << c.message;
        EXPECT_EQ(pass1->text(), c.pass1);
        EXPECT_EQ(pass2->text(), c.pass2);
        if (c.focus) {
            EXPECT_EQ(form3->focusWidget(), c.focus) << c.message;
        }
        EXPECT_TRUE(form3->isVisible());
    }

    pass1->setText("Fresh.Start.88");
    pass2->setText("Fresh.Start.88");
    press(form3, "Command1");
    EXPECT_EQ(onlyBox(), "Password has been reset");
    EXPECT_TRUE(pass1->text().isEmpty());
    EXPECT_TRUE(pass2->text().isEmpty());
    EXPECT_EQ(text(form3, "txtUser"), "cnguyen");
    EXPECT_EQ(text(form3, "txtDomain"), "corp.test");
    EXPECT_TRUE(form3->isVisible());
    EXPECT_EQ(std::system("echo 'Fresh.Start.88' | KRB5CCNAME=FILE:${TMPDIR:-/tmp}/bv.cc kinit cnguyen >/dev/null 2>&1"), 0);

    // Opened again for another user: only brought forward, with its fields.
    pass1->setText("typed");
    click(form, "List2", "adoe");
    press(form, "Command5");
    EXPECT_EQ(form->findChild<QWidget*>("Form3"), form3);
    EXPECT_EQ(text(form3, "txtUser"), "cnguyen");
    EXPECT_EQ(pass1->text(), "typed");

    // "Cancel" unloads it; the next one reads the main window afresh.
    QPointer<QWidget> gone = form3;
    press(form3, "cmdCancel");
    processEventsFor(20);
    EXPECT_TRUE(gone.isNull());
    press(form, "Command5");
    form3 = form->findChild<QWidget*>("Form3");
    ASSERT_NE(form3, nullptr);
    EXPECT_EQ(text(form3, "txtUser"), "adoe");
    EXPECT_TRUE(text(form3, "txtPass1").isEmpty());
}

using BrevantSearch = BrevantTest;

TEST_F(BrevantSearch, NarrowsTheUserListToTheNameSought)
{
    auto* users = child<QListWidget>(form, "List2");
    click(form, "List1", "Sales");
    press(form, "Command6");
    QWidget* form4 = form->findChild<QWidget*>("Form4");
    ASSERT_NE(form4, nullptr);
    EXPECT_TRUE(form4->isVisible());
    EXPECT_EQ(form4->windowTitle(), "Find User");
    const QStringList all = listed("User");
    EXPECT_EQ(texts(users), all);
    EXPECT_TRUE(users->isVisible());
    EXPECT_TRUE(child<QPushButton>(form, "Command2")->isEnabled());
    EXPECT_TRUE(child<QPushButton>(form, "Command5")->isEnabled());
    const QString count = text(form, "txtU");

    press(form4, "Command1");
    EXPECT_EQ(onlyBox(), "Please type in a username to search for");

    auto* name = child<QLineEdit>(form4, "Text1");
    name->setText("ZOË MÜLLER");
    press(form4, "Command1");
    EXPECT_EQ(texts(users), all.mid(all.indexOf("Zoë Müller")));
    EXPECT_EQ(users->currentRow(), 0);
    EXPECT_EQ(form->selectedUser(), "Zoë Müller");
    EXPECT_EQ(text(form, "txtU"), count);
    EXPECT_TRUE(form4->isVisible());
    EXPECT_TRUE(boxes.boxes().empty());

    // "Password" now acts on the match.
    press(form, "Command5");
    QWidget* form3 = form->findChild<QWidget*>("Form3");
    ASSERT_NE(form3, nullptr);
    EXPECT_EQ(text(form3, "txtUser"), "Zoë Müller");

    // A second search sees only what the first left: adoe came before.
    name->setText("adoe");
    press(form4, "Command1");
    EXPECT_EQ(users->count(), 0);
    EXPECT_EQ(text(form, "txtU"), count);

    // Only whole names match.
    for (const char* partial : {"Zoë", " Zoë Müller", "Zoë Müller ", "ZOË MÜLLE", "Zoe Muller"}) {
        press(form, "Command6");
        name->setText(partial);
        press(form4, "Command1");
        EXPECT_EQ(users->count(), 0) << partial;
    }
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(BrevantSearch, AnUnreachableDomainReportsAndOpensNoSearchWindow)
{
    child<QLineEdit>(form, "txtDomain")->setText("nosuch.corp.test");
    press(form, "Command6");
    EXPECT_TRUE(onlyBox().startsWith("Run-time error '"));
    EXPECT_EQ(form->findChild<QWidget*>("Form4"), nullptr);
    EXPECT_TRUE(form->isVisible());
}

} // namespace
