#include "smbsource.h"

#include <libsmbclient.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <set>

namespace lookabout {

namespace {

std::string upper(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::toupper(c)); });
    return s;
}

void copyOut(char* to, int size, const std::string& from)
{
    if (size <= 0)
        return;
    const std::size_t n = std::min(from.size(), std::size_t(size - 1));
    std::memcpy(to, from.data(), n);
    to[n] = '\0';
}

std::string encode(const std::string& part)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : part) {
        if (std::isalnum(c) || c == '-' || c == '.' || c == '_' || c == '~') {
            out += char(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

} // namespace

NetError netError(int err, const std::string& what)
{
    NetError e;
    e.number = err;
    std::string why;
    switch (err) {
    case EACCES:
    case EPERM:
        why = "access denied; the server refused the user name or password.";
        e.refused = true;
        break;
    case ETIMEDOUT:
    case EAGAIN:
        why = "the server did not answer in time.";
        break;
    case EHOSTUNREACH:
    case ENETUNREACH:
    case EHOSTDOWN:
        why = "the computer cannot be reached.";
        break;
    case ECONNREFUSED:
        why = "the computer cannot be found, or it does not share files.";
        break;
    case ENOENT:
    case ENODEV:
        why = "the network name cannot be found.";
        break;
    case EEXIST:
        why = "a file or folder of that name exists already.";
        break;
    case EINVAL:
        why = "the name is not valid.";
        break;
    default:
        why = std::string(std::strerror(err)) + " (" + std::to_string(err) + ").";
        break;
    }
    e.description = what + ": " + why;
    return e;
}

std::string smbUrl(const std::string& host, const std::string& share, const std::vector<std::string>& path)
{
    std::string url = "smb://" + encode(host);
    if (!share.empty()) {
        url += "/" + encode(share);
        for (const auto& p : path)
            url += "/" + encode(p);
    }
    return url + (share.empty() && !host.empty() ? "/" : "");
}

SmbSource::SmbSource(int timeoutMs) : timeoutMs_(timeoutMs) {}

SmbSource::~SmbSource()
{
    for (SMBCCTX* c : {browse_, files_}) {
        if (c)
            smbc_free_context(c, 1);
    }
}

SMBCCTX* SmbSource::open(bool browse)
{
    SMBCCTX*& ctx = browse ? browse_ : files_;
    if (!ctx) {
        SMBCCTX* c = smbc_new_context();
        if (!c)
            return nullptr;
        // Standard output carries the tool's result: keep the library's talk off it.
        smbc_setOptionDebugToStderr(c, 1);
        smbc_setDebug(c, 0);
        smbc_setTimeout(c, timeoutMs_);
        smbc_setOptionUserData(c, this);
        smbc_setFunctionAuthDataWithContext(c, &SmbSource::authenticate);
        if (!smbc_init_context(c)) {
            smbc_free_context(c, 0);
            return nullptr;
        }
        ctx = c;
    }
    // The protocol range is one setting of the whole library, not of a
    // context: set it before each use. Only SMB1 carries the browse list.
    if (browse)
        smbc_setOptionProtocols(ctx, "NT1", "NT1");
    else
        smbc_setOptionProtocols(ctx, "SMB2_02", "SMB3");
    return ctx;
}

void SmbSource::authenticate(SMBCCTX* c, const char* srv, const char*, char*, int, char* un, int unlen,
                             char* pw, int pwlen)
{
    auto* self = static_cast<SmbSource*>(smbc_getOptionUserData(c));
    const auto it = self->credentials_.find(upper(srv ? srv : ""));
    // No credentials: a guest, never the local login name the library would pick.
    copyOut(un, unlen, it == self->credentials_.end() ? std::string() : it->second.user);
    copyOut(pw, pwlen, it == self->credentials_.end() ? std::string() : it->second.password);
}

void SmbSource::setCredentials(const std::string& host, const std::string& user, const std::string& password)
{
    credentials_[upper(host)] = {user, password};
    // A connection made with the old credentials would otherwise be reused.
    // Fresh contexts rather than the library's purge, which leaks (it runs
    // without the memory frame that the other calls make).
    for (SMBCCTX** c : {&browse_, &files_}) {
        if (*c)
            smbc_free_context(*c, 1);
        *c = nullptr;
    }
}

Listing SmbSource::list(SMBCCTX* ctx, const std::string& url, const std::string& what, unsigned wanted)
{
    Listing out;
    if (!ctx) {
        out.error = netError(ENOMEM, what);
        return out;
    }
    errno = 0;
    SMBCFILE* dir = smbc_getFunctionOpendir(ctx)(ctx, url.c_str());
    if (!dir) {
        out.error = netError(errno ? errno : EIO, what);
        return out;
    }
    while (const smbc_dirent* d = smbc_getFunctionReaddir(ctx)(ctx, dir)) {
        if (!(wanted & (1u << d->smbc_type)))
            continue;
        const std::string name(d->name);
        if (name == "." || name == "..")
            continue;
        Found f{name, std::string(d->comment), d->smbc_type == SMBC_FILE_SHARE && name.ends_with('$')};
        out.items.push_back(std::move(f));
    }
    smbc_getFunctionClosedir(ctx)(ctx, dir);
    return out;
}

Listing SmbSource::computers()
{
    SMBCCTX* ctx = open(true);
    Listing groups = list(ctx, "smb://", "The browse list", 1u << SMBC_WORKGROUP);
    Listing out;
    out.error = groups.error;
    std::set<std::string> seen;
    for (const auto& g : groups.items) {
        Listing servers = list(ctx, smbUrl(g.name), "The browse list of " + g.name, 1u << SMBC_SERVER);
        if (servers.error && !out.error)
            out.error = servers.error;
        for (auto& s : servers.items) {
            if (seen.insert(upper(s.name)).second)
                out.items.push_back(std::move(s));
        }
    }
    return out;
}

Listing SmbSource::shares(const std::string& host)
{
    return list(open(false), smbUrl(host), "\\\\" + host, 1u << SMBC_FILE_SHARE);
}

Listing SmbSource::folders(const std::string& host, const std::string& share, const std::vector<std::string>& path)
{
    std::string what = "\\\\" + host + "\\" + share;
    for (const auto& p : path)
        what += "\\" + p;
    return list(open(false), smbUrl(host, share, path), what, 1u << SMBC_DIR);
}

std::optional<NetError> SmbSource::makeFolder(const std::string& host, const std::string& share,
                                              const std::vector<std::string>& path)
{
    std::string what = "Making \\\\" + host + "\\" + share;
    for (const auto& p : path)
        what += "\\" + p;
    SMBCCTX* ctx = open(false);
    if (!ctx)
        return netError(ENOMEM, what);
    errno = 0;
    if (smbc_getFunctionMkdir(ctx)(ctx, smbUrl(host, share, path).c_str(), 0755) < 0)
        return netError(errno ? errno : EIO, what);
    return std::nullopt;
}

} // namespace lookabout
