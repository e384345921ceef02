#pragma once
// The look that Torvane, Brevant and Dockwatch share: white windows, light
// yellow fields and lists, teal heading labels, bold "Palatino Linotype".
#include <QColor>
#include <QFont>
#include <QString>

#include <cstdint>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;
class QPixmap;

namespace ui {

// A colour written &H00BBGGRR&.
constexpr QColor vbColor(std::uint32_t bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

namespace colors {
inline constexpr std::uint32_t White = 0x00FFFFFF;
inline constexpr std::uint32_t LightYellow = 0x00C0FFFF;
inline constexpr std::uint32_t Teal = 0x00808000;
inline constexpr std::uint32_t Navy = 0x00800000;
inline constexpr std::uint32_t LightGrey = 0x00E0E0E0;
} // namespace colors

inline const QString SuiteFontFamily = QStringLiteral("Palatino Linotype");

QFont suiteFont(int points, bool bold = true);

// The background colour of a window, frame, field or label.
void setBackground(QWidget* w, QColor colour);
void setForeground(QWidget* w, QColor colour);

// A white window in the suite's font.
void applyWindowLook(QWidget* window, int points = 10);

// A single-bordered label (the caption of a field).
void styleBorderedLabel(QLabel* label);

// Teal heading label with white, centred text and a single border.
void styleHeaderLabel(QLabel* label, int points = 10);

// A light-yellow field, optionally locked and centred.
void styleField(QLineEdit* field, bool locked = false, bool centred = false);

// The same, made with its control name.
QLabel* headerLabel(const QString& objectName, const QString& caption, int points = 10);
QLineEdit* textField(const QString& objectName, bool locked = false, bool centred = false);

// A graphical-style button: shows its own background colour and, when given, a picture.
QPushButton* graphicalButton(const QString& caption, const QString& objectName, std::uint32_t bgr = colors::White,
                             const QPixmap* picture = nullptr);

// A window with a sizeable border and a minimise button but no maximise button.
inline constexpr Qt::WindowFlags NoMaximizeWindow = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                                                   | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                                                   | Qt::WindowCloseButtonHint;

// A caption beside a field: single border, white, centred.
QLabel* captionLabel(const QString& objectName, const QString& caption);

// Windows open centred on the screen unless they say otherwise.
void centreOnScreen(QWidget* window);

} // namespace ui
