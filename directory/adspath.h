#pragma once
// "WinNT://" paths: "WinNT://" + container [+ "/" + name + ",user" | ",group"].
// The parts are joined as typed, without trimming or escaping, so a name may
// hold "/" or ",": the container ends at the first "/", the class is the text
// after the last ",".
#include <string>
#include <string_view>

namespace ads {

enum class ObjectClass { Any, User, Group, Computer };

struct AdsPath {
    std::string container;
    std::string name;             // empty for a container path
    ObjectClass cls = ObjectClass::Any;
};

inline std::string ContainerPath(std::string_view container) { return "WinNT://" + std::string(container); }
inline std::string UserPath(std::string_view container, std::string_view name)
{
    return "WinNT://" + std::string(container) + "/" + std::string(name) + ",user";
}
inline std::string GroupPath(std::string_view container, std::string_view name)
{
    return "WinNT://" + std::string(container) + "/" + std::string(name) + ",group";
}

// Throws ads::Error (E_ADS_BAD_PATHNAME) for a text that is no such path.
AdsPath ParsePath(std::string_view path);

} // namespace ads
