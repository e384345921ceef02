#pragma once
// Synchronous SAMR calls through dcerpc_binding_handle_call. Debian ships
// Samba's generated client stubs only in a private library, so these do what
// the stubs do: fill the request, call, copy the results out.
// Include after Samba's headers.

namespace rpc {

template <class R>
NTSTATUS call(dcerpc_binding_handle* h, uint32_t opnum, TALLOC_CTX* mem, R& r)
{
    return dcerpc_binding_handle_call(h, nullptr, &ndr_table_samr, opnum, mem, &r);
}

inline NTSTATUS Connect2(dcerpc_binding_handle* h, TALLOC_CTX* mem, const char* system, uint32_t access,
                         policy_handle* handle, NTSTATUS* result)
{
    samr_Connect2 r{};
    r.in.system_name = system;
    r.in.access_mask = access;
    r.out.connect_handle = handle;
    const NTSTATUS st = call(h, NDR_SAMR_CONNECT2, mem, r);
    *result = r.out.result;
    return st;
}

inline NTSTATUS Close(dcerpc_binding_handle* h, TALLOC_CTX* mem, policy_handle* handle, NTSTATUS* result)
{
    samr_Close r{};
    r.in.handle = handle;
    r.out.handle = handle;
    const NTSTATUS st = call(h, NDR_SAMR_CLOSE, mem, r);
    *result = r.out.result;
    return st;
}

inline NTSTATUS LookupDomain(dcerpc_binding_handle* h, TALLOC_CTX* mem, policy_handle* connect, lsa_String* name,
                             dom_sid2** sid, NTSTATUS* result)
{
    samr_LookupDomain r{};
    r.in.connect_handle = connect;
    r.in.domain_name = name;
    r.out.sid = sid;
    const NTSTATUS st = call(h, NDR_SAMR_LOOKUPDOMAIN, mem, r);
    *result = r.out.result;
    return st;
}

inline NTSTATUS EnumDomains(dcerpc_binding_handle* h, TALLOC_CTX* mem, policy_handle* connect, uint32_t* resume,
                            samr_SamArray** sam, uint32_t bufSize, uint32_t* count, NTSTATUS* result)
{
    samr_EnumDomains r{};
    r.in.connect_handle = connect;
    r.in.buf_size = bufSize;
    r.in.resume_handle = resume;
    r.out.sam = sam;
    r.out.num_entries = count;
    r.out.resume_handle = resume;
    const NTSTATUS st = call(h, NDR_SAMR_ENUMDOMAINS, mem, r);
    *result = r.out.result;
    return st;
}

inline NTSTATUS OpenDomain(dcerpc_binding_handle* h, TALLOC_CTX* mem, policy_handle* connect, uint32_t access,
                           dom_sid2* sid, policy_handle* domain, NTSTATUS* result)
{
    samr_OpenDomain r{};
    r.in.connect_handle = connect;
    r.in.access_mask = access;
    r.in.sid = sid;
    r.out.domain_handle = domain;
    const NTSTATUS st = call(h, NDR_SAMR_OPENDOMAIN, mem, r);
    *result = r.out.result;
    return st;
}

// EnumDomainGroups and EnumDomainAliases share one shape.
template <class R, uint32_t Opnum>
NTSTATUS enumNames(dcerpc_binding_handle* h, TALLOC_CTX* mem, policy_handle* domain, uint32_t* resume,
                   samr_SamArray** sam, uint32_t maxSize, uint32_t* count, NTSTATUS* result)
{
    R r{};
    r.in.domain_handle = domain;
    r.in.max_size = maxSize;
    r.in.resume_handle = resume;
    r.out.sam = sam;
    r.out.num_entries = count;
    r.out.resume_handle = resume;
    const NTSTATUS st = call(h, Opnum, mem, r);
    *result = r.out.result;
    return st;
}
inline constexpr auto EnumDomainGroups = enumNames<samr_EnumDomainGroups, NDR_SAMR_ENUMDOMAINGROUPS>;
inline constexpr auto EnumDomainAliases = enumNames<samr_EnumDomainAliases, NDR_SAMR_ENUMDOMAINALIASES>;

inline NTSTATUS EnumDomainUsers(dcerpc_binding_handle* h, TALLOC_CTX* mem, policy_handle* domain, uint32_t* resume,
                                uint32_t acctFlags, samr_SamArray** sam, uint32_t maxSize, uint32_t* count,
                                NTSTATUS* result)
{
    samr_EnumDomainUsers r{};
    r.in.domain_handle = domain;
    r.in.acct_flags = acctFlags;
    r.in.max_size = maxSize;
    r.in.resume_handle = resume;
    r.out.sam = sam;
    r.out.num_entries = count;
    r.out.resume_handle = resume;
    const NTSTATUS st = call(h, NDR_SAMR_ENUMDOMAINUSERS, mem, r);
    *result = r.out.result;
    return st;
}

inline NTSTATUS GetAliasMembership(dcerpc_binding_handle* h, TALLOC_CTX* mem, policy_handle* domain, lsa_SidArray* sids,
                                   samr_Ids* rids, NTSTATUS* result)
{
    samr_GetAliasMembership r{};
    r.in.domain_handle = domain;
    r.in.sids = sids;
    r.out.rids = rids;
    const NTSTATUS st = call(h, NDR_SAMR_GETALIASMEMBERSHIP, mem, r);
    *result = r.out.result;
    return st;
}

inline NTSTATUS LookupNames(dcerpc_binding_handle* h, TALLOC_CTX* mem, policy_handle* domain, uint32_t n,
                            lsa_String* names, samr_Ids* rids, samr_Ids* types, NTSTATUS* result)
{
    samr_LookupNames r{};
    r.in.domain_handle = domain;
    r.in.num_names = n;
    r.in.names = names;
    r.out.rids = rids;
    r.out.types = types;
    const NTSTATUS st = call(h, NDR_SAMR_LOOKUPNAMES, mem, r);
    *result = r.out.result;
    return st;
}

inline NTSTATUS LookupRids(dcerpc_binding_handle* h, TALLOC_CTX* mem, policy_handle* domain, uint32_t n, uint32_t* rids,
                           lsa_Strings* names, samr_Ids* types, NTSTATUS* result)
{
    samr_LookupRids r{};
    r.in.domain_handle = domain;
    r.in.num_rids = n;
    r.in.rids = rids;
    r.out.names = names;
    r.out.types = types;
    const NTSTATUS st = call(h, NDR_SAMR_LOOKUPRIDS, mem, r);
    *result = r.out.result;
    return st;
}

// OpenGroup, OpenAlias and OpenUser share one shape.
template <class R, uint32_t Opnum, policy_handle* decltype(R::out)::*Out>
NTSTATUS openObject(dcerpc_binding_handle* h, TALLOC_CTX* mem, policy_handle* domain, uint32_t access, uint32_t rid,
                    policy_handle* handle, NTSTATUS* result)
{
    R r{};
    r.in.domain_handle = domain;
    r.in.access_mask = access;
    r.in.rid = rid;
    r.out.*Out = handle;
    const NTSTATUS st = call(h, Opnum, mem, r);
    *result = r.out.result;
    return st;
}
inline constexpr auto OpenGroup =
    openObject<samr_OpenGroup, NDR_SAMR_OPENGROUP, &decltype(samr_OpenGroup::out)::group_handle>;
inline constexpr auto OpenAlias =
    openObject<samr_OpenAlias, NDR_SAMR_OPENALIAS, &decltype(samr_OpenAlias::out)::alias_handle>;
inline constexpr auto OpenUser = openObject<samr_OpenUser, NDR_SAMR_OPENUSER, &decltype(samr_OpenUser::out)::user_handle>;

inline NTSTATUS AddGroupMember(dcerpc_binding_handle* h, TALLOC_CTX* mem, policy_handle* group, uint32_t rid,
                               uint32_t flags, NTSTATUS* result)
{
    samr_AddGroupMember r{};
    r.in.group_handle = group;
    r.in.rid = rid;
    r.in.flags = flags;
    const NTSTATUS st = call(h, NDR_SAMR_ADDGROUPMEMBER, mem, r);
    *result = r.out.result;
    return st;
}

inline NTSTATUS DeleteGroupMember(dcerpc_binding_handle* h, TALLOC_CTX* mem, policy_handle* group, uint32_t rid,
                                  NTSTATUS* result)
{
    samr_DeleteGroupMember r{};
    r.in.group_handle = group;
    r.in.rid = rid;
    const NTSTATUS st = call(h, NDR_SAMR_DELETEGROUPMEMBER, mem, r);
    *result = r.out.result;
    return st;
}

inline NTSTATUS QueryGroupMember(dcerpc_binding_handle* h, TALLOC_CTX* mem, policy_handle* group,
                                 samr_RidAttrArray** rids, NTSTATUS* result)
{
    samr_QueryGroupMember r{};
    r.in.group_handle = group;
    r.out.rids = rids;
    const NTSTATUS st = call(h, NDR_SAMR_QUERYGROUPMEMBER, mem, r);
    *result = r.out.result;
    return st;
}

template <class R, uint32_t Opnum>
NTSTATUS aliasMember(dcerpc_binding_handle* h, TALLOC_CTX* mem, policy_handle* alias, dom_sid2* sid, NTSTATUS* result)
{
    R r{};
    r.in.alias_handle = alias;
    r.in.sid = sid;
    const NTSTATUS st = call(h, Opnum, mem, r);
    *result = r.out.result;
    return st;
}
inline constexpr auto AddAliasMember = aliasMember<samr_AddAliasMember, NDR_SAMR_ADDALIASMEMBER>;
inline constexpr auto DeleteAliasMember = aliasMember<samr_DeleteAliasMember, NDR_SAMR_DELETEALIASMEMBER>;

inline NTSTATUS GetMembersInAlias(dcerpc_binding_handle* h, TALLOC_CTX* mem, policy_handle* alias, lsa_SidArray* sids,
                                  NTSTATUS* result)
{
    samr_GetMembersInAlias r{};
    r.in.alias_handle = alias;
    r.out.sids = sids;
    const NTSTATUS st = call(h, NDR_SAMR_GETMEMBERSINALIAS, mem, r);
    *result = r.out.result;
    return st;
}

inline NTSTATUS QueryUserInfo(dcerpc_binding_handle* h, TALLOC_CTX* mem, policy_handle* user, samr_UserInfoLevel level,
                              samr_UserInfo** info, NTSTATUS* result)
{
    samr_QueryUserInfo r{};
    r.in.user_handle = user;
    r.in.level = level;
    r.out.info = info;
    const NTSTATUS st = call(h, NDR_SAMR_QUERYUSERINFO, mem, r);
    *result = r.out.result;
    return st;
}

inline NTSTATUS SetUserInfo(dcerpc_binding_handle* h, TALLOC_CTX* mem, policy_handle* user, samr_UserInfoLevel level,
                            samr_UserInfo* info, NTSTATUS* result)
{
    samr_SetUserInfo r{};
    r.in.user_handle = user;
    r.in.level = level;
    r.in.info = info;
    const NTSTATUS st = call(h, NDR_SAMR_SETUSERINFO, mem, r);
    *result = r.out.result;
    return st;
}

inline NTSTATUS SetUserInfo2(dcerpc_binding_handle* h, TALLOC_CTX* mem, policy_handle* user, samr_UserInfoLevel level,
                             samr_UserInfo* info, NTSTATUS* result)
{
    samr_SetUserInfo2 r{};
    r.in.user_handle = user;
    r.in.level = level;
    r.in.info = info;
    const NTSTATUS st = call(h, NDR_SAMR_SETUSERINFO2, mem, r);
    *result = r.out.result;
    return st;
}

inline NTSTATUS GetGroupsForUser(dcerpc_binding_handle* h, TALLOC_CTX* mem, policy_handle* user,
                                 samr_RidWithAttributeArray** rids, NTSTATUS* result)
{
    samr_GetGroupsForUser r{};
    r.in.user_handle = user;
    r.out.rids = rids;
    const NTSTATUS st = call(h, NDR_SAMR_GETGROUPSFORUSER, mem, r);
    *result = r.out.result;
    return st;
}

inline NTSTATUS QueryDisplayInfo(dcerpc_binding_handle* h, TALLOC_CTX* mem, policy_handle* domain, uint16_t level,
                                 uint32_t start, uint32_t maxEntries, uint32_t bufSize, uint32_t* total,
                                 uint32_t* returned, samr_DispInfo* info, NTSTATUS* result)
{
    samr_QueryDisplayInfo r{};
    r.in.domain_handle = domain;
    r.in.level = level;
    r.in.start_idx = start;
    r.in.max_entries = maxEntries;
    r.in.buf_size = bufSize;
    r.out.total_size = total;
    r.out.returned_size = returned;
    r.out.info = info;
    const NTSTATUS st = call(h, NDR_SAMR_QUERYDISPLAYINFO, mem, r);
    *result = r.out.result;
    return st;
}

} // namespace rpc
