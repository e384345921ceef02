#include "quenlow/odbc.h"

#include "testenv.h"

#include "directory/error.h"

#include <gtest/gtest.h>

#include <QFile>

#include <algorithm>

namespace {

using quenlow::Odbc;

bool contains(const std::vector<std::string>& v, const std::string& s) { return std::find(v.begin(), v.end(), s) != v.end(); }

TEST(Odbc, ListsTheDriversAndDataSourcesOfItsConfiguration)
{
    Odbc odbc;
    const auto drivers = odbc.drivers();
    EXPECT_TRUE(contains(drivers, "SQLite3"));
    EXPECT_TRUE(contains(drivers, "PostgreSQL Unicode"));
    const auto sources = odbc.dataSources();
    ASSERT_EQ(sources.size(), 1u);
    EXPECT_EQ(sources[0].name, "QuenlowFile");
}

TEST(Odbc, DriverFieldsComeFromTheDriverOrTheKeywordTable)
{
    Odbc odbc;
    auto keys = [](const std::vector<quenlow::DriverField>& fields) {
        std::vector<std::string> k;
        for (const auto& f : fields)
            k.push_back(f.key);
        return k;
    };
    // The SQLite driver ships its property list.
    const auto sqlite = keys(odbc.driverFields("SQLite3"));
    EXPECT_TRUE(contains(sqlite, "Database"));
    EXPECT_FALSE(contains(sqlite, "Driver"));
    // The PostgreSQL driver ships none here: the built-in table, its password masked.
    const auto pg = odbc.driverFields("PostgreSQL Unicode");
    ASSERT_TRUE(contains(keys(pg), "Server"));
    for (const auto& f : pg)
        EXPECT_EQ(f.secret, f.key == "PWD") << f.key;
    EXPECT_TRUE(contains(keys(quenlow::builtinFields("MariaDB Unicode", "libmaodbc.so")), "Socket"));
    EXPECT_TRUE(odbc.driverFields("No Such Driver").empty());
}

TEST(Odbc, RefusesStringsThatNameNoSourceOrWouldWriteAFile)
{
    Odbc odbc;
    for (const char* s : {"", "  \n", "Driver=;Database=/tmp/x.db", "DSN=", "Driver={ };UID=a", "dsn={};Driver=SQLite3",
                          "FILEDSN=", "Driver=SQLite3;SAVEFILE=/tmp/quenlow-never.dsn"}) {
        try {
            odbc.check(s);
            ADD_FAILURE() << "accepted: " << s;
        } catch (const ads::Error& e) {
            EXPECT_EQ(e.number(), 0) << s;
            EXPECT_EQ(e.description().front(), '[') << s;
        }
    }
    EXPECT_FALSE(QFile::exists("/tmp/quenlow-never.dsn"));
}

TEST(Odbc, TellsTheSqliteDriverNotToCreateFiles)
{
    Odbc odbc;
    const std::string file = (testenv::root() + "/x.db").toStdString();
    const QString fileDsn = testenv::root() + "/sqlite.dsn";
    QFile f(fileDsn);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[ODBC]\nDRIVER=SQLite3\nDATABASE=" + QByteArray::fromStdString(file) + "\n");
    f.close();
    struct {
        std::string in, out;
    } cases[] = {
        {"Driver=SQLite3;Database=" + file, "Driver=SQLite3;Database=" + file + ";NoCreat=1"},
        {"Driver={" SQLITE3_ODBC "};Database=" + file + ";", "Driver={" SQLITE3_ODBC "};Database=" + file + ";NoCreat=1;"},
        {"DSN=QuenlowFile;NOCREAT=0;Timeout=5", "DSN=QuenlowFile;Timeout=5;NoCreat=1"},
        {"FILEDSN=" + fileDsn.toStdString(), "FILEDSN=" + fileDsn.toStdString() + ";NoCreat=1"},
        {testenv::postgresString(), testenv::postgresString()},
    };
    for (const auto& c : cases)
        EXPECT_EQ(odbc.stringForCheck(c.in), c.out);
}

} // namespace
