#pragma once
// The application object every program of the suite starts with: its title,
// the suite's style and font, and the last net under every event handler.
#include <QApplication>

namespace ui {

class SuiteApplication : public QApplication {
    Q_OBJECT

public:
    // title: the program's name, shown by message boxes without a title of their own.
    SuiteApplication(int& argc, char** argv, const QString& title);

    bool notify(QObject* receiver, QEvent* event) override;
};

// The style, palette and fonts of the suite; SuiteApplication calls it, and so
// do tests that make their own QApplication.
void installSuiteLook(QApplication& app);

} // namespace ui
