// Dockwatch: the local computer's TCP connection table.
#include "form1.h"

#include "ui/application.h"

int main(int argc, char** argv)
{
    ui::SuiteApplication app(argc, argv, QStringLiteral("Dockwatch"));
    dockwatch::NetlinkTcpTable table;
    auto* form1 = new dockwatch::Form1(table);
    form1->show();
    return app.exec();
}
