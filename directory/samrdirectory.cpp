// The directory over SAMR (and LSA for the names of foreign members), through
// Samba's DCE/RPC client with the user's Kerberos credentials. Samba's client
// libraries are not thread-safe: everything here runs on the caller's thread.
#include "directory.h"

#include "locate.h"
#include "winerror.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <cstdlib>
#include <optional>

#include <sys/random.h>

// Samba's headers declare these enums without a type, which C++ does not allow.
enum smb_signing_setting : int;
enum smb_encryption_setting : int;
extern "C" {
#include <talloc.h>
#include <tevent.h>
#include <util/data_blob.h>
#include <core/ntstatus.h>
#include <core/error.h>
#include <param.h>
#include <credentials.h>
#include <dcerpc.h>
#include <rpc_common.h>
#include <gen_ndr/ndr_samr.h>
#include <gen_ndr/lsa.h>

extern const struct ndr_interface_table ndr_table_lsarpc;
}
#include "samrcalls.h"

namespace ads {
namespace {

constexpr uint32_t MaximumAllowed = 0x02000000;  // SEC_FLAG_MAXIMUM_ALLOWED
constexpr uint32_t AcbNormal = 0x00000010;
constexpr uint32_t AcbDisabled = 0x00000001;
constexpr uint32_t LsaLookupSids = 15;   // opnums of the lsarpc interface
constexpr uint32_t LsaOpenPolicy2 = 44;
constexpr uint32_t SidTypeUser = 1, SidTypeGroup = 2, SidTypeAlias = 4, SidTypeWellKnown = 5;

struct TallocFree {
    void operator()(void* p) const { talloc_free(p); }
};
using Mem = std::unique_ptr<TALLOC_CTX, TallocFree>;

// A domain's SID with one more RID: an account's SID.
dom_sid* sidWithRid(TALLOC_CTX* mem, const dom_sid* domain, uint32_t rid)
{
    auto* sid = talloc_zero(mem, dom_sid);
    *sid = *domain;
    if (sid->num_auths < 15)
        sid->sub_auths[sid->num_auths++] = rid;
    return sid;
}

// UTF-16LE of a UTF-8 text (invalid bytes become U+FFFD).
std::u16string utf16(std::string_view s)
{
    std::u16string out;
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        char32_t cp = 0xFFFD;
        int len = 1;
        if (c < 0x80) {
            cp = c;
        } else if ((c >> 5) == 6 && i + 1 < s.size()) {
            cp = ((c & 0x1F) << 6) | (s[i + 1] & 0x3F);
            len = 2;
        } else if ((c >> 4) == 14 && i + 2 < s.size()) {
            cp = ((c & 0x0F) << 12) | ((s[i + 1] & 0x3F) << 6) | (s[i + 2] & 0x3F);
            len = 3;
        } else if ((c >> 3) == 30 && i + 3 < s.size()) {
            cp = ((c & 0x07) << 18) | ((s[i + 1] & 0x3F) << 12) | ((s[i + 2] & 0x3F) << 6) | (s[i + 3] & 0x3F);
            len = 4;
        }
        i += len;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
    }
    return out;
}

void rc4(uint8_t* data, std::size_t len, const uint8_t* key, std::size_t keyLen)
{
    uint8_t s[256];
    for (int i = 0; i < 256; ++i)
        s[i] = static_cast<uint8_t>(i);
    for (int i = 0, j = 0; i < 256; ++i) {
        j = (j + s[i] + key[i % keyLen]) & 0xFF;
        std::swap(s[i], s[j]);
    }
    for (std::size_t n = 0, i = 0, j = 0; n < len; ++n) {
        i = (i + 1) & 0xFF;
        j = (j + s[i]) & 0xFF;
        std::swap(s[i], s[j]);
        data[n] ^= s[(s[i] + s[j]) & 0xFF];
    }
}

// The 516-byte password buffer: random fill, the UTF-16 password at its end,
// then its length in bytes, all encrypted with the connection's session key.
bool encodePassword(std::string_view password, const DATA_BLOB& key, samr_CryptPassword& out)
{
    const std::u16string pw = utf16(password);
    const std::size_t bytes = pw.size() * 2;
    if (bytes > 512 || key.length == 0)
        return false;
    if (getrandom(out.data, 512, 0) != 512)
        return false;
    for (std::size_t i = 0; i < pw.size(); ++i) {
        out.data[512 - bytes + 2 * i] = static_cast<uint8_t>(pw[i] & 0xFF);
        out.data[512 - bytes + 2 * i + 1] = static_cast<uint8_t>(pw[i] >> 8);
    }
    for (int i = 0; i < 4; ++i)
        out.data[512 + i] = static_cast<uint8_t>(bytes >> (8 * i));
    rc4(out.data, sizeof(out.data), key.data, key.length);
    return true;
}

bool sameSid(const dom_sid* a, const dom_sid* b)
{
    return a->sid_rev_num == b->sid_rev_num && a->num_auths == b->num_auths
           && std::equal(std::begin(a->id_auth), std::end(a->id_auth), std::begin(b->id_auth))
           && std::equal(a->sub_auths, a->sub_auths + a->num_auths, b->sub_auths);
}

[[noreturn]] void fail(NTSTATUS status)
{
    const uint32_t code = W_ERROR_V(ntstatus_to_werror(status));
    const char* samba = get_friendly_nt_error_msg(status);
    throw Win32Error(code, samba ? samba : nt_errstr(status));
}

void check(NTSTATUS transport, NTSTATUS result)
{
    if (!NT_STATUS_IS_OK(transport))
        fail(transport);
    if (!NT_STATUS_IS_OK(result) && !NT_STATUS_EQUAL(result, STATUS_MORE_ENTRIES))
        fail(result);
}

std::string text(const lsa_String& s) { return s.string ? std::string(s.string) : std::string(); }

lsa_String lsaString(const std::string& s)
{
    lsa_String l{};
    l.string = s.c_str();
    l.length = l.size = 0;  // filled in by the marshalling code
    return l;
}

bool iequals(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

// One SAMR connection to one host, with its account domain and its Builtin
// domain opened, and an LSA connection made when a SID needs a name.
class Connection {
public:
    Connection(const Location& where) : mem_(talloc_new(nullptr)), location_(where)
    {
        // Loads the authentication mechanisms (Kerberos among them) once per process.
        static const NTSTATUS initialised = dcerpc_init();
        check(initialised, NT_STATUS_OK);
        ev_ = tevent_context_init(mem_.get());
        // A context of our own: the global one does not survive other loadparm contexts being freed.
        lp_ = loadparm_init(mem_.get());
        lpcfg_load_default(lp_);
        creds_ = cli_credentials_init(mem_.get());
        cli_credentials_set_conf(creds_, lp_);
        const char* err = nullptr;
        const char* ccache = getenv("KRB5CCNAME");
        const int rc = cli_credentials_set_ccache(creds_, lp_, ccache, CRED_SPECIFIED, &err);
        // A cache that does not exist is accepted too, but names nobody. Without a
        // ticket there is no logon to make, and no anonymous session stands in for one.
        if (rc != 0 || cli_credentials_get_principal(creds_, mem_.get()) == nullptr)
            throw Win32Error(1326);
        cli_credentials_set_kerberos_state(creds_, CRED_USE_KERBEROS_REQUIRED, CRED_SPECIFIED);
        samr_ = pipe(&ndr_table_samr);
        NTSTATUS result;
        check(rpc::Connect2(samr_->binding_handle, mem_.get(), location_.host.c_str(), MaximumAllowed,
                                   &connect_, &result),
              result);
        openDomains();
    }

    dcerpc_binding_handle* samr() const { return samr_->binding_handle; }

    // The key that password buffers are encrypted with on this connection.
    DATA_BLOB sessionKey()
    {
        DATA_BLOB key{};
        check(dcerpc_fetch_session_key(samr_, &key), NT_STATUS_OK);
        return key;
    }
    TALLOC_CTX* mem() const { return mem_.get(); }
    const Location& location() const { return location_; }
    policy_handle* account() { return &account_; }
    policy_handle* builtin() { return &builtin_; }
    const dom_sid* accountSid() const { return accountSid_; }
    const dom_sid* builtinSid() const { return builtinSid_; }

    // Names of SIDs, as the host's LSA resolves them, without their domains.
    std::vector<std::string> namesOf(const lsa_SidArray& sids);

private:
    dcerpc_pipe* pipe(const ndr_interface_table* table)
    {
        dcerpc_pipe* p = nullptr;
        // SMB2 at once: left to itself the client tries SMB1 first, which costs a round of refusals.
        const std::string binding = "ncacn_np:" + location_.host + "[smb2]";
        check(dcerpc_pipe_connect(mem_.get(), &p, binding.c_str(), table, creds_, ev_, lp_), NT_STATUS_OK);
        return p;
    }

    void openDomains()
    {
        uint32_t resume = 0, count = 0;
        samr_SamArray* sam = nullptr;
        NTSTATUS result;
        check(rpc::EnumDomains(samr(), mem_.get(), &connect_, &resume, &sam, 0xFFFF, &count, &result), result);
        std::string accountName;
        for (uint32_t i = 0; sam && i < sam->count; ++i)
            if (!iequals(text(sam->entries[i].name), "Builtin"))
                accountName = text(sam->entries[i].name);
        accountSid_ = lookupDomain(accountName);
        builtinSid_ = lookupDomain("Builtin");
        check(rpc::OpenDomain(samr(), mem_.get(), &connect_, MaximumAllowed, const_cast<dom_sid*>(accountSid_),
                                     &account_, &result),
              result);
        check(rpc::OpenDomain(samr(), mem_.get(), &connect_, MaximumAllowed, const_cast<dom_sid*>(builtinSid_),
                                     &builtin_, &result),
              result);
    }

    const dom_sid* lookupDomain(const std::string& name)
    {
        lsa_String n = lsaString(name);
        dom_sid2* sid = nullptr;
        NTSTATUS result;
        check(rpc::LookupDomain(samr(), mem_.get(), &connect_, &n, &sid, &result), result);
        return sid;
    }

    Mem mem_;
    Location location_;
    tevent_context* ev_ = nullptr;
    loadparm_context* lp_ = nullptr;
    cli_credentials* creds_ = nullptr;
    dcerpc_pipe* samr_ = nullptr;
    dcerpc_pipe* lsa_ = nullptr;
    policy_handle connect_{}, account_{}, builtin_{}, lsaPolicy_{};
    const dom_sid* accountSid_ = nullptr;
    const dom_sid* builtinSid_ = nullptr;
};

std::vector<std::string> Connection::namesOf(const lsa_SidArray& sids)
{
    std::vector<std::string> out;
    if (sids.num_sids == 0)
        return out;
    Mem mem(talloc_new(mem_.get()));
    if (!lsa_) {
        lsa_ = pipe(&ndr_table_lsarpc);
        lsa_ObjectAttribute attr{};
        lsa_QosInfo qos{};
        qos.impersonation_level = 2;
        qos.context_mode = 1;
        attr.sec_qos = &qos;
        lsa_OpenPolicy2 r{};
        r.in.system_name = location_.host.c_str();
        r.in.attr = &attr;
        r.in.access_mask = MaximumAllowed;
        r.out.handle = &lsaPolicy_;
        check(dcerpc_binding_handle_call(lsa_->binding_handle, nullptr, &ndr_table_lsarpc, LsaOpenPolicy2, mem.get(), &r),
              r.out.result);
    }
    lsa_TransNameArray names{};
    uint32_t count = 0;
    lsa_RefDomainList* domains = nullptr;
    lsa_LookupSids r{};
    r.in.handle = &lsaPolicy_;
    r.in.sids = const_cast<lsa_SidArray*>(&sids);
    r.in.names = &names;
    r.in.level = LSA_LOOKUP_NAMES_ALL;
    r.in.count = &count;
    r.out.domains = &domains;
    r.out.names = &names;
    r.out.count = &count;
    const NTSTATUS st =
        dcerpc_binding_handle_call(lsa_->binding_handle, nullptr, &ndr_table_lsarpc, LsaLookupSids, mem.get(), &r);
    // Some SIDs may have no name (a deleted account): the rest still count.
    if (!NT_STATUS_IS_OK(st))
        fail(st);
    if (!NT_STATUS_IS_OK(r.out.result) && !NT_STATUS_EQUAL(r.out.result, STATUS_SOME_UNMAPPED))
        fail(r.out.result);
    for (uint32_t i = 0; i < names.count; ++i)
        if (names.names[i].sid_type != SID_NAME_UNKNOWN)
            out.push_back(text(names.names[i].name));
    return out;
}

using ConnectionPtr = std::shared_ptr<Connection>;

// An account looked up by name in one of a host's domains.
struct Account {
    ConnectionPtr conn;
    policy_handle* domain = nullptr;
    const dom_sid* domainSid = nullptr;
    uint32_t rid = 0;
    uint32_t type = 0;
    std::string name;
};

std::optional<Account> lookupIn(const ConnectionPtr& c, policy_handle* domain, const dom_sid* sid, const std::string& name)
{
    lsa_String n = lsaString(name);
    samr_Ids rids{}, types{};
    NTSTATUS result;
    Mem mem(talloc_new(c->mem()));
    const NTSTATUS st = rpc::LookupNames(c->samr(), mem.get(), domain, 1, &n, &rids, &types, &result);
    if (!NT_STATUS_IS_OK(st))
        fail(st);
    if (NT_STATUS_EQUAL(result, NT_STATUS_NONE_MAPPED) || rids.count != 1)
        return std::nullopt;
    if (!NT_STATUS_IS_OK(result))
        fail(result);
    return Account{c, domain, sid, rids.ids[0], types.ids[0], name};
}

class SamrDirectory;

class SamrContainer final : public IADsContainer {
public:
    explicit SamrContainer(ConnectionPtr c) : conn_(std::move(c)) {}

    void SetFilter(std::vector<std::string> classes) override { filter_ = std::move(classes); }

    void Enumerate(const NameSink& each) override
    {
        const bool all = filter_.empty();
        auto wants = [&](const char* cls) {
            return all || std::any_of(filter_.begin(), filter_.end(), [&](const std::string& f) { return iequals(f, cls); });
        };
        if (wants("User"))
            users(each);
        if (wants("Group"))
            groups(each);
        if (wants("Computer") && conn_->location().domain)
            computers(each);
    }

private:
    void users(const NameSink& each)
    {
        uint32_t resume = 0;
        for (;;) {
            Mem mem(talloc_new(conn_->mem()));
            samr_SamArray* sam = nullptr;
            uint32_t count = 0;
            NTSTATUS result;
            check(rpc::EnumDomainUsers(conn_->samr(), mem.get(), conn_->account(), &resume, AcbNormal, &sam,
                                              0xFFFFFF, &count, &result),
                  result);
            for (uint32_t i = 0; sam && i < sam->count; ++i)
                each(text(sam->entries[i].name));
            if (!NT_STATUS_EQUAL(result, STATUS_MORE_ENTRIES))
                return;
        }
    }

    // A domain's groups; a computer's local groups (its own and the built-in ones).
    void groups(const NameSink& each)
    {
        if (conn_->location().domain) {
            enumerate(conn_->account(), rpc::EnumDomainGroups, each);
        } else {
            enumerate(conn_->builtin(), rpc::EnumDomainAliases, each);
            enumerate(conn_->account(), rpc::EnumDomainAliases, each);
        }
    }

    template <class Call>
    void enumerate(policy_handle* domain, Call call, const NameSink& each)
    {
        uint32_t resume = 0;
        for (;;) {
            Mem mem(talloc_new(conn_->mem()));
            samr_SamArray* sam = nullptr;
            uint32_t count = 0;
            NTSTATUS result;
            check(call(conn_->samr(), mem.get(), domain, &resume, &sam, 0xFFFFFF, &count, &result), result);
            for (uint32_t i = 0; sam && i < sam->count; ++i)
                each(text(sam->entries[i].name));
            if (!NT_STATUS_EQUAL(result, STATUS_MORE_ENTRIES))
                return;
        }
    }

    // The domain's computer accounts, without their trailing "$".
    void computers(const NameSink& each)
    {
        uint32_t start = 0;
        for (;;) {
            Mem mem(talloc_new(conn_->mem()));
            uint32_t total = 0, returned = 0;
            samr_DispInfo info{};
            NTSTATUS result;
            check(rpc::QueryDisplayInfo(conn_->samr(), mem.get(), conn_->account(), 2, start, 1000, 0xFFFFFF,
                                               &total, &returned, &info, &result),
                  result);
            const auto& machines = info.info2;
            for (uint32_t i = 0; i < machines.count; ++i) {
                std::string name = text(machines.entries[i].account_name);
                if (!name.empty() && name.back() == '$')
                    name.pop_back();
                each(name);
            }
            start += machines.count;
            if (!NT_STATUS_EQUAL(result, STATUS_MORE_ENTRIES) || machines.count == 0)
                return;
        }
    }

    ConnectionPtr conn_;
    std::vector<std::string> filter_;
};

class SamrUser;

class SamrGroup final : public IADsGroup {
public:
    SamrGroup(SamrDirectory& dir, Account a, std::string path) : dir_(dir), account_(std::move(a)), path_(std::move(path)) {}

    std::string Name() const override { return account_.name; }
    std::string ADsPath() const override { return path_; }
    void Members(const NameSink& each) override;
    void Add(std::string_view memberPath) override { change(memberPath, true); }
    void Remove(std::string_view memberPath) override { change(memberPath, false); }
    void SetInfo() override {}  // membership changes take effect at once

private:
    bool isAlias() const { return account_.type == SidTypeAlias; }
    void change(std::string_view memberPath, bool add);

    SamrDirectory& dir_;
    Account account_;
    std::string path_;
};

class SamrUser final : public IADsUser {
public:
    SamrUser(Account a, std::string path) : account_(std::move(a)), path_(std::move(path)) {}

    std::string Name() const override { return account_.name; }
    std::string ADsPath() const override { return path_; }
    const Account& account() const { return account_; }

    std::string FullName() override { return fullName_ ? *fullName_ : text(all().full_name); }
    std::string Description() override { return description_ ? *description_ : text(all().description); }
    bool AccountDisabled() override { return disabled_ ? *disabled_ : (all().acct_flags & AcbDisabled) != 0; }
    void SetFullName(std::string_view v) override { fullName_ = std::string(v); }
    void SetDescription(std::string_view v) override { description_ = std::string(v); }
    void SetAccountDisabled(bool v) override { disabled_ = v; }
    void SetInfo() override;
    void Groups(const NameSink& each) override;
    void SetPassword(std::string_view password) override;

private:
    policy_handle* handle()
    {
        if (!open_) {
            NTSTATUS result;
            check(rpc::OpenUser(account_.conn->samr(), account_.conn->mem(), account_.domain, MaximumAllowed,
                                       account_.rid, &handle_, &result),
                  result);
            open_ = true;
        }
        return &handle_;
    }

    const samr_UserInfo21& all()
    {
        if (!info_) {
            NTSTATUS result;
            check(rpc::QueryUserInfo(account_.conn->samr(), account_.conn->mem(), handle(), UserAllInformation,
                                            &info_, &result),
                  result);
        }
        return info_->info21;
    }

    void set(samr_UserInfoLevel level, samr_UserInfo& info)
    {
        NTSTATUS result;
        Mem mem(talloc_new(account_.conn->mem()));
        check(rpc::SetUserInfo(account_.conn->samr(), mem.get(), handle(), level, &info, &result), result);
    }

    Account account_;
    std::string path_;
    bool open_ = false;
    policy_handle handle_{};
    samr_UserInfo* info_ = nullptr;
    std::optional<std::string> fullName_, description_;
    std::optional<bool> disabled_;
};

class SamrDirectory final : public Directory {
public:
    std::unique_ptr<IADsContainer> BindContainer(std::string_view path) override
    {
        const AdsPath p = ParsePath(path);
        if (!p.name.empty())
            throw Win32Error(win32::BadNetPath);
        return std::make_unique<SamrContainer>(connect(p.container));
    }

    std::unique_ptr<IADsGroup> BindGroup(std::string_view path) override
    {
        const AdsPath p = ParsePath(path);
        if (p.name.empty() || (p.cls != ObjectClass::Group && p.cls != ObjectClass::Any))
            throw Win32Error(win32::GroupNotFound);
        ConnectionPtr c = connect(p.container);
        std::optional<Account> a;
        if (c->location().domain) {
            a = lookupIn(c, c->account(), c->accountSid(), p.name);
            if (a && a->type != SidTypeGroup && a->type != SidTypeAlias)
                a.reset();
        } else {
            a = lookupIn(c, c->builtin(), c->builtinSid(), p.name);
            if (!a)
                a = lookupIn(c, c->account(), c->accountSid(), p.name);
            if (a && a->type != SidTypeAlias)
                a.reset();
        }
        if (!a)
            throw Win32Error(win32::GroupNotFound);
        return std::make_unique<SamrGroup>(*this, std::move(*a), std::string(path));
    }

    std::unique_ptr<IADsUser> BindUser(std::string_view path) override
    {
        return std::make_unique<SamrUser>(bindUserAccount(path), std::string(path));
    }

    Account bindUserAccount(std::string_view path)
    {
        const AdsPath p = ParsePath(path);
        if (p.name.empty() || (p.cls != ObjectClass::User && p.cls != ObjectClass::Any))
            throw Win32Error(win32::UserNotFound);
        ConnectionPtr c = connect(p.container);
        std::optional<Account> a = lookupIn(c, c->account(), c->accountSid(), p.name);
        if (!a || a->type != SidTypeUser)
            throw Win32Error(win32::UserNotFound);
        return std::move(*a);
    }

private:
    // One connection per host, kept for the directory's life: binding the same
    // container again does not log on again.
    ConnectionPtr connect(const std::string& container)
    {
        const Location where = LocateContainer(container);
        const std::string key = where.host + (where.domain ? "#domain" : "#computer");
        auto it = connections_.find(key);
        if (it != connections_.end())
            return it->second;
        auto c = std::make_shared<Connection>(where);
        connections_[key] = c;
        return c;
    }

    std::map<std::string, ConnectionPtr> connections_;
};

// A group's or alias's handle for one operation, closed again on every way out.
class MemberListHandle {
public:
    MemberListHandle(Connection& c, TALLOC_CTX* mem, const Account& group, bool alias) : c_(c), mem_(mem)
    {
        NTSTATUS result;
        if (alias)
            check(rpc::OpenAlias(c.samr(), mem, group.domain, MaximumAllowed, group.rid, &h_, &result), result);
        else
            check(rpc::OpenGroup(c.samr(), mem, group.domain, MaximumAllowed, group.rid, &h_, &result), result);
    }
    ~MemberListHandle()
    {
        NTSTATUS result;
        rpc::Close(c_.samr(), mem_, &h_, &result);
    }
    MemberListHandle(const MemberListHandle&) = delete;
    MemberListHandle& operator=(const MemberListHandle&) = delete;
    policy_handle* get() { return &h_; }

private:
    Connection& c_;
    TALLOC_CTX* mem_;
    policy_handle h_{};
};

void SamrGroup::Members(const NameSink& each)
{
    Connection& c = *account_.conn;
    Mem mem(talloc_new(c.mem()));
    MemberListHandle h(c, mem.get(), account_, isAlias());
    NTSTATUS result;
    if (isAlias()) {
        lsa_SidArray sids{};
        check(rpc::GetMembersInAlias(c.samr(), mem.get(), h.get(), &sids, &result), result);
        for (const std::string& name : c.namesOf(sids))
            each(name);
        return;
    }
    samr_RidAttrArray* rids = nullptr;
    check(rpc::QueryGroupMember(c.samr(), mem.get(), h.get(), &rids, &result), result);
    // Users and nested groups alike: a group's members are all of them.
    for (uint32_t first = 0; rids && first < rids->count; first += 1000) {
        const uint32_t n = std::min<uint32_t>(1000, rids->count - first);
        lsa_Strings names{};
        samr_Ids types{};
        check(rpc::LookupRids(c.samr(), mem.get(), account_.domain, n, rids->rids + first, &names, &types, &result),
              result);
        for (uint32_t i = 0; i < names.count; ++i)
            each(text(names.names[i]));
    }
}

void SamrGroup::change(std::string_view memberPath, bool add)
{
    const Account member = dir_.bindUserAccount(memberPath);
    // A domain group holds accounts of its own domain only.
    if (!isAlias() && !sameSid(member.domainSid, account_.domainSid))
        throw Win32Error(1388);
    Connection& c = *account_.conn;
    Mem mem(talloc_new(c.mem()));
    MemberListHandle h(c, mem.get(), account_, isAlias());
    NTSTATUS result;
    if (isAlias()) {
        dom_sid* sid = sidWithRid(mem.get(), member.domainSid, member.rid);
        check(add ? rpc::AddAliasMember(c.samr(), mem.get(), h.get(), sid, &result)
                  : rpc::DeleteAliasMember(c.samr(), mem.get(), h.get(), sid, &result),
              result);
    } else {
        check(add ? rpc::AddGroupMember(c.samr(), mem.get(), h.get(), member.rid, 7, &result)
                  : rpc::DeleteGroupMember(c.samr(), mem.get(), h.get(), member.rid, &result),
              result);
    }
}

void SamrUser::SetInfo()
{
    if (fullName_) {
        samr_UserInfo info{};
        info.info8.full_name = lsaString(*fullName_);
        set(UserFullNameInformation, info);
    }
    if (description_) {
        samr_UserInfo info{};
        info.info13.description = lsaString(*description_);
        set(UserAdminCommentInformation, info);
    }
    if (disabled_) {
        samr_UserInfo current{};
        samr_UserInfo* got = nullptr;
        NTSTATUS result;
        Mem mem(talloc_new(account_.conn->mem()));
        check(rpc::QueryUserInfo(account_.conn->samr(), mem.get(), handle(), UserControlInformation, &got, &result),
              result);
        current.info16.acct_flags = *disabled_ ? (got->info16.acct_flags | AcbDisabled) : (got->info16.acct_flags & ~AcbDisabled);
        set(UserControlInformation, current);
    }
    fullName_.reset();
    description_.reset();
    disabled_.reset();
    info_ = nullptr;  // read afresh next time
}

void SamrUser::Groups(const NameSink& each)
{
    Connection& c = *account_.conn;
    Mem mem(talloc_new(c.mem()));
    NTSTATUS result;
    if (c.location().domain) {
        samr_RidWithAttributeArray* rids = nullptr;
        check(rpc::GetGroupsForUser(c.samr(), mem.get(), handle(), &rids, &result), result);
        std::vector<uint32_t> ids;
        for (uint32_t i = 0; rids && i < rids->count; ++i)
            ids.push_back(rids->rids[i].rid);
        if (ids.empty())
            return;
        lsa_Strings names{};
        samr_Ids types{};
        check(rpc::LookupRids(c.samr(), mem.get(), account_.domain, static_cast<uint32_t>(ids.size()), ids.data(),
                                     &names, &types, &result),
              result);
        for (uint32_t i = 0; i < names.count; ++i)
            each(text(names.names[i]));
        return;
    }
    // A computer's account: the local groups that hold it.
    lsa_SidPtr ptr{sidWithRid(mem.get(), account_.domainSid, account_.rid)};
    lsa_SidArray sids{1, &ptr};
    for (policy_handle* domain : {c.builtin(), c.account()}) {
        samr_Ids rids{};
        check(rpc::GetAliasMembership(c.samr(), mem.get(), domain, &sids, &rids, &result), result);
        if (rids.count == 0)
            continue;
        lsa_Strings names{};
        samr_Ids types{};
        check(rpc::LookupRids(c.samr(), mem.get(), domain, rids.count, rids.ids, &names, &types, &result), result);
        for (uint32_t i = 0; i < names.count; ++i)
            each(text(names.names[i]));
    }
}

void SamrUser::SetPassword(std::string_view password)
{
    Connection& c = *account_.conn;
    samr_UserInfo info{};
    if (!encodePassword(password, c.sessionKey(), info.info24.password))
        throw Win32Error(win32::InvalidParameter);
    info.info24.password_expired = 0;
    NTSTATUS result;
    Mem mem(talloc_new(c.mem()));
    check(rpc::SetUserInfo2(c.samr(), mem.get(), handle(), UserInternal5Information, &info, &result), result);
}

} // namespace

std::unique_ptr<Directory> OpenSamrDirectory()
{
    return std::make_unique<SamrDirectory>();
}

} // namespace ads
