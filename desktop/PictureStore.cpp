#include "desktop/PictureStore.h"

#include "core/io/TextFile.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace dw::desktop {

PictureStore::PictureStore(QString folder) : folder_(std::move(folder)) {}

QString PictureStore::defaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Datewren/wallpaper");
}

QString PictureStore::save(const QImage &image, const QDateTime &now, QString *error)
{
    if (!QDir().mkpath(folder_)) {
        *error = QStringLiteral("cannot create the folder %1").arg(folder_);
        return {};
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) {
        *error = QStringLiteral("the picture could not be encoded");
        return {};
    }
    const QString stem = QStringLiteral("datewren-") + now.toString(QStringLiteral("yyyyMMdd-HHmmss-zzz"));
    QString path = QDir(folder_).filePath(stem + QStringLiteral(".png"));
    for (int n = 2; QFile::exists(path); ++n)
        path = QDir(folder_).filePath(QStringLiteral("%1-%2.png").arg(stem).arg(n));
    if (!writeFileAtomic(path, png, error))
        return {};
    return path;
}

QStringList PictureStore::pictures() const
{
    // The names sort by time of making.
    QStringList names = QDir(folder_).entryList({QStringLiteral("datewren-*.png")}, QDir::Files, QDir::Name | QDir::Reversed);
    for (QString &n : names)
        n = QDir(folder_).filePath(n);
    return names;
}

void PictureStore::cleanUp(int keep)
{
    const QStringList all = pictures();
    for (qsizetype i = keep; i < all.size(); ++i)
        QFile::remove(all.at(i));
}

ConnectedScreens connectedScreens(const QString &drmRoot)
{
    ConnectedScreens screens;
    const QDir root(drmRoot);
    for (const QString &entry : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        // card0-eDP-1 -> eDP-1
        const qsizetype dash = entry.indexOf(QLatin1Char('-'));
        if (!entry.startsWith(QLatin1String("card")) || dash < 0)
            continue;
        const ReadResult status = readFileBytes(root.filePath(entry + QStringLiteral("/status")));
        if (!status.ok || status.bytes.trimmed() != "connected")
            continue;
        screens.connectors << entry.mid(dash + 1);
        const ReadResult modes = readFileBytes(root.filePath(entry + QStringLiteral("/modes")));
        const QList<QByteArray> lines = modes.bytes.split('\n');
        const QList<QByteArray> wh = lines.value(0).trimmed().split('x');
        if (wh.size() == 2) {
            const QSize s(wh[0].toInt(), wh[1].toInt());
            if (s.isValid() && s.width() * s.height() > screens.largest.width() * screens.largest.height())
                screens.largest = s;
        }
    }
    return screens;
}

} // namespace dw::desktop
