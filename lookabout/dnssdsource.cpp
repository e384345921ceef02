#include "dnssdsource.h"

#include <avahi-client/client.h>
#include <avahi-client/lookup.h>
#include <avahi-common/error.h>
#include <avahi-common/thread-watch.h>

namespace lookabout {

namespace {

void clientCallback(AvahiClient* c, AvahiClientState state, void* self)
{
    if (state == AVAHI_CLIENT_FAILURE)
        static_cast<DnsSdSource*>(self)->onFailure(avahi_strerror(avahi_client_errno(c)));
}

void resolveCallback(AvahiServiceResolver* r, AvahiIfIndex, AvahiProtocol, AvahiResolverEvent event,
                     const char*, const char*, const char*, const char* host, const AvahiAddress* a, uint16_t,
                     AvahiStringList*, AvahiLookupResultFlags, void* self)
{
    if (event == AVAHI_RESOLVER_FOUND && a) {
        char address[AVAHI_ADDRESS_STR_MAX];
        avahi_address_snprint(address, sizeof address, a);
        static_cast<DnsSdSource*>(self)->onResolved(host, address);
    }
    avahi_service_resolver_free(r);
}

void browseCallback(AvahiServiceBrowser*, AvahiIfIndex iface, AvahiProtocol protocol, AvahiBrowserEvent event,
                    const char* name, const char* type, const char* domain, AvahiLookupResultFlags, void* self)
{
    static_cast<DnsSdSource*>(self)->onBrowse(event, iface, protocol, name, type, domain);
}

} // namespace

DnsSdSource::DnsSdSource(Found found, Failed failed) : found_(std::move(found)), failed_(std::move(failed)) {}

DnsSdSource::~DnsSdSource()
{
    if (poll_)
        avahi_threaded_poll_stop(poll_);
    if (client_)
        avahi_client_free(client_); // frees the browser and the resolvers too
    if (poll_)
        avahi_threaded_poll_free(poll_);
}

bool DnsSdSource::start()
{
    poll_ = avahi_threaded_poll_new();
    if (!poll_) {
        onFailure("out of memory");
        return false;
    }
    int err = 0;
    client_ = avahi_client_new(avahi_threaded_poll_get(poll_), AvahiClientFlags(0), clientCallback, this, &err);
    if (!client_) {
        onFailure(avahi_strerror(err));
        return false;
    }
    browser_ = avahi_service_browser_new(client_, AVAHI_IF_UNSPEC, AVAHI_PROTO_UNSPEC, "_smb._tcp", nullptr,
                                         AvahiLookupFlags(0), browseCallback, this);
    if (!browser_) {
        onFailure(avahi_strerror(avahi_client_errno(client_)));
        return false;
    }
    return avahi_threaded_poll_start(poll_) == 0;
}

void DnsSdSource::onBrowse(int event, int iface, int protocol, const char* name, const char* type,
                           const char* domain)
{
    if (event == AVAHI_BROWSER_NEW) {
        if (!avahi_service_resolver_new(client_, iface, protocol, name, type, domain, AVAHI_PROTO_UNSPEC,
                                        AvahiLookupFlags(0), resolveCallback, this))
            onFailure(avahi_strerror(avahi_client_errno(client_)));
    } else if (event == AVAHI_BROWSER_FAILURE) {
        onFailure(avahi_strerror(avahi_client_errno(client_)));
    }
}

void DnsSdSource::onResolved(const char* host, const char* address)
{
    std::string name = host ? host : "";
    name = name.substr(0, name.find('.'));
    if (!name.empty())
        found_({name, address});
}

void DnsSdSource::onFailure(const std::string& what)
{
    failed_("DNS-SD: " + what + ".");
}

} // namespace lookabout
