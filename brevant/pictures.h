#pragma once
// Brevant's own pictures for its picture buttons, and the large square button
// that shows a picture above its caption.
#include <QPixmap>
#include <QPushButton>

#include <cstdint>

namespace brevant {

enum class Picture {
    People,    // two heads and shoulders: the domain's users
    Profile,   // a card with a head: one user's profile
    Key,       // a key: the password
    Magnifier, // a magnifying glass: the search
    Door,      // an open door: leave
    Floppy,    // a disk: save
    GroupIn,   // a group with a plus: add to a group
    GroupOut,  // a group with a minus: remove from a group
};

QPixmap picture(Picture which, int size = 40);

// A graphical button with the picture above its caption. The caption stays the
// button's text, so access keys and lookups by text work as for any button.
class PictureButton : public QPushButton {
    Q_OBJECT

public:
    PictureButton(const QString& caption, const QString& objectName, Picture which, int side = 84,
                  bool italic = false, std::uint32_t bgr = 0x00FFFFFF);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap picture_;
};

} // namespace brevant
