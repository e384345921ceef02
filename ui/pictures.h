#pragma once
// The suite's own small pictures, drawn here so that every program carries
// them without image files.
#include <QIcon>
#include <QPixmap>

namespace ui {

enum class Picture {
    Computer,   // a monitor on its stand
    Network,    // two computers joined by a cable
    Plug,       // a network plug
    Globe,      // the wider network
};

QPixmap picture(Picture which, int size = 32);
QIcon pictureIcon(Picture which);

} // namespace ui
