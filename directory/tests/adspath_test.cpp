#include "directory/adspath.h"
#include "directory/error.h"

#include <gtest/gtest.h>

namespace {

TEST(AdsPath, PartsAsJoined)
{
    struct Case {
        const char* path;
        const char* container;
        const char* name;
        ads::ObjectClass cls;
    } cases[] = {
        {"WinNT://corp.test", "corp.test", "", ads::ObjectClass::Any},
        {"winnt://FILES1/Administrators,group", "FILES1", "Administrators", ads::ObjectClass::Group},
        {"WinNT://corp.test/JSmith,user", "corp.test", "JSmith", ads::ObjectClass::User},
        {"WinNT://corp.test/a/b,user", "corp.test", "a/b", ads::ObjectClass::User},     // "/" in a name
        {"WinNT://corp.test/x,y,USER", "corp.test", "x,y", ads::ObjectClass::User},      // "," in a name
        {"WinNT://corp.test/Zoë Müller,user", "corp.test", "Zoë Müller", ads::ObjectClass::User},
        {"WinNT://corp.test/plain", "corp.test", "plain", ads::ObjectClass::Any},
        {"WinNT://corp.test/x,printer", "corp.test", "x,printer", ads::ObjectClass::Any},
    };
    for (const auto& c : cases) {
        const auto p = ads::ParsePath(c.path);
        EXPECT_EQ(p.container, c.container) << c.path;
        EXPECT_EQ(p.name, c.name) << c.path;
        EXPECT_EQ(p.cls, c.cls) << c.path;
    }
    for (const char* bad : {"", "WinNT://", "WinNT:///x,user", "LDAP://corp.test", "WinNT://corp.test/,user"}) {
        try {
            ads::ParsePath(bad);
            ADD_FAILURE() << bad;
        } catch (const ads::Error& e) {
            EXPECT_EQ(e.number(), ads::E_ADS_BAD_PATHNAME) << bad;
        }
    }
    EXPECT_EQ(ads::UserPath("c", "n"), "WinNT://c/n,user");
    EXPECT_EQ(ads::GroupPath("c", "n"), "WinNT://c/n,group");
}

} // namespace
