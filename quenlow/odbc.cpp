#include "odbc.h"

#include "connectionstring.h"

#include "directory/error.h"

#include <odbcinst.h>
#include <odbcinstext.h>
#include <sql.h>
#include <sqlext.h>

#include <dlfcn.h>

#include <algorithm>
#include <cctype>
#include <cstdint>

namespace quenlow {
namespace {

// Frees an ODBC handle on every way out.
struct Handle {
    explicit Handle(SQLSMALLINT t) : type(t) {}
    ~Handle()
    {
        if (h != SQL_NULL_HANDLE)
            SQLFreeHandle(type, h);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    SQLSMALLINT type;
    SQLHANDLE h = SQL_NULL_HANDLE;
};

std::string lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return s;
}

bool blank(const std::string& s)
{
    return std::all_of(s.begin(), s.end(), [](unsigned char c) { return std::isspace(c); });
}

// Every diagnostic record as "[SQLSTATE] text"; the number is the first record's native error.
ads::Error diagnostics(SQLSMALLINT type, SQLHANDLE h, SQLRETURN rc, const char* call)
{
    std::int32_t number = 0;
    std::string text;
    for (SQLSMALLINT rec = 1;; ++rec) {
        SQLCHAR state[SQL_SQLSTATE_SIZE + 1] = {};
        SQLINTEGER native = 0;
        std::string message(1024, '\0');
        SQLSMALLINT length = 0;
        SQLRETURN r = SQLGetDiagRec(type, h, rec, state, &native, reinterpret_cast<SQLCHAR*>(message.data()),
                                    SQLSMALLINT(message.size()), &length);
        if (r == SQL_SUCCESS_WITH_INFO && length >= SQLSMALLINT(message.size())) {
            message.assign(std::size_t(length) + 1, '\0');
            r = SQLGetDiagRec(type, h, rec, state, &native, reinterpret_cast<SQLCHAR*>(message.data()),
                              SQLSMALLINT(message.size()), &length);
        }
        if (!SQL_SUCCEEDED(r))
            break;
        message.resize(std::min<std::size_t>(std::size_t(std::max<SQLSMALLINT>(length, 0)), message.size()));
        while (!message.empty() && (message.back() == '\n' || message.back() == '\0'))
            message.pop_back();
        if (rec == 1)
            number = native;
        else
            text += "\r\n";
        text += '[' + std::string(reinterpret_cast<char*>(state)) + "] " + message;
    }
    if (text.empty())
        text = std::string(call) + " failed with return code " + std::to_string(rc) + '.';
    return ads::Error(number, text);
}

ads::Error noSource()
{
    // Also what the driver manager says for a string that names no source; it
    // is said here for an empty one, which the manager would fill with a default.
    return ads::Error(0, "[IM002] Data source name not found and no default driver specified");
}

std::string profileString(const std::string& section, const char* key, const char* file)
{
    char buf[1024] = {};
    SQLGetPrivateProfileString(section.c_str(), key, "", buf, sizeof buf, file);
    return buf;
}

// The library that a driver name (or a library path) stands for.
std::string driverLibrary(const std::string& driver)
{
    if (driver.find('/') != std::string::npos)
        return driver;
    return profileString(driver, "Driver", "ODBCINST.INI");
}

std::string fileDsnDriver(const std::string& file)
{
    char buf[1024] = {};
    WORD length = 0;
    if (!SQLReadFileDSN(file.c_str(), "ODBC", "DRIVER", buf, sizeof buf, &length))
        return {};
    return buf;
}

bool isSqlite(const std::string& driver)
{
    if (driver.empty())
        return false;
    return lower(driver).find("sqlite") != std::string::npos || lower(driverLibrary(driver)).find("sqlite") != std::string::npos;
}

struct Env {
    Env()
    {
        if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env.h)))
            throw ads::Error(0, "[HY001] The ODBC environment could not be allocated.");
        SQLSetEnvAttr(env.h, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    }
    Handle env{SQL_HANDLE_ENV};
};

} // namespace

std::vector<std::string> Odbc::drivers()
{
    Env e;
    std::vector<std::string> out;
    SQLUSMALLINT direction = SQL_FETCH_FIRST;
    for (;;) {
        SQLCHAR name[512], attrs[4096];
        SQLSMALLINT nameLen = 0, attrsLen = 0;
        const SQLRETURN rc = SQLDrivers(e.env.h, direction, name, sizeof name, &nameLen, attrs, sizeof attrs, &attrsLen);
        if (rc == SQL_NO_DATA)
            break;
        if (!SQL_SUCCEEDED(rc))
            throw diagnostics(SQL_HANDLE_ENV, e.env.h, rc, "SQLDrivers");
        out.emplace_back(reinterpret_cast<char*>(name));
        direction = SQL_FETCH_NEXT;
    }
    return out;
}

std::vector<DataSource> Odbc::dataSources()
{
    Env e;
    std::vector<DataSource> out;
    SQLUSMALLINT direction = SQL_FETCH_FIRST;
    for (;;) {
        SQLCHAR name[SQL_MAX_DSN_LENGTH + 1], driver[1024];
        SQLSMALLINT nameLen = 0, driverLen = 0;
        const SQLRETURN rc = SQLDataSources(e.env.h, direction, name, sizeof name, &nameLen, driver, sizeof driver, &driverLen);
        if (rc == SQL_NO_DATA)
            break;
        if (!SQL_SUCCEEDED(rc))
            throw diagnostics(SQL_HANDLE_ENV, e.env.h, rc, "SQLDataSources");
        out.push_back({reinterpret_cast<char*>(name), reinterpret_cast<char*>(driver)});
        direction = SQL_FETCH_NEXT;
    }
    return out;
}

std::vector<DriverField> Odbc::driverFields(const std::string& driver)
{
    std::vector<DriverField> out;
    HODBCINSTPROPERTY first = nullptr;
    std::string name = driver;
    // The driver manager unloads the setup library before it returns, and the
    // choices point into that library: hold it loaded while they are read.
    const std::string setup = profileString(driver, "Setup", "ODBCINST.INI");
    void* setupLibrary = setup.empty() ? nullptr : dlopen(setup.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!setupLibrary && !setup.empty() && setup.find('/') == std::string::npos)
        setupLibrary = dlopen((std::string(QUENLOW_ODBC_DRIVER_DIR "/") + setup).c_str(), RTLD_NOW | RTLD_LOCAL);
    if (setupLibrary && ODBCINSTConstructProperties(name.data(), &first) == ODBCINST_SUCCESS) {
        for (HODBCINSTPROPERTY p = first; p; p = p->pNext) {
            const std::string key = p->szName;
            const std::string k = lower(key);
            // The first three are the data source's own entries, not connection attributes.
            if (k == "name" || k == "description" || k == "driver" || p->nPromptType == ODBCINST_PROMPTTYPE_HIDDEN
                || p->nPromptType == ODBCINST_PROMPTTYPE_LABEL)
                continue;
            DriverField f{key, p->szValue, p->nPromptType == ODBCINST_PROMPTTYPE_TEXTEDIT_PASSWORD || k == "pwd" || k == "password"};
            if (p->aPromptData) {
                std::string choices;
                for (char** c = p->aPromptData; *c; ++c)
                    choices += (choices.empty() ? "" : " | ") + std::string(*c);
                if (!choices.empty())
                    f.hint = choices;
            }
            out.push_back(std::move(f));
        }
        ODBCINSTDestructProperties(&first);
    }
    if (setupLibrary)
        dlclose(setupLibrary);
    if (out.empty())
        out = builtinFields(driver, driverLibrary(driver));
    return out;
}

std::vector<DriverField> builtinFields(const std::string& driver, const std::string& library)
{
    const std::string d = lower(driver), lib = lower(library);
    auto has = [&](const char* s) { return d.find(s) != std::string::npos || lib.find(s) != std::string::npos; };
    if (has("psqlodbc") || has("postgres"))
        return {{"Server", "localhost", false}, {"Port", "5432", false},   {"Database", "", false},
                {"UID", "", false},             {"PWD", "", true},         {"SSLmode", "disable | allow | prefer | require | verify-ca | verify-full", false}};
    if (has("sqlite"))
        return {{"Database", "path of the database file", false}, {"Timeout", "100000", false}, {"NoCreat", "0 | 1", false},
                {"FKSupport", "0 | 1", false},                    {"StepAPI", "0 | 1", false}};
    if (has("maodbc") || has("mariadb") || has("myodbc") || has("mysql"))
        return {{"Server", "localhost", false}, {"Port", "3306", false}, {"Database", "", false}, {"UID", "", false},
                {"PWD", "", true},              {"Socket", "", false},   {"Charset", "utf8mb4", false}};
    return {};
}

std::string Odbc::stringForCheck(const std::string& connectionString) const
{
    if (blank(connectionString))
        throw noSource();
    ConnectionString cs = ConnectionString::parse(connectionString);
    bool sqlite = false;
    for (const Attribute& a : cs.attributes()) {
        if (sameKey(a.key, "Driver") || sameKey(a.key, "DSN") || sameKey(a.key, "FILEDSN")) {
            // An empty source would send the driver manager to the first one configured.
            if (blank(a.value))
                throw noSource();
            if (sameKey(a.key, "Driver"))
                sqlite = sqlite || isSqlite(a.value);
            else if (sameKey(a.key, "DSN"))
                sqlite = sqlite || isSqlite(profileString(a.value, "Driver", "ODBC.INI"));
            else
                sqlite = sqlite || isSqlite(fileDsnDriver(a.value));
        } else if (sameKey(a.key, "SAVEFILE")) {
            throw ads::Error(0, "[01S00] Invalid connection string attribute: SAVEFILE would write a file; a check writes none");
        }
    }
    if (sqlite) {
        // The SQLite driver creates a missing database file unless told not to.
        cs.remove("NoCreat");
        cs.set("NoCreat", "1");
    }
    return cs.str();
}

void Odbc::check(const std::string& connectionString)
{
    const std::string s = stringForCheck(connectionString);
    Env e;
    Handle dbc(SQL_HANDLE_DBC);
    SQLRETURN rc = SQLAllocHandle(SQL_HANDLE_DBC, e.env.h, &dbc.h);
    if (!SQL_SUCCEEDED(rc))
        throw diagnostics(SQL_HANDLE_ENV, e.env.h, rc, "SQLAllocHandle");
    SQLSetConnectAttr(dbc.h, SQL_ATTR_LOGIN_TIMEOUT, reinterpret_cast<SQLPOINTER>(static_cast<std::intptr_t>(loginTimeout_)), 0);
    SQLCHAR out[4096];
    SQLSMALLINT outLen = 0;
    rc = SQLDriverConnect(dbc.h, nullptr, reinterpret_cast<SQLCHAR*>(const_cast<char*>(s.c_str())), SQL_NTS, out, sizeof out,
                          &outLen, SQL_DRIVER_NOPROMPT);
    if (!SQL_SUCCEEDED(rc))
        throw diagnostics(SQL_HANDLE_DBC, dbc.h, rc, "SQLDriverConnect");
    rc = SQLDisconnect(dbc.h);
    if (!SQL_SUCCEEDED(rc))
        throw diagnostics(SQL_HANDLE_DBC, dbc.h, rc, "SQLDisconnect");
}

} // namespace quenlow
