#pragma once
// An ODBC connection string as a list of key=value attributes. Values with
// ";", "=", "{" or "}" are written in braces with "}" doubled. Attributes that
// are not changed keep their original text, so a string read and written back
// unchanged stays the same string.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quenlow {

struct Attribute {
    std::string key;      // as written, without surrounding blanks; empty for an empty segment
    std::string value;    // unquoted
    std::string text;     // the segment as it stood between separators
};

class ConnectionString {
public:
    static ConnectionString parse(std::string_view text);

    std::string str() const;

    const std::vector<Attribute>& attributes() const { return attrs_; }
    // Keys compare without regard to letter case, as drivers read them.
    std::optional<std::string> get(std::string_view key) const;
    bool has(std::string_view key) const { return get(key).has_value(); }
    // Changes the value in place (the key keeps its spelling) or adds the
    // attribute at the end, or at the front when asked.
    void set(std::string_view key, std::string_view value, bool atFront = false);
    void remove(std::string_view key);

    static std::string encode(std::string_view key, std::string_view value);

private:
    Attribute* find(std::string_view key);
    std::vector<Attribute> attrs_;
};

bool sameKey(std::string_view a, std::string_view b);

} // namespace quenlow
