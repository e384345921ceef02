#pragma once
// A large square graphical button that shows a picture above its caption. The
// caption stays the button's text, so access keys and lookups by text work as
// for any button.
#include "pictures.h"

#include <QPixmap>
#include <QPushButton>

#include <cstdint>

namespace ui {

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

} // namespace ui
