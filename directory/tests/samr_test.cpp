// The directory against the real test domain: run in the client workstation
// with the administrator's ticket (testenv/domain/client-run).
#include "directory/directory.h"
#include "directory/error.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdlib>
#include <cstdio>
#include <memory>
#include <regex>
#include <set>

namespace {

using Names = std::vector<std::string>;

Names sorted(Names v)
{
    std::sort(v.begin(), v.end());
    return v;
}

// The names in square brackets that rpcclient prints first on each line ("user:[x] rid:[0x1]").
Names rpcclient(const std::string& host, const std::string& command)
{
    const std::string cmd = "rpcclient -N --use-kerberos=required " + host + " -c '" + command + "' 2>&1";
    std::unique_ptr<FILE, decltype(&pclose)> p(popen(cmd.c_str(), "r"), pclose);
    Names out;
    std::array<char, 4096> line{};
    static const std::regex first(R"(^\w+:\[([^\]]*)\])");
    while (p && fgets(line.data(), line.size(), p.get())) {
        std::cmatch m;
        if (std::regex_search(line.data(), m, first))
            out.push_back(m[1]);
    }
    return out;
}

class Samr : public ::testing::Test {
protected:
    Names list(const std::string& container, const std::string& cls)
    {
        auto c = dir->BindContainer(ads::ContainerPath(container));
        c->SetFilter({cls});
        Names out;
        c->Enumerate([&](const std::string& n) { out.push_back(n); });
        return out;
    }
    Names members(const std::string& path)
    {
        Names out;
        dir->BindGroup(path)->Members([&](const std::string& n) { out.push_back(n); });
        return sorted(out);
    }
    std::unique_ptr<ads::Directory> dir = ads::OpenSamrDirectory();
};

TEST_F(Samr, ListingsEqualWhatTheServersReport)
{
    EXPECT_EQ(list("corp.test", "User"), rpcclient("dc1.corp.test", "enumdomusers"));
    EXPECT_EQ(sorted(list("corp.test", "Group")), sorted(rpcclient("dc1.corp.test", "enumdomgroups")));
    EXPECT_EQ(sorted(list("CORP", "user")), sorted(list("corp.test", "User")));  // the NetBIOS name
    EXPECT_EQ(sorted(list("corp.test", "Computer")), (Names{"DC1", "FILES1", "PRINTSRV", "WS1", "WS2"}));

    EXPECT_EQ(list("files1.corp.test", "User"), rpcclient("files1.corp.test", "enumdomusers"));
    Names aliases = rpcclient("files1.corp.test", "enumalsgroups builtin");
    for (const auto& a : rpcclient("files1.corp.test", "enumalsgroups domain"))
        aliases.push_back(a);
    EXPECT_EQ(sorted(list("FILES1", "Group")), sorted(aliases));
    EXPECT_TRUE(list("FILES1", "Computer").empty());
}

TEST_F(Samr, OneContainerFilteredAndEnumeratedInTurn)
{
    auto c = dir->BindContainer("WinNT://FILES1");
    Names users, groups;
    c->SetFilter({"User"});
    c->Enumerate([&](const std::string& n) { users.push_back(n); });
    c->SetFilter({"Group"});
    c->Enumerate([&](const std::string& n) { groups.push_back(n); });
    EXPECT_EQ(sorted(users), (Names{"jsmith", "kiosk", "scanner"}));
    EXPECT_NE(std::find(groups.begin(), groups.end(), "FileOperators"), groups.end());
    EXPECT_NE(std::find(groups.begin(), groups.end(), "Administrators"), groups.end());
}

TEST_F(Samr, MembersByPlainName)
{
    EXPECT_EQ(members("WinNT://corp.test/All Staff,group"), (Names{"Finance", "Sales", "tlee"}));
    EXPECT_EQ(members("WinNT://corp.test/Finance,group"), (Names{"JSmith", "Zoë Müller", "adoe"}));
    EXPECT_TRUE(members("WinNT://corp.test/Project Orion,group").empty());
    EXPECT_EQ(members("WinNT://FILES1/FileOperators,group"), (Names{"adoe", "cnguyen", "jsmith"}));
    EXPECT_EQ(members("WinNT://FILES1/Administrators,group"), (Names{"Domain Admins"}));
}

TEST_F(Samr, UserDetailsAndGroups)
{
    auto john = dir->BindUser("WinNT://corp.test/JSmith,user");
    EXPECT_EQ(john->FullName(), "John Smith");
    EXPECT_EQ(john->Description(), "Accounts payable clerk");
    EXPECT_FALSE(john->AccountDisabled());
    EXPECT_EQ(john->ADsPath(), "WinNT://corp.test/JSmith,user");
    EXPECT_TRUE(dir->BindUser("WinNT://corp.test/eolsen,user")->AccountDisabled());

    auto jane = dir->BindUser("WinNT://FILES1/jsmith,user");  // the local twin
    EXPECT_EQ(jane->FullName(), "Jane Smith");

    auto zoe = dir->BindUser("WinNT://corp.test/Zoë Müller,user");
    EXPECT_EQ(zoe->FullName(), "Zoë Müller");
    Names groups;
    zoe->Groups([&](const std::string& n) { groups.push_back(n); });
    EXPECT_EQ(sorted(groups), (Names{"Domain Users", "Finance", "Sales"}));

    Names local;
    jane->Groups([&](const std::string& n) { local.push_back(n); });
    EXPECT_EQ(sorted(local), (Names{"FileOperators"}));
}

// A fresh directory reads what the server holds now, not what this one remembers.
Names membersNow(const std::string& path)
{
    Names out;
    ads::OpenSamrDirectory()->BindGroup(path)->Members([&](const std::string& n) { out.push_back(n); });
    return sorted(out);
}

std::int32_t hr(std::uint32_t win32) { return ads::hresultFromWin32(win32); }

template <class F>
std::int32_t errorOf(F&& f)
{
    try {
        f();
    } catch (const ads::Error& e) {
        EXPECT_FALSE(e.description().empty());
        return e.number();
    }
    return 0;
}

TEST_F(Samr, ChangesReadBackFromTheServer)
{
    const std::string adoe = "WinNT://corp.test/adoe,user";
    auto auditors = dir->BindGroup("WinNT://FILES1/Auditors,group");
    auditors->Add(adoe);
    auditors->SetInfo();
    EXPECT_EQ(membersNow("WinNT://FILES1/Auditors,group"), (Names{"adoe"}));
    auditors->Remove(adoe);
    EXPECT_TRUE(membersNow("WinNT://FILES1/Auditors,group").empty());

    auto orion = dir->BindGroup("WinNT://corp.test/Project Orion,group");
    orion->Add("WinNT://corp.test/dpatel,user");
    orion->SetInfo();
    EXPECT_EQ(membersNow("WinNT://corp.test/Project Orion,group"), (Names{"dpatel"}));
    orion->Remove("WinNT://corp.test/dpatel,user");
    EXPECT_TRUE(membersNow("WinNT://corp.test/Project Orion,group").empty());

    const std::string maria = "WinNT://corp.test/mgarcia,user";
    for (const auto& [full, description] : {std::pair<std::string, std::string>{"María G. García", "Front desk; 2nd floor"},
                                            {"", ""},
                                            {"María García", "Receptionist"}}) {
        auto u = dir->BindUser(maria);
        u->SetFullName(full);
        u->SetDescription(description);
        u->SetInfo();
        auto now = ads::OpenSamrDirectory()->BindUser(maria);
        EXPECT_EQ(now->FullName(), full);
        EXPECT_EQ(now->Description(), description);
    }

    for (bool disabled : {true, false}) {
        auto u = dir->BindUser("WinNT://corp.test/tlee,user");
        u->SetAccountDisabled(disabled);
        u->SetInfo();
        EXPECT_EQ(ads::OpenSamrDirectory()->BindUser("WinNT://corp.test/tlee,user")->AccountDisabled(), disabled);
    }
}

TEST_F(Samr, APasswordSetIsThePasswordToLogOnWith)
{
    dir->BindUser("WinNT://corp.test/cnguyen,user")->SetPassword("Fresh.Start.88");
    const std::string kinit = "echo 'Fresh.Start.88' | KRB5CCNAME=FILE:${TMPDIR:-/tmp}/cnguyen.cc kinit cnguyen >/dev/null 2>&1";
    EXPECT_EQ(std::system(kinit.c_str()), 0);
    const std::string wrong = "echo 'Ticket.55h' | KRB5CCNAME=FILE:${TMPDIR:-/tmp}/cnguyen.cc kinit cnguyen >/dev/null 2>&1";
    EXPECT_NE(std::system(wrong.c_str()), 0);
}

TEST_F(Samr, FailuresCarryTheirNumber)
{
    EXPECT_EQ(errorOf([&] { dir->BindUser("WinNT://corp.test/nosuchuser,user"); }), hr(2221));
    EXPECT_EQ(errorOf([&] { dir->BindGroup("WinNT://corp.test/nosuchgroup,group"); }), hr(2220));
    EXPECT_EQ(errorOf([&] { dir->BindUser("WinNT://corp.test/Finance,user"); }), hr(2221));    // a group
    EXPECT_EQ(errorOf([&] { dir->BindGroup("WinNT://corp.test/JSmith,group"); }), hr(2220));   // a user
    EXPECT_EQ(errorOf([&] { dir->BindGroup("WinNT://FILES1/jsmith,group"); }), hr(2220));
    EXPECT_EQ(errorOf([&] { dir->BindGroup("WinNT://FILES1/FileOperators,group")->Add("WinNT://corp.test/adoe,user"); }),
              hr(1378));  // already a member
    EXPECT_EQ(errorOf([&] { dir->BindGroup("WinNT://FILES1/Auditors,group")->Remove("WinNT://corp.test/adoe,user"); }),
              hr(1377));  // not a member
    EXPECT_EQ(errorOf([&] { dir->BindGroup("WinNT://corp.test/Finance,group")->Add("WinNT://corp.test/JSmith,user"); }),
              hr(1320));
    EXPECT_EQ(errorOf([&] { dir->BindGroup("WinNT://corp.test/Project Orion,group")->Remove("WinNT://corp.test/JSmith,user"); }),
              hr(1321));
    EXPECT_EQ(errorOf([&] { dir->BindUser("WinNT://corp.test/cnguyen,user")->SetPassword("weakpass"); }), hr(1325));
    EXPECT_EQ(errorOf([&] { dir->BindContainer("WinNT://nosuchhost"); }), hr(53));
}

TEST_F(Samr, AComputerThatDoesNotAnswerIsReportedWithinAFewSeconds)
{
    // silent.corp.test: an address on the LAN where no host answers.
    const auto t0 = std::chrono::steady_clock::now();
    EXPECT_EQ(errorOf([&] { dir->BindContainer("WinNT://silent.corp.test"); }), hr(53));
    EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::seconds(5));
}

TEST_F(Samr, BadNamesAreDataAndFailCleanly)
{
    const std::string longName(10000, 'a');
    const Names bad = {"", longName, "a/b", "a,b", "a\\b", "\"quoted\"", "'single'", "-rf", "two words", "Zoë Müllerx",
                       "JSmith,group", "..", "*"};
    for (const std::string& name : bad) {
        SCOPED_TRACE(name.substr(0, 40));
        EXPECT_NE(errorOf([&] { dir->BindContainer(ads::ContainerPath(name)); }), 0);
        EXPECT_EQ(errorOf([&] { dir->BindUser(ads::UserPath("corp.test", name)); }),
                  name.empty() ? ads::E_ADS_BAD_PATHNAME : hr(2221));
        EXPECT_EQ(errorOf([&] { dir->BindGroup(ads::GroupPath("FILES1", name)); }),
                  name.empty() ? ads::E_ADS_BAD_PATHNAME : hr(2220));
    }
    // Real accounts with non-ASCII names and a space are listed, read and changed like any other.
    Names users;
    auto domain = dir->BindContainer("WinNT://corp.test");
    domain->SetFilter({"User"});
    domain->Enumerate([&](const std::string& n) { users.push_back(n); });
    EXPECT_NE(std::find(users.begin(), users.end(), "björn"), users.end());
    EXPECT_NE(std::find(users.begin(), users.end(), "Zoë Müller"), users.end());
    auto zoe = dir->BindUser(ads::UserPath("corp.test", "Zoë Müller"));
    zoe->SetFullName("Zoë M. Müller");
    zoe->SetInfo();
    EXPECT_EQ(ads::OpenSamrDirectory()->BindUser("WinNT://corp.test/Zoë Müller,user")->FullName(), "Zoë M. Müller");
    zoe->SetFullName("Zoë Müller");
    zoe->SetInfo();
    auto bjorn = dir->BindUser(ads::UserPath("corp.test", "björn"));
    EXPECT_EQ(bjorn->FullName(), "Björn Åström");
    bjorn->SetDescription("Lagerchef, Göteborg");
    bjorn->SetInfo();
    EXPECT_EQ(ads::OpenSamrDirectory()->BindUser("WinNT://corp.test/björn,user")->Description(), "Lagerchef, Göteborg");
    bjorn->SetDescription("Warehouse manager, Göteborg");
    bjorn->SetInfo();
}

// Run with an ordinary user's ticket.
TEST(SamrAsOrdinaryUser, ChangesAreRefused)
{
    auto dir = ads::OpenSamrDirectory();
    EXPECT_FALSE(membersNow("WinNT://FILES1/FileOperators,group").empty());  // reading is allowed
    EXPECT_EQ(errorOf([&] { dir->BindGroup("WinNT://FILES1/Auditors,group")->Add("WinNT://corp.test/adoe,user"); }), hr(5));
    EXPECT_EQ(errorOf([&] {
                  auto u = dir->BindUser("WinNT://corp.test/tlee,user");
                  u->SetAccountDisabled(true);
                  u->SetInfo();
              }),
              hr(5));
}

// Run without any ticket.
TEST(SamrWithoutTicket, NoLogon)
{
    auto dir = ads::OpenSamrDirectory();
    EXPECT_EQ(errorOf([&] { dir->BindContainer("WinNT://corp.test"); }), hr(1326));
    EXPECT_EQ(errorOf([&] { dir->BindContainer("WinNT://FILES1"); }), hr(1326));
}

} // namespace
