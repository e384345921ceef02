#pragma once
// Where a container lives: a domain is served by one of its domain
// controllers, a computer by itself. Names are looked up as data only.
#include <chrono>
#include <string>

namespace ads {

struct Location {
    std::string host;     // the canonical DNS name to connect to (Kerberos needs names)
    bool domain = false;  // the container is a domain, served by this DC
};

// Throws ads::Error: 53 for a name that does not resolve or a host that does
// not answer on port 445 within the wait.
Location LocateContainer(const std::string& name, std::chrono::milliseconds wait = std::chrono::milliseconds(3000));

} // namespace ads
