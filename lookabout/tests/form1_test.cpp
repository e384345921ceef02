// The whole tool against the test file servers, on the offscreen platform.
#include "tool.h"

#include "lookabout/smbsource.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

#include <algorithm>

namespace {

using lookabout::BrowseForFolder;
using tool::Outcome;

TEST(Form1, ChoosingAShareOrFolderKeepsAndPrintsItsPathAndEnds)
{
    const struct {
        QStringList names;
        QString path;
    } cases[] = {
        {{"FS1", "public"}, "\\\\FS1\\public"},
        {{"FS1", "public", "Reports", "2026"}, "\\\\FS1\\public\\Reports\\2026"},
        {{"FS1", "public", "a #b%20c"}, "\\\\FS1\\public\\a #b%20c"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        const Outcome o = tool::run([&](BrowseForFolder& d) {
            QTreeWidgetItem* item = tool::open(d, c.names);
            ASSERT_TRUE(item) << tool::status(d).toStdString();
            tool::choose(d, item);
        });
        EXPECT_TRUE(o.ended);
        EXPECT_TRUE(o.formGone);
        EXPECT_FALSE(o.everShown);
        EXPECT_EQ(o.text2, c.path);
        EXPECT_EQ(o.printed, c.path.toStdString() + "\n");
    }
}

TEST(Form1, CancelKeepsNothingAndPrintsNothing)
{
    const Outcome o = tool::run([](BrowseForFolder& d) {
        tool::open(d, {"FS1"});
        tool::click(d, "cmdCancel");
    });
    EXPECT_TRUE(o.ended);
    EXPECT_TRUE(o.formGone);
    EXPECT_FALSE(o.everShown);
    EXPECT_EQ(o.text2, "");
    EXPECT_EQ(o.printed, "");
}

TEST(Form1, InitialSettingsOpenTheNewerResizableStyleWithTheNewFolderButton)
{
    const Outcome o = tool::run([](BrowseForFolder& d) {
        EXPECT_EQ(d.flags(), 0x41u);
        EXPECT_EQ(d.windowTitle(), "Select a network computer or share.");
        EXPECT_EQ(d.findChild<QLabel*>("lblTitle")->text(), "Select a network computer or share.");
        EXPECT_NE(d.minimumSize(), d.maximumSize());
        EXPECT_TRUE(d.findChild<QPushButton*>("cmdNewFolder")->isVisible());
        // Only items with a path can be chosen.
        auto* ok = d.findChild<QPushButton*>("cmdOK");
        EXPECT_FALSE(ok->isEnabled());
        QTreeWidgetItem* fs1 = tool::open(d, {"FS1"});
        ASSERT_TRUE(fs1);
        tool::tree(d)->setCurrentItem(fs1);
        EXPECT_FALSE(ok->isEnabled());
        tool::tree(d)->setCurrentItem(tool::open(d, {"FS1", "public"}));
        EXPECT_TRUE(ok->isEnabled());
        tool::click(d, "cmdCancel");
    });
    EXPECT_TRUE(o.ended);
}

TEST(Form1, NoNewFolderSettingHidesTheButton)
{
    const Outcome o = tool::run(
        [](BrowseForFolder& d) {
            EXPECT_EQ(d.flags(), 0x241u);
            EXPECT_FALSE(d.findChild<QPushButton*>("cmdNewFolder")->isVisible());
            tool::click(d, "cmdCancel");
        },
        {}, [](QWidget& form) { form.findChild<QCheckBox*>("Check2")->setChecked(true); });
    EXPECT_TRUE(o.ended);
    EXPECT_FALSE(o.everShown);
}

TEST(BrowseForFolder, OlderStyleIsAFixedSizeWithoutTheNewFolderButton)
{
    BrowseForFolder d("t", 0x1, {false, false, 3000});
    d.show();
    EXPECT_EQ(d.minimumSize(), d.maximumSize());
    EXPECT_FALSE(d.findChild<QPushButton*>("cmdNewFolder")->isVisible());
}

TEST(BrowseForFolder, ComputersComeFromEachSourceAndMergeWithoutDuplicates)
{
    const struct {
        const char* name;
        BrowseForFolder::Sources sources;
        QStringList want;
    } cases[] = {
        {"browse list", {true, false, 3000}, {"FS1"}},
        {"DNS-SD", {false, true, 3000}, {"fs1", "fs2"}},
        // The browse list's spelling wins.
        {"both", {true, true, 3000}, {"FS1", "fs2"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        BrowseForFolder d("t", 0x41, c.sources);
        d.show();
        QTreeWidgetItem* root = tool::tree(d)->topLevelItem(0);
        tool::waitUntil([&] { return tool::childNames(root) == c.want; });
        // Late answers add nothing more.
        tool::waitUntil([] { return false; }, 1500);
        EXPECT_EQ(tool::childNames(root), c.want);
    }
}

TEST(BrowseForFolder, SharesShowTheHiddenOnesMarked)
{
    BrowseForFolder d("t", 0x41, {true, false, 3000});
    d.show();
    QTreeWidgetItem* fs1 = tool::open(d, {"FS1"});
    ASSERT_TRUE(fs1);
    fs1->setExpanded(true);
    tool::waitUntil([&] { return fs1->childCount() == 4; });
    EXPECT_EQ(tool::childNames(fs1), (QStringList{"alice", "backup$", "drop", "public"}));
    for (int i = 0; i < fs1->childCount(); ++i) {
        const bool hidden = fs1->child(i)->text(0) == "backup$";
        EXPECT_EQ(fs1->child(i)->toolTip(0), hidden ? "Hidden share" : "") << fs1->child(i)->text(0).toStdString();
        EXPECT_EQ(fs1->child(i)->font(0).italic(), hidden);
    }
}

TEST(BrowseForFolder, TypedNamesAreListedAndOpened)
{
    const struct {
        QString typed;
        QString path;
    } cases[] = {
        {"\\\\fs2\\media\\Music", "\\\\fs2\\media\\Music"},
        {"smb://fs2/media/Video", "\\\\fs2\\media\\Video"},
        {"//FS1/Public", "\\\\FS1\\public"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        BrowseForFolder d("t", 0x41, {false, false, 3000});
        d.show();
        tool::type(d, c.typed);
        const QString last = c.path.section('\\', -1);
        tool::waitUntil([&] {
            QTreeWidgetItem* current = tool::tree(d)->currentItem();
            return current && current->text(0) == last;
        });
        tool::click(d, "cmdOK");
        EXPECT_EQ(d.chosenPath(), c.path) << tool::status(d).toStdString();
    }
    BrowseForFolder d("t", 0x41, {false, false, 3000});
    tool::type(d, "fs1");
    EXPECT_TRUE(tool::status(d).startsWith("\"fs1\" is not a network name"));
    EXPECT_EQ(tool::tree(d)->topLevelItem(0)->childCount(), 0);
}

TEST(BrowseForFolder, ItemWithoutAPathGivesItsNameWhenAllowed)
{
    BrowseForFolder d("t", 0x40, {true, false, 3000});
    d.show();
    tool::choose(d, tool::open(d, {"FS1"}));
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(d.chosenPath(), "");
    EXPECT_EQ(d.chosenName(), "FS1");
}

TEST(BrowseForFolder, NamedUsersShareAsksForAPasswordAndTriesAgain)
{
    BrowseForFolder d("t", 0x41, {true, false, 3000});
    d.show();
    // A refused password: a clear line, and the rest of the tree still works.
    tool::answerLogon("alice", "wrong");
    QTreeWidgetItem* alice = tool::open(d, {"FS1", "alice"});
    ASSERT_TRUE(alice);
    alice->setExpanded(true);
    EXPECT_TRUE(tool::waitUntil([&] { return tool::status(d).contains("refused the user name or password"); }));
    EXPECT_EQ(tool::status(d), "\\\\FS1\\alice: access denied; the server refused the user name or password.");
    EXPECT_TRUE(tool::open(d, {"FS1", "public", "Templates"}));

    tool::answerLogon("alice", "Alice.Lb.2026");
    EXPECT_TRUE(tool::open(d, {"FS1", "alice", "Private"})) << tool::status(d).toStdString();
}

TEST(BrowseForFolder, UnreachableAndSilentServersShowALineAndLeaveTheTreeUsable)
{
    BrowseForFolder d("t", 0x41, {true, false, 2000});
    d.show();
    const struct {
        QString typed;
        QString line;
    } cases[] = {
        {"\\\\mute", "\\\\mute: the server did not answer in time."},
        {"\\\\gone", "\\\\gone: the computer cannot be reached."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        tool::type(d, c.typed);
        EXPECT_TRUE(tool::waitUntil([&] { return tool::status(d) == c.line; }, 20000)) << tool::status(d).toStdString();
        EXPECT_TRUE(tool::open(d, {"FS1", "public"}));
    }
}

TEST(BrowseForFolder, NewFolderIsMadeInTheSelectedShareAndSelected)
{
    BrowseForFolder d("t", 0x41, {true, false, 3000});
    d.show();
    QTreeWidgetItem* drop = tool::open(d, {"FS1", "drop"});
    ASSERT_TRUE(drop);
    drop->setExpanded(true);
    tool::waitUntil([&] { return drop->data(0, Qt::UserRole + 2).toInt() == 2; });
    const int before = drop->childCount();
    tool::tree(d)->setCurrentItem(drop);
    tool::click(d, "cmdNewFolder");
    ASSERT_TRUE(tool::waitUntil([&] { return drop->childCount() == before + 1; })) << tool::status(d).toStdString();
    QTreeWidgetItem* made = tool::tree(d)->currentItem();
    ASSERT_EQ(made->parent(), drop);
    EXPECT_TRUE(made->text(0).startsWith("New Folder"));

    lookabout::SmbSource smb(3000);
    const auto l = smb.folders("fs1", "drop", {});
    ASSERT_FALSE(l.error);
    EXPECT_TRUE(std::any_of(l.items.begin(), l.items.end(),
                            [&](const lookabout::Found& f) { return QString::fromStdString(f.name) == made->text(0); }));

    // A read-only share refuses, with a line.
    tool::tree(d)->setCurrentItem(tool::open(d, {"FS1", "public"}));
    tool::click(d, "cmdNewFolder");
    EXPECT_TRUE(tool::waitUntil([&] { return tool::status(d).startsWith("Making \\\\FS1\\public\\New Folder: access denied"); }))
        << tool::status(d).toStdString();
}

} // namespace
