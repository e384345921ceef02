// Brevant's start-up listing and "Users" on the domain with the 2,000 extra
// users of the bulk test domain, against "net rpc user" and "net rpc group"
// listing the same users and groups in the same run. Runs in the client
// workstation (bench/run-brevant).
#include "brevant/form1.h"
#include "directory/directory.h"

#include "benchutil.h"

#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using bench::Clock;
using bench::median;
using bench::ms;

using bench::timeCommand;

struct Run {
    double start;  // from the program's first window being made to its being shown and drawn
    double users;  // "Users" on the shown window
    int listed;
};

// A fresh directory each time: the logon is part of the start, as it is for net.
Run timeBrevant()
{
    Run run{};
    const auto t0 = Clock::now();
    auto dir = ads::OpenSamrDirectory();
    auto* form = new brevant::Form1(*dir);
    form->show();
    QApplication::processEvents();
    run.start = ms(Clock::now() - t0);
    const auto t1 = Clock::now();
    QTest::mouseClick(form->findChild<QPushButton*>("cmdUsers"), Qt::LeftButton);
    QApplication::processEvents();
    run.users = ms(Clock::now() - t1);
    run.listed = form->findChild<QListWidget*>("List2")->count();
    form->close();
    QApplication::processEvents();
    return run;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    constexpr int Runs = 5;
    const std::string ref = "sh -c 'net rpc user -S dc1.corp.test --use-kerberos=required -N"
                            " && net rpc group -S dc1.corp.test --use-kerberos=required -N'";
    std::vector<double> start, users, reference;
    int listed = 0;
    for (int i = 0; i < Runs; ++i) {
        const Run r = timeBrevant();
        start.push_back(r.start);
        users.push_back(r.users);
        listed = r.listed;
        reference.push_back(timeCommand(ref));
    }
    std::printf("Listing the domain corp.test (%d users, its groups):\n", listed);
    std::printf("  brevant start-up:   %8.1f ms (median of %d; target: usable within 2000 ms)\n", median(start), Runs);
    std::printf("  brevant \"Users\":    %8.1f ms (median of %d)\n", median(users), Runs);
    std::printf("  net rpc user+group: %8.1f ms (median of %d)\n", median(reference), Runs);
    std::printf("  ratio start-up:     %8.2f  (target <= 1.20)\n", median(start) / median(reference));
    std::printf("  ratio \"Users\":      %8.2f  (target <= 1.20)\n", median(users) / median(reference));
    return 0;
}
