#pragma once
// Sweepling's own pictures, drawn here: the program icon (a radar sweeping
// over found hosts) and the about window's picture.
#include <QPixmap>

namespace sweepling {

QPixmap ProgramIcon(int size = 32);
// 250 x 150 pixels.
QPixmap AboutPicture();

} // namespace sweepling
