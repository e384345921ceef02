#include "ui/busypointer.h"
#include "ui/errors.h"
#include "ui/look.h"
#include "ui/messages.h"
#include "ui/sortedlistbox.h"

#include "messageboxwatcher.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

using testsupport::MessageBoxWatcher;

const ads::Error NoSuchUser(ads::hresultFromWin32(2221), "The user name could not be found.");

TEST(Look, ColoursAreWrittenBlueGreenRed)
{
    EXPECT_EQ(ui::vbColor(0x00C0FFFF), QColor(255, 255, 192));
    EXPECT_EQ(ui::vbColor(0x00808000), QColor(0, 128, 128));
    EXPECT_EQ(ui::vbColor(0x00800000), QColor(0, 0, 128));
    EXPECT_EQ(ui::vbColor(0x00C00000), QColor(0, 0, 192));
    EXPECT_EQ(ui::vbColor(0x0080FFFF), QColor(255, 255, 128));
}

TEST(SortedListBox, SortsWithoutRegardToCase)
{
    const QStringList expected{"Administrator", "alice", "Bob", "carol", "Guest", "zed"};
    ui::SortedListBox one;
    for (const char* name : {"zed", "Bob", "alice", "Guest", "carol", "Administrator"})
        one.addItem(name);
    EXPECT_EQ(one.texts(), expected);

    ui::SortedListBox many;
    many.addItems({"Guest", "zed", "carol", "Administrator", "Bob", "alice"});
    EXPECT_EQ(many.texts(), expected);
    many.addItem("Carl");
    EXPECT_EQ(many.texts().indexOf("Carl"), 3);
}

TEST(ErrorModes, NotHandledShowsTheDefaultReportAndEndsOnlyTheHandler)
{
    MessageBoxWatcher boxes;
    QWidget window;
    bool after = false;
    ui::notHandled(&window, [&] {
        throw NoSuchUser;
        after = true;
    });
    EXPECT_FALSE(after);
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].title, "Suitetest");
    EXPECT_EQ(boxes.boxes()[0].text, "Run-time error '-2147022675 (800708ad)':\n\nThe user name could not be found.");

    ui::notHandled(&window, [] { throw std::runtime_error("disk on fire"); });
    ASSERT_EQ(boxes.boxes().size(), 2u);
    EXPECT_TRUE(boxes.boxes()[1].text.endsWith("disk on fire"));
}

TEST(ErrorModes, ResumeNextSkipsAndErrorTrapReports)
{
    MessageBoxWatcher boxes;
    int steps = 0;
    EXPECT_FALSE(ui::resumeNext([&] { throw NoSuchUser; }));
    EXPECT_TRUE(ui::resumeNext([&] { ++steps; }));
    EXPECT_EQ(steps, 1);

    std::int32_t trapped = 0;
    ui::errorTrap([] { throw NoSuchUser; }, [&](const ads::Error& e) { trapped = e.number(); });
    EXPECT_EQ(trapped, -2147022675);
    EXPECT_TRUE(boxes.boxes().empty());
}

class Thrower : public QWidget {
public:
    void Command1_Click()
    {
        ui::BusyPointer busy(this);
        ++clicks;
        if (clicks == 1)
            throw NoSuchUser;
    }
    int clicks = 0;
};

TEST(ErrorModes, AConnectedHandlerFailsAloneAndRestoresThePointer)
{
    MessageBoxWatcher boxes;
    Thrower window;
    auto* button = new QPushButton("Go", &window);
    ui::handle(button, &QPushButton::clicked, &window, &Thrower::Command1_Click);
    window.show();

    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(window.cursor().shape(), Qt::ArrowCursor);

    window.setCursor(Qt::CrossCursor);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(window.clicks, 2);
    EXPECT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(window.cursor().shape(), Qt::CrossCursor);
}

class ThrowingTimer : public QObject {
protected:
    void timerEvent(QTimerEvent*) override { throw NoSuchUser; }
};

TEST(ErrorModes, AnErrorEscapingAnEventIsReportedAndTheProgramLives)
{
    MessageBoxWatcher boxes;
    ThrowingTimer t;
    const int id = t.startTimer(1);
    EXPECT_TRUE(boxes.waitFor(1));
    t.killTimer(id);
    EXPECT_TRUE(boxes.boxes()[0].text.contains("The user name could not be found."));
}

TEST(Messages, OneOkButtonTheIconAskedForAndTheTitle)
{
    MessageBoxWatcher boxes;
    ui::msgBox(nullptr, "plain");
    ui::msgBox(nullptr, "info", ui::Icon::Information);
    ui::msgBox(nullptr, "warn", ui::Icon::Exclamation, "Own title");
    ASSERT_EQ(boxes.boxes().size(), 3u);
    EXPECT_EQ(boxes.boxes()[0].icon, QMessageBox::NoIcon);
    EXPECT_EQ(boxes.boxes()[1].icon, QMessageBox::Information);
    EXPECT_EQ(boxes.boxes()[2].icon, QMessageBox::Warning);
    EXPECT_EQ(boxes.boxes()[0].title, "Suitetest");
    EXPECT_EQ(boxes.boxes()[2].title, "Own title");
}

} // namespace
