#include "quenlow/connectionstring.h"

#include <gtest/gtest.h>

namespace {

using quenlow::ConnectionString;

// Strings that must come back exactly as they were read.
const char* const RoundTrips[] = {
    "",
    "Driver={PostgreSQL Unicode};Server=127.0.0.1;Port=5432;Database=db;UID=u;PWD={p;w}}d=1{x}",
    "DSN=QuenlowFile;",
    "dsn=QuenlowFile;uid=Admin;pwd=secret",
    "DRIVER=SQLite3;DATABASE=/tmp/a b.db;NOCREAT=1;",
    "Driver={SQLite3};Database=x;;Timeout=5",
    "  Server = host ;Port=1",
    "bare;a=b",
    "PWD={}}}}",
    "PWD={unterminated",
    "PWD={a}trailing;UID=x",
    "A=1;B==2;;",
};

TEST(ConnectionString, ReadAndWrittenBackUnchangedStaysTheSame)
{
    for (const char* s : RoundTrips)
        EXPECT_EQ(ConnectionString::parse(s).str(), s);
}

TEST(ConnectionString, ReadsBracedValuesAndKeysWithoutRegardToCase)
{
    const auto cs = ConnectionString::parse("driver={PostgreSQL Unicode};PWD={p;w}}d=1{x};Server = host ;B==2;bare");
    EXPECT_EQ(cs.get("DRIVER"), "PostgreSQL Unicode");
    EXPECT_EQ(cs.get("pwd"), "p;w}d=1{x");
    EXPECT_EQ(cs.get("server"), " host ");
    EXPECT_EQ(cs.get("b"), "=2");
    EXPECT_EQ(cs.get("bare"), "");
    EXPECT_FALSE(cs.get("UID"));
}

TEST(ConnectionString, ChangesOnlyWhatIsSetAndQuotesWhereNeeded)
{
    auto cs = ConnectionString::parse("DRIVER={SQLite3};pwd=old;Database=x;");
    cs.set("PWD", "n;e}w");
    cs.set("Timeout", "5");
    cs.set("database", "x");  // unchanged: keeps its text
    EXPECT_EQ(cs.str(), "DRIVER={SQLite3};pwd={n;e}}w};Database=x;Timeout=5;");
    EXPECT_EQ(ConnectionString::parse(cs.str()).get("pwd"), "n;e}w");

    cs.remove("PWD");
    cs.set("DSN", "Files", true);
    EXPECT_EQ(cs.str(), "DSN=Files;DRIVER={SQLite3};Database=x;Timeout=5;");

    struct {
        const char* key;
        const char* value;
        const char* text;
    } encodings[] = {
        {"PWD", "plain", "PWD=plain"},     {"PWD", "a=b", "PWD={a=b}"},  {"PWD", "{x", "PWD={{x}"},
        {"PWD", " pad", "PWD={ pad}"},     {"PWD", "", "PWD="},          {"Driver", "PostgreSQL Unicode", "Driver={PostgreSQL Unicode}"},
        {"Database", "/a b", "Database=/a b"},
    };
    for (const auto& e : encodings) {
        EXPECT_EQ(ConnectionString::encode(e.key, e.value), e.text);
        EXPECT_EQ(ConnectionString::parse(e.text).get(e.key), e.value) << e.text;
    }
}

} // namespace
