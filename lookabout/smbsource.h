#pragma once
// Computers, shares and folders of the network as the SMB servers tell them:
// the browse list over SMB1 (the only protocol that carries it) and shares
// and folders over SMB2/3. Plain C++ over libsmbclient.
//
// libsmbclient is not thread-safe: one SmbSource, one thread, all calls on it.
#include <map>
#include <optional>
#include <string>
#include <vector>

typedef struct _SMBCCTX SMBCCTX;

namespace lookabout {

// A failure as the user reads it: what was tried and why it failed.
struct NetError {
    int number = 0;          // errno
    std::string description; // "\\FS1\alice: access denied."
    bool refused = false;    // the server wants (other) credentials
};

struct Found {
    std::string name;
    std::string comment;
    bool hidden = false; // a share whose name ends in "$"
};

struct Listing {
    std::vector<Found> items;
    std::optional<NetError> error;
};

// One way to write a failure for each errno; unknown numbers keep the
// system's text.
NetError netError(int err, const std::string& what);

// smb://host/share/a/b with every part percent-encoded, so that a name
// holding "/", "%", "#", "?" or "@" stays one name.
std::string smbUrl(const std::string& host, const std::string& share = {},
                   const std::vector<std::string>& path = {});

class SmbSource {
public:
    // timeoutMs bounds every connect and every answer awaited.
    explicit SmbSource(int timeoutMs = 5000);
    ~SmbSource();
    SmbSource(const SmbSource&) = delete;
    SmbSource& operator=(const SmbSource&) = delete;

    // The servers of every workgroup in the browse list.
    Listing computers();
    // Disk shares of a server, "$" shares marked hidden.
    Listing shares(const std::string& host);
    // Folders (never files) inside a share or one of its folders.
    Listing folders(const std::string& host, const std::string& share, const std::vector<std::string>& path);
    // Makes the last part of path inside the share.
    std::optional<NetError> makeFolder(const std::string& host, const std::string& share,
                                       const std::vector<std::string>& path);

    // Used for every later connection to host; empty user: a guest.
    void setCredentials(const std::string& host, const std::string& user, const std::string& password);

private:
    struct Credentials {
        std::string user, password;
    };
    static void authenticate(SMBCCTX* c, const char* srv, const char* shr, char* wg, int wglen,
                             char* un, int unlen, char* pw, int pwlen);
    SMBCCTX* open(bool browse);
    Listing list(SMBCCTX* ctx, const std::string& url, const std::string& what, unsigned wanted);

    int timeoutMs_;
    SMBCCTX* browse_ = nullptr;
    SMBCCTX* files_ = nullptr;
    std::map<std::string, Credentials> credentials_; // by host in upper case
};

} // namespace lookabout
