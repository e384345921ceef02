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

namespace {

using testsupport::processEventsFor;

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

TEST_F(TorvaneForm1, ExitEndsTheProgram)
{
    QTimer::singleShot(0, [&] { QTest::mouseClick(child<QPushButton>(form, "Command2"), Qt::LeftButton); });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    watchdog.start(5000);
    EXPECT_EQ(QCoreApplication::exec(), 0);
}

} // namespace
