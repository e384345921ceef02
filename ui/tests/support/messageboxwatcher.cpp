#include "messageboxwatcher.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>

namespace testsupport {

MessageBoxWatcher::MessageBoxWatcher()
{
    connect(&timer_, &QTimer::timeout, this, &MessageBoxWatcher::poll);
    timer_.start(5);
}

void MessageBoxWatcher::poll()
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        auto* box = qobject_cast<QMessageBox*>(w);
        if (!box || !box->isVisible())
            continue;
        boxes_.push_back({box->windowTitle(), box->text(), box->icon()});
        if (QAbstractButton* ok = box->button(QMessageBox::Ok))
            ok->click();
        else
            box->done(0);
    }
}

bool MessageBoxWatcher::waitFor(std::size_t n, int ms)
{
    QElapsedTimer t;
    t.start();
    while (boxes_.size() < n && t.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    return boxes_.size() >= n;
}

bool runUntilProgramEnds(int ms)
{
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    watchdog.start(ms);
    const bool ended = QCoreApplication::exec() == 0;
    QCoreApplication::removePostedEvents(qApp, QEvent::Quit);
    return ended;
}

void processEventsFor(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
}

} // namespace testsupport
