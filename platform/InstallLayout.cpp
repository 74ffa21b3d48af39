#include "platform/InstallLayout.h"

#include <QDir>
#include <QFileInfo>

namespace dw::install {

namespace {
QString shareDir(const QString &programDir)
{
    return QDir::cleanPath(programDir + QStringLiteral("/../share"));
}
} // namespace

QString docDir(const QString &programDir)
{
    return shareDir(programDir) + QStringLiteral("/doc/datewren");
}

bool isInstalledProgram(const QString &programDir)
{
    return QFileInfo(shareDir(programDir) + QStringLiteral("/applications/") + kDesktopEntryName).isFile();
}

} // namespace dw::install
