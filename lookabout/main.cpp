// Lookabout: lets the user pick a computer or share of the network and
// prints its name.
#include "form1.h"

#include "ui/application.h"

#include <QTimer>

#include <iostream>

int main(int argc, char** argv)
{
    ui::SuiteApplication app(argc, argv, QStringLiteral("Lookabout"));
    auto* form = new lookabout::Form1({}, std::cout);
    QTimer::singleShot(0, form, &lookabout::Form1::load);
    return app.exec();
}
