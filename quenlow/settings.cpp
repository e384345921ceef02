#include "settings.h"

#include "directory/error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace quenlow::settings {
namespace {

constexpr QFileDevice::Permissions OwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

} // namespace

QString filePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QLatin1Char('/') + AppName + QLatin1Char('/')
           + AppName + QStringLiteral(".ini");
}

QString read(const QString& section, const QString& key, const QString& defaultValue)
{
    QSettings s(filePath(), QSettings::IniFormat);
    s.beginGroup(section);
    return s.value(key, defaultValue).toString();
}

void write(const QString& section, const QString& key, const QString& value)
{
    const QString path = filePath();
    const QString dir = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(dir))
        throw ads::Error(ads::hresultFromWin32(5), "The settings folder " + dir.toStdString() + " cannot be created.");
    QFile::setPermissions(dir, OwnerOnly | QFileDevice::ExeOwner);
    if (!QFile::exists(path)) {
        // Made private before anything is written into it; later saves keep its permissions.
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            throw ads::Error(ads::hresultFromWin32(5), "The settings file " + path.toStdString() + " cannot be written.");
        f.setPermissions(OwnerOnly);
    }
    {
        QSettings s(path, QSettings::IniFormat);
        s.beginGroup(section);
        s.setValue(key, value);
        s.endGroup();
        s.sync();
        if (s.status() != QSettings::NoError)
            throw ads::Error(ads::hresultFromWin32(5), "The settings file " + path.toStdString() + " cannot be written.");
    }
    QFile::setPermissions(path, OwnerOnly);
}

} // namespace quenlow::settings
