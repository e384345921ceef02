// Sweeps a block with the sweeper window as a user would (offscreen), and
// prints how long the sweep took and how many hosts it listed:
//   sweep_bench START END      e.g. sweep_bench 10.77.0.2 0.254
// SWEEP_BENCH_SHOT=FILE.png also saves a picture of the window afterwards.
// Run it inside the sweep network's scanner namespace (bench/run-sweep).
#include "sweepling/form1.h"

#include "ui/application.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s START END\n", argv[0]);
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const QStringList start = QString::fromLatin1(argv[1]).split(QLatin1Char('.'));
    const QStringList end = QString::fromLatin1(argv[2]).split(QLatin1Char('.'));
    if (start.size() != 4 || end.size() != 2) {
        std::fprintf(stderr, "START is a.b.c.d, END is c.d\n");
        return 2;
    }
    int n = 1;
    ui::SuiteApplication app(n, argv, QStringLiteral("Sweepling"));
    sweepling::Form1 form;
    form.show();
    const char* names[] = {"ipd1", "ipd2", "ipd3", "ipd4", "ipa1", "ipa2"};
    const QStringList texts = start + end;
    for (int i = 0; i < 6; ++i)
        form.findChild<QLineEdit*>(QLatin1String(names[i]))->setText(texts[i]);

    QElapsedTimer timer;
    timer.start();
    form.findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    const double seconds = double(timer.nsecsElapsed()) / 1e9;

    // A picture of the window after the sweep, for the documentation.
    if (const QString shot = qEnvironmentVariable("SWEEP_BENCH_SHOT"); !shot.isEmpty())
        form.grab().save(shot);

    const QString status = form.findChild<QStatusBar*>(QStringLiteral("StatusBar1"))->currentMessage();
    const int listed = form.findChild<QListWidget*>(QStringLiteral("List1"))->count();
    std::printf("sweep %s to %s: %d hosts listed with their MACs in %.3f s (%s)\n", argv[1], argv[2], listed, seconds,
                qPrintable(status));
    return status.startsWith(QLatin1String("Complete ")) ? 0 : 1;
}
