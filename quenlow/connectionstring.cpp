#include "connectionstring.h"

#include <algorithm>
#include <cctype>

namespace quenlow {
namespace {

std::string_view trim(std::string_view s)
{
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front())))
        s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back())))
        s.remove_suffix(1);
    return s;
}

bool needsBraces(std::string_view key, std::string_view value)
{
    if (value.empty())
        return false;
    if (value.find_first_of(";={}") != std::string_view::npos)
        return true;
    // Drivers trim unquoted values.
    if (std::isspace(static_cast<unsigned char>(value.front())) || std::isspace(static_cast<unsigned char>(value.back())))
        return true;
    return sameKey(key, "Driver") && value.find(' ') != std::string_view::npos;
}

} // namespace

bool sameKey(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

ConnectionString ConnectionString::parse(std::string_view text)
{
    ConnectionString cs;
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t start = i;
        Attribute a;
        const std::size_t eq = text.find_first_of("=;", i);
        if (eq == std::string_view::npos || text[eq] == ';') {
            // A segment without "=": kept as written.
            i = eq == std::string_view::npos ? text.size() : eq;
            a.key = std::string(trim(text.substr(start, i - start)));
        } else {
            a.key = std::string(trim(text.substr(start, eq - start)));
            i = eq + 1;
            std::size_t j = i;
            while (j < text.size() && text[j] == ' ')
                ++j;
            if (j < text.size() && text[j] == '{') {
                // Braced: "}}" stands for "}", a single "}" ends the value.
                std::size_t k = j + 1;
                for (; k < text.size(); ++k) {
                    if (text[k] == '}') {
                        if (k + 1 < text.size() && text[k + 1] == '}') {
                            a.value += '}';
                            ++k;
                            continue;
                        }
                        break;
                    }
                    a.value += text[k];
                }
                i = k < text.size() ? k + 1 : k;
                const std::size_t semi = text.find(';', i);
                i = semi == std::string_view::npos ? text.size() : semi;
            } else {
                const std::size_t semi = text.find(';', i);
                const std::size_t end = semi == std::string_view::npos ? text.size() : semi;
                a.value = std::string(text.substr(i, end - i));
                i = end;
            }
        }
        a.text = std::string(text.substr(start, i - start));
        cs.attrs_.push_back(std::move(a));
        if (i < text.size()) {  // at a ";"
            ++i;
            if (i == text.size())
                cs.attrs_.push_back({});  // the trailing separator
        }
    }
    return cs;
}

std::string ConnectionString::str() const
{
    std::string out;
    for (std::size_t n = 0; n < attrs_.size(); ++n) {
        if (n)
            out += ';';
        out += attrs_[n].text;
    }
    return out;
}

std::string ConnectionString::encode(std::string_view key, std::string_view value)
{
    std::string out(key);
    out += '=';
    if (!needsBraces(key, value))
        return out.append(value);
    out += '{';
    for (char c : value) {
        out += c;
        if (c == '}')
            out += '}';
    }
    out += '}';
    return out;
}

Attribute* ConnectionString::find(std::string_view key)
{
    for (auto& a : attrs_)
        if (!a.key.empty() && sameKey(a.key, key))
            return &a;
    return nullptr;
}

std::optional<std::string> ConnectionString::get(std::string_view key) const
{
    for (const auto& a : attrs_)
        if (!a.key.empty() && sameKey(a.key, key))
            return a.value;
    return std::nullopt;
}

void ConnectionString::set(std::string_view key, std::string_view value, bool atFront)
{
    if (Attribute* a = find(key)) {
        if (a->value != value || a->text.find('=') == std::string::npos) {
            a->value = std::string(value);
            a->text = encode(a->key, value);
        }
        return;
    }
    Attribute a{std::string(key), std::string(value), encode(key, value)};
    // Before a trailing separator, so that "a=1;" grows into "a=1;b=2;".
    auto at = atFront ? attrs_.begin() : attrs_.end();
    if (!atFront && !attrs_.empty() && attrs_.back().text.empty())
        --at;
    attrs_.insert(at, std::move(a));
}

void ConnectionString::remove(std::string_view key)
{
    std::erase_if(attrs_, [&](const Attribute& a) { return !a.key.empty() && sameKey(a.key, key); });
    if (attrs_.size() == 1 && attrs_.front().text.empty())
        attrs_.clear();
}

} // namespace quenlow
