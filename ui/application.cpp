#include "application.h"

#include "errors.h"
#include "look.h"

#include <QStyleFactory>

namespace ui {

SuiteApplication::SuiteApplication(int& argc, char** argv, const QString& title) : QApplication(argc, argv)
{
    setApplicationName(title);
    installSuiteLook(*this);
}

bool SuiteApplication::notify(QObject* receiver, QEvent* event)
{
    // An error that escaped a handler shows the default error report and the
    // program lives on, with the window as it was.
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        showErrorReport(windowOf(receiver), toError(std::current_exception()));
        return false;
    }
}

void installSuiteLook(QApplication& app)
{
    // Fusion draws buttons and fields in the colours each window asks for,
    // on every desktop.
    if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion")))
        app.setStyle(fusion);
    app.setFont(suiteFont(9, false));
}

} // namespace ui
