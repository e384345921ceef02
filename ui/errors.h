#pragma once
// The three ways a handler meets a failure:
//   resumeNext  - a failing step is skipped and the next one follows;
//   errorTrap   - the first failure ends the handler through its own report;
//   notHandled  - the default error report (number and description) is shown,
//                 the handler ends and the program keeps running.
// Exceptions never pass through Qt: every handler connected with ui::handle
// runs as notHandled, and SuiteApplication catches whatever else escapes.
#include "directory/error.h"

#include <QMetaObject>
#include <QObject>
#include <QString>

#include <functional>
#include <new>
#include <utility>

class QWidget;

namespace ui {

// Turns whatever was thrown into a number and a description.
ads::Error toError(std::exception_ptr e);

void showErrorReport(QWidget* parent, const ads::Error& e);

// A handler's own report of a refused change: "Error: " + number + " " +
// description, no icon, the application title.
void showRefusal(QWidget* parent, const ads::Error& e);

template <class F>
void notHandled(QWidget* parent, F&& handler) noexcept
{
    try {
        std::forward<F>(handler)();
    } catch (...) {
        showErrorReport(parent, toError(std::current_exception()));
    }
}

template <class F>
bool resumeNext(F&& step) noexcept
{
    try {
        std::forward<F>(step)();
        return true;
    } catch (...) {
        return false;
    }
}

template <class F, class Trap>
void errorTrap(F&& handler, Trap&& onError)
{
    try {
        std::forward<F>(handler)();
    } catch (...) {
        std::forward<Trap>(onError)(toError(std::current_exception()));
    }
}

QWidget* windowOf(QObject* receiver);

// Connects a signal to a parameterless handler of a window, run as notHandled.
template <class Sender, class Signal, class Receiver>
QMetaObject::Connection handle(Sender* sender, Signal signal, Receiver* receiver, void (Receiver::*method)())
{
    return QObject::connect(sender, signal, receiver, [receiver, method] {
        notHandled(windowOf(receiver), [&] { (receiver->*method)(); });
    });
}

} // namespace ui
