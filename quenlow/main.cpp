// Quenlow: builds an ODBC connection string, checks it, and keeps it between runs.
#include "frmquenlow.h"
#include "odbc.h"

#include "ui/application.h"

int main(int argc, char** argv)
{
    ui::SuiteApplication app(argc, argv, QStringLiteral("Quenlow"));
    quenlow::Odbc odbc;
    auto* form = new quenlow::frmQuenlow(odbc);
    form->show();
    return app.exec();
}
