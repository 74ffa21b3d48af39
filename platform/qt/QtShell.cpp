#include "platform/qt/QtShell.h"

#include <QDesktopServices>
#include <QUrl>

namespace dw {

bool QtShell::open(const QString &pathOrUrl)
{
    const QUrl url = pathOrUrl.contains(QStringLiteral("://")) ? QUrl(pathOrUrl)
                                                               : QUrl::fromLocalFile(pathOrUrl);
    return QDesktopServices::openUrl(url);
}

} // namespace dw
