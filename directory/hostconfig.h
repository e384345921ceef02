#pragma once
// This computer's own network identity, as Samba's configuration gives it.
#include <string>

namespace ads {

struct HostConfig {
    std::string netbiosName;   // "netbios name", or the host name's first label in upper case
    std::string workgroup;     // "workgroup", default WORKGROUP
    std::string realm;         // "realm", as written
    bool adsMember = false;    // security = ads, or an AD domain controller
};

// Reads smb.conf through Samba's loadparm; throws ads::Error when it cannot.
HostConfig ReadHostConfig();

} // namespace ads
