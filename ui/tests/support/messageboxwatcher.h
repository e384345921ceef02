#pragma once
// Answers the message boxes that the code under test opens, as a user would
// press OK, and remembers what each one said.
#include "qtprinters.h"

#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QTimer>

#include <vector>

namespace testsupport {

struct SeenBox {
    QString title;
    QString text;
    QMessageBox::Icon icon;
};

class MessageBoxWatcher : public QObject {
public:
    MessageBoxWatcher();

    const std::vector<SeenBox>& boxes() const { return boxes_; }
    void clear() { boxes_.clear(); }
    // Lets events run until n boxes have been seen or the time is up.
    bool waitFor(std::size_t n, int ms = 3000);

private:
    void poll();

    QTimer timer_;
    std::vector<SeenBox> boxes_;
};

// Lets events run for ms milliseconds.
void processEventsFor(int ms);

// Runs the application's event loop until the code under test ends the
// program (true) or ms milliseconds pass (false). A quit that closing the last
// window posted is dropped afterwards, so that it cannot end a later test's
// message box or event loop.
bool runUntilProgramEnds(int ms = 5000);

} // namespace testsupport
