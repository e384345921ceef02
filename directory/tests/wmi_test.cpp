#include "directory/error.h"
#include "directory/wmi.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

using ads::Error;

TEST(WmiQuery, AcceptsTheQueryInAnyLetterCase)
{
    EXPECT_EQ(ads::QueriedClass("SELECT * FROM win32_ComputerSystem"), "win32_ComputerSystem");
    EXPECT_EQ(ads::QueriedClass("Select * from Win32_ComputerSystem"), "Win32_ComputerSystem");
    EXPECT_EQ(ads::QueriedClass("  select\t*  FROM   Win32_ComputerSystem "), "Win32_ComputerSystem");
    for (const char* bad : {"", "SELECT Name FROM Win32_ComputerSystem", "SELECT * FROM", "SELECT * Win32_ComputerSystem",
                            "SELECT * FROM Win32_ComputerSystem WHERE"}) {
        try {
            ads::QueriedClass(bad);
            ADD_FAILURE() << "accepted: " << bad;
        } catch (const Error& e) {
            EXPECT_EQ(e.number(), ads::WBEM_E_INVALID_QUERY) << bad;
        }
    }
}

TEST(WmiQuery, ComputerSystemTakesTheRealmOnlyForADomainMember)
{
    struct Case {
        ads::HostConfig config;
        const char* domain;
    } cases[] = {
        {{"WS1", "CORP", "CORP.TEST", true}, "corp.test"},
        {{"WS1", "CORP", "", true}, "CORP"},              // security = ads without a realm yet
        {{"WS1", "TESTGRP", "CORP.TEST", false}, "TESTGRP"},
        {{"WS1", "WORKGROUP", "", false}, "WORKGROUP"},
    };
    for (const auto& c : cases) {
        const auto o = ads::ComputerSystemFrom(c.config);
        EXPECT_EQ(o.get("Domain"), c.domain);
        EXPECT_EQ(o.get("domain"), c.domain);
        EXPECT_EQ(o.get("CAPTION"), "WS1");
    }
    try {
        ads::ComputerSystemFrom({}).get("NoSuchProperty");
        ADD_FAILURE();
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), 438);
    }
}

// The rest reads the real smb.conf through Samba's loadparm, in the private /etc
// that testenv/nsrun lays over the host's.
class LocalComputerSystem : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(std::filesystem::exists("/etc/.nsrun")) << "run through testenv/nsrun: this test writes /etc";
        std::filesystem::create_directories("/etc/samba");
    }
    static void writeSmbConf(const std::string& global)
    {
        std::ofstream("/etc/samba/smb.conf", std::ios::trunc) << "[global]\n" << global;
    }
    static ads::WmiObject query(const char* text = "Select * from Win32_ComputerSystem", int flags = 48)
    {
        auto objects = ads::GetObject("winmgmts:\\\\.\\root\\cimv2")->ExecQuery(text, flags);
        EXPECT_EQ(objects.size(), 1u);
        return objects.at(0);
    }
};

TEST_F(LocalComputerSystem, FollowsSmbConf)
{
    struct Case {
        const char* global;
        const char* caption;
        const char* domain;
    } cases[] = {
        {"", "WMIBOX", "WORKGROUP"},  // Samba's defaults: the host name's first label
        {"workgroup = TESTGRP\n", "WMIBOX", "TESTGRP"},
        {"netbios name = ws7\nworkgroup = CORP\nrealm = CORP.TEST\nsecurity = ads\n", "WS7", "corp.test"},
        {"netbios name = DC1\nworkgroup = CORP\nrealm = CORP.TEST\nserver role = active directory domain controller\n", "DC1",
         "corp.test"},
        {"workgroup = CORP\nrealm = CORP.TEST\nsecurity = user\n", "WMIBOX", "CORP"},
    };
    for (const auto& c : cases) {
        writeSmbConf(c.global);
        const auto o = query();
        EXPECT_EQ(o.get("Caption"), c.caption) << c.global;
        EXPECT_EQ(o.get("domain"), c.domain) << c.global;
    }
    std::filesystem::remove("/etc/samba/smb.conf");
    EXPECT_EQ(query("SELECT * FROM win32_ComputerSystem", 0).get("Domain"), "WORKGROUP");
}

TEST_F(LocalComputerSystem, RefusesOtherClassesAndComputers)
{
    try {
        query("SELECT * FROM Win32_Process");
        ADD_FAILURE();
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), ads::WBEM_E_INVALID_CLASS);
        EXPECT_EQ(e.description(), "Invalid class");
    }
    EXPECT_THROW(ads::GetObject("winmgmts:\\\\fileserver\\root\\cimv2"), Error);
    EXPECT_THROW(ads::GetObject("WinNT://CORP"), Error);
    EXPECT_NO_THROW(ads::GetObject("WINMGMTS:\\\\.\\ROOT\\CIMV2"));
}

} // namespace
