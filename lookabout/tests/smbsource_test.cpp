// The SMB source against the test file servers (testenv/fileservers).
#include "lookabout/smbsource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <random>

namespace {

using lookabout::SmbSource;
using Names = std::vector<std::string>;

Names names(const lookabout::Listing& l)
{
    Names n;
    for (const auto& f : l.items)
        n.push_back(f.name);
    std::sort(n.begin(), n.end());
    return n;
}

TEST(SmbUrl, EveryPartStaysOneName)
{
    EXPECT_EQ(lookabout::smbUrl("fs1"), "smb://fs1/");
    EXPECT_EQ(lookabout::smbUrl("fs1", "backup$"), "smb://fs1/backup%24");
    EXPECT_EQ(lookabout::smbUrl("fs1", "public", {"a #b%20c", "x/y?z@w"}),
              "smb://fs1/public/a%20%23b%2520c/x%2Fy%3Fz%40w");
    EXPECT_EQ(lookabout::smbUrl("-o", "-x"), "smb://-o/-x");
}

TEST(SmbSource, BrowseListHoldsTheServersThatAnnounceThemselves)
{
    SmbSource smb(3000);
    const auto l = smb.computers();
    ASSERT_FALSE(l.error) << l.error->description;
    // fs2 runs no NetBIOS name service: it is only on DNS-SD.
    EXPECT_EQ(names(l), Names{"FS1"});
}

TEST(SmbSource, SharesAreDiskSharesWithTheDollarSharesMarked)
{
    SmbSource smb(3000);
    const auto l = smb.shares("fs1");
    ASSERT_FALSE(l.error) << l.error->description;
    EXPECT_EQ(names(l), (Names{"alice", "backup$", "drop", "public"}));
    for (const auto& f : l.items)
        EXPECT_EQ(f.hidden, f.name == "backup$") << f.name;
    EXPECT_EQ(names(smb.shares("fs2")), Names{"media"});
}

TEST(SmbSource, FoldersAreListedWithoutFiles)
{
    SmbSource smb(3000);
    const struct {
        std::string share;
        Names path;
        Names want;
    } cases[] = {
        {"public", {}, {"Reports", "Templates", "a #b%20c"}},
        {"public", {"Reports"}, {"2026"}},
        {"public", {"a #b%20c"}, {}},
        {"backup$", {}, {"Nightly"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.share + (c.path.empty() ? "" : "/" + c.path[0]));
        const auto l = smb.folders("fs1", c.share, c.path);
        ASSERT_FALSE(l.error) << l.error->description;
        EXPECT_EQ(names(l), c.want);
    }
    const auto missing = smb.folders("fs1", "public", {"Nothing"});
    ASSERT_TRUE(missing.error);
    EXPECT_EQ(missing.error->number, ENOENT);
}

TEST(SmbSource, NamedUsersShareOpensWithItsPasswordOnly)
{
    SmbSource smb(3000);
    auto l = smb.folders("fs1", "alice", {});
    ASSERT_TRUE(l.error);
    EXPECT_TRUE(l.error->refused);
    EXPECT_EQ(l.error->description, "\\\\fs1\\alice: access denied; the server refused the user name or password.");

    smb.setCredentials("FS1", "alice", "wrong");
    l = smb.folders("fs1", "alice", {});
    ASSERT_TRUE(l.error);
    EXPECT_TRUE(l.error->refused);

    smb.setCredentials("fs1", "alice", "Alice.Lb.2026");
    l = smb.folders("fs1", "alice", {});
    ASSERT_FALSE(l.error) << l.error->description;
    EXPECT_EQ(names(l), Names{"Private"});
    // The guest shares still open for the same server.
    EXPECT_FALSE(smb.folders("fs1", "public", {}).error);
}

TEST(SmbSource, UnreachableAndSilentServersFailWithinTheTimeout)
{
    SmbSource smb(2000);
    const struct {
        std::string host;
        std::string text;
    } cases[] = {
        {"mute", "\\\\mute: the server did not answer in time."},
        {"gone", "\\\\gone: the computer cannot be reached."},
        {"nosuch", "\\\\nosuch: the computer cannot be found, or it does not share files."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.host);
        const auto t0 = std::chrono::steady_clock::now();
        const auto l = smb.shares(c.host);
        const auto s = std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - t0);
        ASSERT_TRUE(l.error);
        EXPECT_EQ(l.error->description, c.text);
        EXPECT_FALSE(l.error->refused);
        EXPECT_LE(s.count(), 10);
    }
}

TEST(SmbSource, NewFolderExistsOnTheServerAfterwards)
{
    SmbSource smb(3000);
    const std::string name = "made " + std::to_string(std::random_device{}());
    ASSERT_FALSE(smb.makeFolder("fs1", "drop", {name}));
    const auto l = smb.folders("fs1", "drop", {});
    EXPECT_NE(std::find(names(l).begin(), names(l).end(), name), names(l).end());
    const auto again = smb.makeFolder("fs1", "drop", {name});
    ASSERT_TRUE(again);
    EXPECT_EQ(again->number, EEXIST);
    const auto readOnly = smb.makeFolder("fs1", "public", {name});
    ASSERT_TRUE(readOnly);
    EXPECT_TRUE(readOnly->refused);
}

} // namespace
