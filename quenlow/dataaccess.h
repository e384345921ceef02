#pragma once
// What the composer needs of the database-access layer: the installed drivers
// and data sources, the attributes a driver takes, and a connection check.
// Plain C++; failures are ads::Error with the native error number and the
// diagnostic text.
#include <string>
#include <vector>

namespace quenlow {

struct DataSource {
    std::string name;
    std::string driver;
};

struct DriverField {
    std::string key;
    std::string hint;     // default value or choices, shown while the field is empty
    bool secret = false;  // masked: a password
};

class DataAccess {
public:
    virtual ~DataAccess() = default;

    virtual std::vector<std::string> drivers() = 0;
    virtual std::vector<DataSource> dataSources() = 0;
    virtual std::vector<DriverField> driverFields(const std::string& driver) = 0;
    // Opens a connection with the string alone and closes it again.
    virtual void check(const std::string& connectionString) = 0;
};

} // namespace quenlow
