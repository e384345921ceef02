#pragma once
// Computers that announce file sharing (_smb._tcp) over DNS-SD, through the
// local avahi-daemon. Plain C++ over the Avahi client library; Avahi runs its
// own thread, so the callbacks arrive on that thread.
#include <functional>
#include <string>

struct AvahiThreadedPoll;
struct AvahiClient;
struct AvahiServiceBrowser;

namespace lookabout {

struct Announced {
    std::string name;    // the host's name without its domain: "fs1"
    std::string address; // what to connect to: "10.88.0.11"
};

class DnsSdSource {
public:
    using Found = std::function<void(const Announced&)>;
    using Failed = std::function<void(const std::string&)>;

    DnsSdSource(Found found, Failed failed);
    // Stops Avahi's thread: no callback runs after this returns.
    ~DnsSdSource();
    DnsSdSource(const DnsSdSource&) = delete;
    DnsSdSource& operator=(const DnsSdSource&) = delete;

    // Starts browsing; false (and failed called) when the daemon is not there.
    bool start();

    // Exposed for the C callbacks only.
    void onBrowse(int event, int iface, int protocol, const char* name, const char* type, const char* domain);
    void onResolved(const char* host, const char* address);
    void onFailure(const std::string& what);

private:
    Found found_;
    Failed failed_;
    AvahiThreadedPoll* poll_ = nullptr;
    AvahiClient* client_ = nullptr;
    AvahiServiceBrowser* browser_ = nullptr;
};

} // namespace lookabout
