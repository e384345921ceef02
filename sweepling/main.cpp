// Sweepling: a ping sweep of an address block, with round-trip times and
// physical addresses.
#include "form1.h"

#include "ui/application.h"

int main(int argc, char** argv)
{
    ui::SuiteApplication app(argc, argv, QStringLiteral("Sweepling"));
    auto* form1 = new sweepling::Form1;
    form1->show();
    return app.exec();
}
