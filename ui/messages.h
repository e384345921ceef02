#pragma once
// Message boxes: one OK button, the icon a window asks for, and the
// application's title unless a window gives one of its own.
#include <QString>

class QWidget;

namespace ui {

enum class Icon { None, Information, Exclamation };

// The application title: the program's own name ("Dockwatch", ...).
QString appTitle();

void msgBox(QWidget* parent, const QString& text, Icon icon = Icon::None, const QString& title = {});

} // namespace ui
