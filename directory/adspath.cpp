#include "adspath.h"

#include "error.h"

#include <algorithm>
#include <cctype>

namespace ads {
namespace {

bool iequals(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

[[noreturn]] void badPath() { throw Error(E_ADS_BAD_PATHNAME, "An invalid directory pathname was passed"); }

} // namespace

AdsPath ParsePath(std::string_view path)
{
    constexpr std::string_view scheme = "WinNT://";
    if (path.size() < scheme.size() || !iequals(path.substr(0, scheme.size()), scheme))
        badPath();
    path.remove_prefix(scheme.size());
    AdsPath p;
    const auto slash = path.find('/');
    p.container = std::string(path.substr(0, slash));
    if (p.container.empty())
        badPath();
    if (slash == std::string_view::npos)
        return p;
    std::string_view rest = path.substr(slash + 1);
    const auto comma = rest.rfind(',');
    if (comma != std::string_view::npos) {
        const std::string_view cls = rest.substr(comma + 1);
        if (iequals(cls, "user"))
            p.cls = ObjectClass::User;
        else if (iequals(cls, "group"))
            p.cls = ObjectClass::Group;
        else if (iequals(cls, "computer"))
            p.cls = ObjectClass::Computer;
        if (p.cls != ObjectClass::Any)
            rest = rest.substr(0, comma);
    }
    p.name = std::string(rest);
    if (p.name.empty())
        badPath();
    return p;
}

} // namespace ads
