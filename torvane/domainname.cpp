#include "domainname.h"

#include "ui/errors.h"

#include <QLineEdit>

namespace torvane {

void LoadDomainName(const ads::WmiBinder& getObject, QLineEdit* txtDomain)
{
    std::unique_ptr<ads::Wmi> wmi;
    std::vector<ads::WmiObject> systems;
    ui::resumeNext([&] { wmi = getObject("winmgmts:\\\\.\\root\\cimv2"); });
    if (wmi)
        ui::resumeNext([&] { systems = wmi->ExecQuery("SELECT * FROM win32_ComputerSystem"); });
    for (const ads::WmiObject& system : systems)
        ui::resumeNext([&] { txtDomain->setText(QString::fromStdString(system.get("domain"))); });
}

} // namespace torvane
