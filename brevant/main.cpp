// Brevant: the domain's groups and user accounts.
#include "form1.h"

#include "ui/application.h"

int main(int argc, char** argv)
{
    ui::SuiteApplication app(argc, argv, QStringLiteral("Brevant"));
    auto directory = ads::OpenSamrDirectory();
    auto* form1 = new brevant::Form1(*directory);
    form1->show();
    return app.exec();
}
