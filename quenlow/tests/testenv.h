#pragma once
// The tests' own ODBC configuration and settings folder, made before main in
// a private temporary folder: drivers SQLite3 and "PostgreSQL Unicode", a
// data source "QuenlowFile" on an SQLite file, and the test PostgreSQL server.
#include <QString>

#include <string>

namespace testenv {

// The private folder; XDG_CONFIG_HOME, ODBCSYSINI and ODBCINI point into it.
QString root();
// A fresh, empty settings folder for one test.
void freshSettings();

// An SQLite database file with one table, made anew.
QString makeSqliteFile(const QString& name);

struct Postgres {
    std::string host, port, user, password, database;
    std::string bracesUser, bracesPassword;  // a password with ";", "}", "=" and "{"
};
// The server of the quenlow_postgres fixture.
const Postgres& postgres();
// Driver={PostgreSQL Unicode};Server=..;Port=..;Database=..;UID=..;PWD=..
std::string postgresString();
// Connections of the test role other than the asker's own, as the server sees them.
int openConnections();

// A loopback port on which nothing listens.
int closedPort();

// Accepts connections (the kernel completes them) and never answers.
class SilentServer {
public:
    SilentServer();
    ~SilentServer();
    int port() const { return port_; }

private:
    int fd_ = -1;
    int port_ = 0;
};

} // namespace testenv
