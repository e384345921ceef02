// Reads and decodes the TCP table, and fills the connection list with it,
// against "ss -tan -4" reading the same table in the same run.
// Run inside a namespace that holds the connections (bench/run-tcptable).
#include "dockwatch/connectionmodel.h"
#include "dockwatch/netstat.h"
#include "dockwatch/tcptable.h"

#include "benchutil.h"

#include <QApplication>
#include <QTreeView>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using bench::Clock;
using bench::median;
using bench::ms;

dockwatch::NetlinkTcpTable table;

std::vector<netstat::DecodedRow> readAndDecode()
{
    const auto rows = table.GetTcpTable();
    std::vector<netstat::DecodedRow> decoded;
    decoded.reserve(rows.size());
    for (const auto& r : rows)
        decoded.push_back(netstat::DecodeRow(r));
    return decoded;
}

double timeSs()
{
    // posix_spawn, not fork: a fork would leave this process's own pages
    // copy-on-write and bill the faults to the next read of ours.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    char* const args[] = {const_cast<char*>("ss"), const_cast<char*>("-tan"), const_cast<char*>("-4"), nullptr};
    const auto t0 = Clock::now();
    pid_t pid = 0;
    int status = posix_spawnp(&pid, "ss", &actions, nullptr, args, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (status != 0) {
        std::fprintf(stderr, "cannot start ss\n");
        std::exit(1);
    }
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "ss failed\n");
        std::exit(1);
    }
    return ms(Clock::now() - t0);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    constexpr int Runs = 7;

    std::size_t rows = readAndDecode().size();
    timeSs();  // warm both up
    std::vector<double> ours, theirs;
    for (int i = 0; i < Runs; ++i) {
        const auto t0 = Clock::now();
        rows = readAndDecode().size();
        ours.push_back(ms(Clock::now() - t0));
        theirs.push_back(timeSs());
    }

    // Filling the list: the rows' texts, the model, and the view laid out and painted.
    const auto decoded = readAndDecode();
    dockwatch::ConnectionModel model;
    QTreeView view;
    view.setUniformRowHeights(true);
    view.setRootIsDecorated(false);
    view.setModel(&model);
    view.resize(640, 400);
    view.show();
    QApplication::processEvents();
    std::vector<double> fills;
    for (int i = 0; i < Runs; ++i) {
        model.clear();
        QApplication::processEvents();
        const auto t0 = Clock::now();
        std::vector<dockwatch::ConnectionModel::Row> texts;
        texts.reserve(decoded.size());
        for (const auto& d : decoded)
            texts.push_back(dockwatch::ConnectionModel::fromDecoded(d));
        model.append(std::move(texts));
        QApplication::processEvents();
        view.repaint();
        fills.push_back(ms(Clock::now() - t0));
    }

    const double o = median(ours), s = median(theirs), f = median(fills);
    std::printf("rows in the table:              %zu\n", rows);
    std::printf("read + decode (dockwatch):      %8.2f ms (median of %d)\n", o, Runs);
    std::printf("ss -tan -4 (reference):         %8.2f ms (median of %d)\n", s, Runs);
    std::printf("ratio dockwatch / ss:           %8.2f  (target <= 1.00)\n", o / s);
    std::printf("fill the list with %zu rows: %8.2f ms (median of %d; target < 500)\n", decoded.size(), f, Runs);
    return 0;
}
