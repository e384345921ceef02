#include "wmi.h"

#include "error.h"

#include <algorithm>
#include <cctype>

namespace ads {
namespace {

char lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

bool iequals(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return lower(x) == lower(y); });
}

std::string lowered(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), lower);
    return s;
}

std::vector<std::string_view> words(std::string_view s)
{
    std::vector<std::string_view> out;
    std::size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && std::isspace(static_cast<unsigned char>(s[i])))
            ++i;
        std::size_t j = i;
        while (j < s.size() && !std::isspace(static_cast<unsigned char>(s[j])))
            ++j;
        if (j > i)
            out.push_back(s.substr(i, j - i));
        i = j;
    }
    return out;
}

class LocalWmi final : public Wmi {
public:
    std::vector<WmiObject> ExecQuery(std::string_view query, int) override
    {
        const std::string cls = QueriedClass(query);
        if (!iequals(cls, "Win32_ComputerSystem"))
            throw Error(WBEM_E_INVALID_CLASS, "Invalid class");
        return {ComputerSystemFrom(ReadHostConfig())};
    }
};

} // namespace

bool CaseInsensitiveLess::operator()(std::string_view a, std::string_view b) const noexcept
{
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return lower(x) < lower(y); });
}

const std::string& WmiObject::get(std::string_view name) const
{
    auto it = properties_.find(name);
    if (it == properties_.end())
        throw Error(438, "Object doesn't support this property or method");
    return it->second;
}

std::string QueriedClass(std::string_view query)
{
    const auto w = words(query);
    if (w.size() != 4 || !iequals(w[0], "select") || w[1] != "*" || !iequals(w[2], "from"))
        throw Error(WBEM_E_INVALID_QUERY, "Invalid query");
    return std::string(w[3]);
}

WmiObject ComputerSystemFrom(const HostConfig& config)
{
    WmiObject o;
    const bool inDomain = config.adsMember && !config.realm.empty();
    o.set("Caption", config.netbiosName);
    o.set("Name", config.netbiosName);
    o.set("Domain", inDomain ? lowered(config.realm) : config.workgroup);
    o.set("Workgroup", inDomain ? std::string() : config.workgroup);
    o.set("PartOfDomain", inDomain ? "True" : "False");
    return o;
}

std::unique_ptr<Wmi> GetObject(std::string_view moniker)
{
    const std::string_view prefix = "winmgmts:";
    if (moniker.size() < prefix.size() || !iequals(moniker.substr(0, prefix.size()), prefix))
        throw Error(MK_E_SYNTAX, "Invalid syntax");
    std::string rest = lowered(std::string(moniker.substr(prefix.size())));
    std::replace(rest.begin(), rest.end(), '/', '\\');
    if (rest != "\\\\.\\root\\cimv2" && rest != "\\\\localhost\\root\\cimv2")
        throw Error(WBEM_E_NOT_SUPPORTED, "Only the local computer's root\\cimv2 namespace can be queried.");
    return std::make_unique<LocalWmi>();
}

} // namespace ads
