#include "hostconfig.h"

#include "error.h"

#include <memory>

extern "C" {
#include <talloc.h>
#include <samba-4.0/param.h>

// Exported by libsamba-hostconfig but missing from its public header.
const char* lpcfg_workgroup(struct loadparm_context*);
int lpcfg_security(struct loadparm_context*);
}

namespace ads {
namespace {

// Values of Samba's server role and security settings (libds/common/roles.h).
constexpr int ROLE_ACTIVE_DIRECTORY_DC = 4;
constexpr int ROLE_IPA_DC = 5;
constexpr int SEC_ADS = 5;

std::string text(const char* s) { return s ? std::string(s) : std::string(); }

struct TallocFree {
    void operator()(void* p) const { talloc_free(p); }
};

} // namespace

HostConfig ReadHostConfig()
{
    // A fresh context each time: the configuration may change while we run.
    std::unique_ptr<loadparm_context, TallocFree> lp(loadparm_init(nullptr));
    if (!lp)
        throw Error(WBEM_E_FAILED, "Out of memory reading the Samba configuration.");
    // A missing smb.conf is no error: loadparm then uses Samba's defaults.
    if (!lpcfg_load_default(lp.get()))
        throw Error(WBEM_E_FAILED, "The Samba configuration file " + text(lpcfg_configfile(lp.get()))
                                       + " could not be read.");
    HostConfig c;
    c.netbiosName = text(lpcfg_netbios_name(lp.get()));
    c.workgroup = text(lpcfg_workgroup(lp.get()));
    c.realm = text(lpcfg_realm(lp.get()));
    const int role = lpcfg_server_role(lp.get());
    c.adsMember = lpcfg_security(lp.get()) == SEC_ADS || role == ROLE_ACTIVE_DIRECTORY_DC || role == ROLE_IPA_DC;
    return c;
}

} // namespace ads
