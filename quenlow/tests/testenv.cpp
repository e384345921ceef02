#include "testenv.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <stdexcept>

namespace testenv {
namespace {

void writeFile(const QString& path, const QString& text)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw std::runtime_error("cannot write " + path.toStdString());
    f.write(text.toUtf8());
}

struct Setup {
    Setup()
    {
        dir.setAutoRemove(true);
        const QString r = dir.path();
        writeFile(r + "/odbcinst.ini",
                  "[SQLite3]\nDescription=SQLite3 ODBC Driver\nDriver=" SQLITE3_ODBC "\nSetup=" SQLITE3_ODBC "\n\n"
                  "[PostgreSQL Unicode]\nDescription=PostgreSQL ODBC driver\nDriver=" PSQL_ODBC "\n");
        writeFile(r + "/odbc.ini", "[QuenlowFile]\nDriver=SQLite3\nDatabase=" + r + "/dsn.db\n");
        writeFile(r + "/user-odbc.ini", "");
        setenv("ODBCSYSINI", r.toLocal8Bit().constData(), 1);
        setenv("ODBCINI", (r + "/user-odbc.ini").toLocal8Bit().constData(), 1);
        setenv("XDG_CONFIG_HOME", (r + "/config").toLocal8Bit().constData(), 1);
    }
    QTemporaryDir dir;
};

Setup& setup()
{
    static Setup s;
    return s;
}

// Made before main: the driver manager reads the variables once.
const bool ready = (setup(), true);

} // namespace

QString root() { return setup().dir.path(); }

void freshSettings()
{
    QDir(root() + "/config").removeRecursively();
}

QString makeSqliteFile(const QString& name)
{
    const QString path = root() + QLatin1Char('/') + name;
    QFile::remove(path);
    QProcess p;
    p.start("sqlite3", {path, "CREATE TABLE t (x INTEGER); INSERT INTO t VALUES (1);"});
    if (!p.waitForFinished(10000) || p.exitCode() != 0)
        throw std::runtime_error("sqlite3 failed for " + path.toStdString());
    return path;
}

const Postgres& postgres()
{
    static const Postgres pg = [] {
        const char* state = std::getenv("QUENLOW_PG_STATE");
        if (!state)
            throw std::runtime_error("QUENLOW_PG_STATE is not set: run through ctest");
        std::ifstream in(std::string(state) + "/env");
        std::map<std::string, std::string> v;
        for (std::string line; std::getline(in, line);)
            if (const auto eq = line.find('='); eq != std::string::npos) {
                std::string value = line.substr(eq + 1);
                if (value.size() >= 2 && value.front() == '\'' && value.back() == '\'')
                    value = value.substr(1, value.size() - 2);
                v[line.substr(0, eq)] = value;
            }
        if (v["PGPORT"].empty())
            throw std::runtime_error("no PostgreSQL test server recorded in " + std::string(state));
        return Postgres{v["PGHOST"], v["PGPORT"], v["PGUSER"], v["PGPASSWORD"], v["PGDATABASE"], v["PGBRACESUSER"], v["PGBRACESPASSWORD"]};
    }();
    return pg;
}

std::string postgresString()
{
    const Postgres& pg = postgres();
    return "Driver={PostgreSQL Unicode};Server=" + pg.host + ";Port=" + pg.port + ";Database=" + pg.database + ";UID=" + pg.user
           + ";PWD=" + pg.password;
}

int openConnections()
{
    const Postgres& pg = postgres();
    QProcess p;
    auto env = QProcessEnvironment::systemEnvironment();
    env.insert("PGPASSWORD", QString::fromStdString(pg.password));
    p.setProcessEnvironment(env);
    p.start("psql", {"-h", QString::fromStdString(pg.host), "-p", QString::fromStdString(pg.port), "-U",
                     QString::fromStdString(pg.user), "-d", QString::fromStdString(pg.database), "-tAc",
                     "SELECT count(*) FROM pg_stat_activity WHERE usename = current_user AND pid <> pg_backend_pid()"});
    if (!p.waitForFinished(10000) || p.exitCode() != 0)
        throw std::runtime_error("psql failed: " + p.readAllStandardError().toStdString());
    return p.readAllStandardOutput().trimmed().toInt();
}

int closedPort()
{
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
    getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len);
    close(fd);  // bound, never listened on: the port refuses
    return ntohs(a.sin_port);
}

SilentServer::SilentServer()
{
    fd_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof a;
    if (fd_ < 0 || bind(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 || listen(fd_, 8) != 0
        || getsockname(fd_, reinterpret_cast<sockaddr*>(&a), &len) != 0)
        throw std::runtime_error("silent server: cannot listen");
    port_ = ntohs(a.sin_port);
}

SilentServer::~SilentServer()
{
    if (fd_ >= 0)
        close(fd_);
}

} // namespace testenv
