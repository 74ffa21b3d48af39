#include "platform/FilePlaces.h"

#include "platform/Prompter.h"

#include <QFileInfo>

namespace dw {

namespace {
// The folder of a remembered file, if it still exists.
QString folderOf(const QString &path)
{
    if (path.isEmpty())
        return QString();
    const QFileInfo info(path);
    return info.absoluteDir().exists() ? info.absolutePath() : QString();
}
// Settings files are opened and saved from one memory: both dialogs show the same folder.
int slot(FileKind kind)
{
    return int(kind == FileKind::SaveReg ? FileKind::OpenReg : kind);
}
} // namespace

void FilePlaces::useList(const QString &path)
{
    if (!path.isEmpty())
        list_ = QFileInfo(path).absoluteFilePath();
}

void FilePlaces::chosen(FileKind kind, const QString &path)
{
    if (path.isEmpty())
        return;
    if (kind == FileKind::Open || kind == FileKind::Save)
        useList(path);
    else
        last_.insert(slot(kind), QFileInfo(path).absoluteFilePath());
}

QString FilePlaces::start(FileKind kind) const
{
    const QString listFolder = folderOf(list_);
    const QString lastFolder = folderOf(last_.value(slot(kind)));
    switch (kind) {
    case FileKind::Save:
        if (!listFolder.isEmpty())
            return list_;
        break;
    case FileKind::Open:
        if (!listFolder.isEmpty())
            return listFolder;
        break;
    case FileKind::Html: {
        if (!lastFolder.isEmpty())
            return lastFolder;
        const QString folder = home_ + QStringLiteral("/Datewren");
        if (QDir().mkpath(folder))
            return folder + QStringLiteral("/wallpaper.html");
        break;
    }
    default:
        if (!lastFolder.isEmpty())
            return lastFolder;
        if (!listFolder.isEmpty())
            return listFolder;
        break;
    }
    return home_;
}

} // namespace dw
