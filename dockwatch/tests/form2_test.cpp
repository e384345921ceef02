#include "dockwatch/form2.h"

#include "messageboxwatcher.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

namespace {

using dockwatch::Form2;
using testsupport::MessageBoxWatcher;
using testsupport::processEventsFor;

QLineEdit* field(QWidget* w, const char* name) { return w->findChild<QLineEdit*>(QLatin1String(name)); }

Form2* openWith(const QString& address)
{
    auto* form = new Form2;
    form->text1()->setText(address);
    form->show();
    return form;
}

TEST(Form2, LooksUpTheAddressOneSecondAfterItOpens)
{
    MessageBoxWatcher boxes;
    QPointer<Form2> form = openWith("127.0.0.1");
    EXPECT_EQ(form->windowTitle(), "DNS Name  Resolver");
    EXPECT_EQ(field(form, "Text11")->text(), "Remote  IP Address");
    EXPECT_EQ(field(form, "Text21")->text(), "Remote Hostname");
    auto* text3 = field(form, "text3");

    QElapsedTimer t;
    t.start();
    while (text3->text().isEmpty() && t.elapsed() < 3000)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    EXPECT_EQ(text3->text(), "dockwatch-loopback.test");  // the official name in the test's /etc/hosts
    EXPECT_GE(t.elapsed(), 900);
    EXPECT_TRUE(boxes.boxes().empty());

    // Once only: the lookup does not repeat.
    text3->clear();
    processEventsFor(1200);
    EXPECT_TRUE(text3->text().isEmpty());
    QTest::mouseClick(form->findChild<QPushButton*>("Command1"), Qt::LeftButton);
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(form.isNull());
}

TEST(Form2, FailuresShowTheirMessageAndLeaveTheNameEmpty)
{
    struct Case {
        const char* address;
        const char* message;
    } cases[] = {
        {"127.0.0.2", "Call to gethostbyaddr failed."},  // no reverse entry
        {"not-an-ip", "String passed is an invalid IP."},
        {"255.255.255.255", "String passed is an invalid IP."},
        {"", "String passed is an invalid IP."},
    };
    for (const auto& c : cases) {
        MessageBoxWatcher boxes;
        QPointer<Form2> form = openWith(c.address);
        ASSERT_TRUE(boxes.waitFor(1, 4000)) << c.address;
        processEventsFor(50);
        ASSERT_EQ(boxes.boxes().size(), 1u) << c.address;
        EXPECT_EQ(boxes.boxes()[0].text, c.message) << c.address;
        EXPECT_EQ(boxes.boxes()[0].title, "Dockwatch");
        EXPECT_EQ(boxes.boxes()[0].icon, QMessageBox::NoIcon);
        EXPECT_TRUE(field(form, "text3")->text().isEmpty());
        form->close();
    }
}

TEST(Form2, ClosingBeforeTheTickRunsNoLookup)
{
    MessageBoxWatcher boxes;
    QPointer<Form2> form = openWith("not-an-ip");
    processEventsFor(200);
    form->close();
    processEventsFor(1300);
    EXPECT_TRUE(boxes.boxes().empty());
    EXPECT_TRUE(form.isNull());
}

} // namespace
