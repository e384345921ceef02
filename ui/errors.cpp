#include "errors.h"

#include "messages.h"

#include <QApplication>
#include <QWidget>

#include <exception>

namespace ui {

ads::Error toError(std::exception_ptr e)
{
    try {
        std::rethrow_exception(e);
    } catch (const ads::Error& err) {
        return err;
    } catch (const std::bad_alloc&) {
        return ads::Error(7, "Out of memory");
    } catch (const std::exception& err) {
        return ads::Error(static_cast<std::int32_t>(0x80004005u), err.what());  // E_FAIL
    } catch (...) {
        return ads::Error(static_cast<std::int32_t>(0x80004005u), "Unspecified error");
    }
}

void showErrorReport(QWidget* parent, const ads::Error& e)
{
    QString number = QString::number(e.number());
    if (e.number() < 0)
        number += QStringLiteral(" (%1)").arg(static_cast<quint32>(e.number()), 8, 16, QLatin1Char('0'));
    msgBox(parent, QStringLiteral("Run-time error '%1':\n\n%2").arg(number, QString::fromStdString(e.description())));
}

void showRefusal(QWidget* parent, const ads::Error& e)
{
    msgBox(parent, QStringLiteral("Error: %1 %2").arg(e.number()).arg(QString::fromStdString(e.description())));
}

QWidget* windowOf(QObject* receiver)
{
    if (auto* w = qobject_cast<QWidget*>(receiver))
        return w->window();
    return QApplication::activeWindow();
}

} // namespace ui
