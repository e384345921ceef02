#pragma once
// The local computer's management data, queried with the WMI query language
// that callers have always used ("SELECT * FROM win32_ComputerSystem").
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "hostconfig.h"

namespace ads {

struct CaseInsensitiveLess {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const noexcept;
};

// One object of a query's result: property names compare without regard to case.
class WmiObject {
public:
    void set(std::string name, std::string value) { properties_[std::move(name)] = std::move(value); }
    // Throws ads::Error for a property the class does not have.
    const std::string& get(std::string_view name) const;

private:
    std::map<std::string, std::string, CaseInsensitiveLess> properties_;
};

inline constexpr int wbemFlagReturnImmediately = 16;
inline constexpr int wbemFlagForwardOnly = 32;

class Wmi {
public:
    virtual ~Wmi() = default;
    // Accepts "SELECT * FROM <class>" in any letter case; throws ads::Error.
    virtual std::vector<WmiObject> ExecQuery(std::string_view query, int flags = 0) = 0;
};

// The moniker "winmgmts:\\.\root\cimv2" binds the local computer.
std::unique_ptr<Wmi> GetObject(std::string_view moniker);

// How a window binds a moniker: GetObject, or a stand-in in tests.
using WmiBinder = std::function<std::unique_ptr<Wmi>(std::string_view moniker)>;

// The Win32_ComputerSystem object that a host configuration describes.
WmiObject ComputerSystemFrom(const HostConfig& config);

// The class named by "SELECT * FROM <class>", or throws WBEM_E_INVALID_QUERY.
std::string QueriedClass(std::string_view query);

} // namespace ads
