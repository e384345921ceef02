// Torvane: the groups of a chosen computer of the domain.
#include "form1.h"

#include "ui/application.h"

int main(int argc, char** argv)
{
    ui::SuiteApplication app(argc, argv, QStringLiteral("Torvane"));
    auto directory = ads::OpenSamrDirectory();
    auto* form1 = new torvane::Form1(*directory);
    form1->show();
    return app.exec();
}
