// The directory against the real test domain: run in the client workstation
// with the administrator's ticket (testenv/domain/client-run).
#include "directory/directory.h"
#include "directory/error.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
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
    EXPECT_EQ(members("WinNT://corp.test/Finance,group"), (Names{"JSmith", "adoe", "zoe.muller"}));
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

    auto zoe = dir->BindUser("WinNT://corp.test/zoe.muller,user");
    EXPECT_EQ(zoe->FullName(), "Zoë Müller");
    Names groups;
    zoe->Groups([&](const std::string& n) { groups.push_back(n); });
    EXPECT_EQ(sorted(groups), (Names{"Domain Users", "Finance", "Sales"}));

    Names local;
    jane->Groups([&](const std::string& n) { local.push_back(n); });
    EXPECT_EQ(sorted(local), (Names{"FileOperators"}));
}

} // namespace
