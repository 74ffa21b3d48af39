#include "platform/SystemPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace dw {

namespace {
QString xdgDir(const char *variable, const QString &fallbackUnderHome)
{
    const QString value = qEnvironmentVariable(variable);
    // The XDG rules ignore relative paths.
    if (!value.isEmpty() && QDir::isAbsolutePath(value))
        return QDir::cleanPath(value);
    return QDir::cleanPath(QDir::homePath() + QLatin1Char('/') + fallbackUnderHome);
}
} // namespace

QString XdgSystemPaths::programDir() const
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
}

QString XdgSystemPaths::configDir() const
{
    return xdgDir("XDG_CONFIG_HOME", QStringLiteral(".config")) + QStringLiteral("/Datewren");
}

QString XdgSystemPaths::cacheDir() const
{
    return xdgDir("XDG_CACHE_HOME", QStringLiteral(".cache")) + QStringLiteral("/Datewren");
}

QString XdgSystemPaths::dataHome() const
{
    return xdgDir("XDG_DATA_HOME", QStringLiteral(".local/share"));
}

QString XdgSystemPaths::userFontsDir() const
{
    return dataHome() + QStringLiteral("/fonts");
}

} // namespace dw
