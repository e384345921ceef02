#pragma once
// The database-access layer over unixODBC.
#include "dataaccess.h"

namespace quenlow {

class Odbc : public DataAccess {
public:
    // The login timeout bounds how long a check waits for a silent server.
    explicit Odbc(int loginTimeoutSeconds = 15) : loginTimeout_(loginTimeoutSeconds) {}

    std::vector<std::string> drivers() override;
    std::vector<DataSource> dataSources() override;
    std::vector<DriverField> driverFields(const std::string& driver) override;
    void check(const std::string& connectionString) override;

    // The string that check() hands to the driver manager, after its refusals
    // and with the guards it adds.
    std::string stringForCheck(const std::string& connectionString) const;

private:
    int loginTimeout_;
};

// The keyword table for drivers that ship no property list of their own.
std::vector<DriverField> builtinFields(const std::string& driver, const std::string& library);

} // namespace quenlow
