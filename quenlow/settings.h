#pragma once
// The per-user settings of Quenlow: an INI file that only its owner can read,
// since the last connection string may hold a password.
#include <QString>

namespace quenlow::settings {

inline const QString AppName = QStringLiteral("Quenlow");
inline const QString WindowSection = QStringLiteral("Window");
inline const QString TopKey = QStringLiteral("Top");
inline const QString LeftKey = QStringLiteral("Left");
inline const QString OptionsSection = QStringLiteral("Options");
inline const QString LastAdoStringKey = QStringLiteral("LastADOString");

// $XDG_CONFIG_HOME/Quenlow/Quenlow.ini
QString filePath();

QString read(const QString& section, const QString& key, const QString& defaultValue = {});
// Throws ads::Error when the file cannot be written.
void write(const QString& section, const QString& key, const QString& value);

} // namespace quenlow::settings
