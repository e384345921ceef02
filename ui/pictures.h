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
    People,     // two heads and shoulders: a domain's users
    Profile,    // a card with a head: one user's profile
    Key,        // a key: the password
    Magnifier,  // a magnifying glass: the search
    Door,       // an open door: leave
    Floppy,     // a disk: save
    GroupIn,    // a group with a plus: add to a group
    GroupOut,   // a group with a minus: remove from a group
};

QPixmap picture(Picture which, int size = 32);
QIcon pictureIcon(Picture which);

} // namespace ui
