// "Go" on a computer of the domain and a listing of the domain itself, with
// the 2,000 extra users of the bulk test domain, against rpcclient listing
// the same users and groups in the same run. Runs in the client workstation
// (bench/run-torvane).
#include "directory/directory.h"
#include "torvane/form1.h"

#include "benchutil.h"

#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using bench::Clock;
using bench::median;
using bench::ms;

using bench::timeCommand;

// A fresh window and directory each time: the logon is part of the cost, as it is for rpcclient.
double timeGo(const char* target, int& users)
{
    auto dir = ads::OpenSamrDirectory();
    auto* form = new torvane::Form1(*dir, [](std::string_view m) { return ads::GetObject(m); });
    form->show();
    auto* combo = form->findChild<QComboBox*>("Combo1");
    // Let the computer list fill first: it is not part of "Go".
    const auto shown = Clock::now();
    while (combo->count() == 0 && Clock::now() - shown < std::chrono::seconds(10))
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    combo->setEditText(target);
    const auto t0 = Clock::now();
    QTest::mouseClick(form->findChild<QPushButton*>("Command1"), Qt::LeftButton);
    const double t = ms(Clock::now() - t0);
    users = form->findChild<QListWidget*>("List3")->count();
    form->close();
    QApplication::processEvents();
    return t;
}

double timeDomainListing(int& users)
{
    const auto t0 = Clock::now();
    auto dir = ads::OpenSamrDirectory();
    auto domain = dir->BindContainer("WinNT://corp.test");
    users = 0;
    domain->SetFilter({"User"});
    domain->Enumerate([&](const std::string&) { ++users; });
    domain->SetFilter({"Group"});
    domain->Enumerate([](const std::string&) {});
    return ms(Clock::now() - t0);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    constexpr int Runs = 5;
    const std::string rpc = "rpcclient -N --use-kerberos=required ";
    std::vector<double> go, goRef, domain, domainRef;
    int goUsers = 0, domainUsers = 0;
    for (int i = 0; i < Runs; ++i) {
        go.push_back(timeGo("DC1", goUsers));
        goRef.push_back(timeCommand(rpc + "dc1.corp.test -c 'enumdomusers; enumalsgroups builtin; enumalsgroups domain'"));
        domain.push_back(timeDomainListing(domainUsers));
        domainRef.push_back(timeCommand(rpc + "dc1.corp.test -c 'enumdomusers; enumdomgroups'"));
    }
    std::printf("\"Go\" on DC1 (%d users, its local groups):\n", goUsers);
    std::printf("  torvane:   %8.1f ms (median of %d)\n", median(go), Runs);
    std::printf("  rpcclient: %8.1f ms (median of %d)\n", median(goRef), Runs);
    std::printf("  ratio:     %8.2f  (target <= 1.20)\n", median(go) / median(goRef));
    std::printf("Listing the domain corp.test (%d users, its groups):\n", domainUsers);
    std::printf("  directory: %8.1f ms (median of %d)\n", median(domain), Runs);
    std::printf("  rpcclient: %8.1f ms (median of %d)\n", median(domainRef), Runs);
    std::printf("  ratio:     %8.2f  (target <= 1.20)\n", median(domain) / median(domainRef));
    return 0;
}
