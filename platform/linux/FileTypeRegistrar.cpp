#include "platform/linux/FileTypeRegistrar.h"

#include "core/io/TextFile.h"
#include "platform/InstallLayout.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace dw {

namespace {

// One argument of an Exec line: quoted, with the characters the desktop-entry rules reserve
// inside quotes escaped, and "%" doubled so it is not read as a field code.
QString execArgument(const QString &argument)
{
    QString quoted = QStringLiteral("\"");
    for (const QChar c : argument) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        else if (c == QLatin1Char('%'))
            quoted += QLatin1Char('%');
        quoted += c;
    }
    return quoted + QLatin1Char('"');
}

// A desktop-entry string value: backslashes and control characters escaped, so a strange
// folder name cannot break the file into extra lines.
QString desktopValue(const QString &text)
{
    QString out;
    for (const QChar c : text) {
        if (c == QLatin1Char('\\'))
            out += QStringLiteral("\\\\");
        else if (c == QLatin1Char('\n'))
            out += QStringLiteral("\\n");
        else if (c == QLatin1Char('\r'))
            out += QStringLiteral("\\r");
        else if (c == QLatin1Char('\t'))
            out += QStringLiteral("\\t");
        else
            out += c;
    }
    return out;
}

QString extensionWithDot(const QString &extension)
{
    return extension.startsWith(QLatin1Char('.')) ? extension : QLatin1Char('.') + extension;
}

// Writes only when the bytes differ: an unchanged registration costs one read.
bool writeIfChanged(const QString &path, const QByteArray &bytes)
{
    const ReadResult old = readFileBytes(path, bytes.size());
    if (old.ok && old.bytes == bytes)
        return false;
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    return writeFileAtomic(path, bytes);
}

// Earlier versions wrote their entry as wrenpad.desktop for the type text/list. Left in place it
// would be a second "Datewren" in the menus; a file the user made under that name is kept.
bool removeEarlierEntry(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.read(4096);
    file.close();
    const bool ours = bytes.startsWith("[Desktop Entry]\nType=Application\nName=Datewren\n")
                      && bytes.contains("\nMimeType=text/list;\n");
    return ours && QFile::remove(path);
}

} // namespace

QByteArray mimePackageXml(const FileTypeRecord &r)
{
    const QString xml =
        QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                       "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
                       "  <mime-type type=\"%1\">\n"
                       "    <comment>%2</comment>\n"
                       "    <sub-class-of type=\"text/plain\"/>\n"
                       "    <glob pattern=\"*%3\"/>\n"
                       "  </mime-type>\n"
                       "</mime-info>\n")
            .arg(r.contentType.toHtmlEscaped(), r.description.toHtmlEscaped(),
                 extensionWithDot(r.extension).toHtmlEscaped());
    return xml.toUtf8();
}

QByteArray desktopEntry(const FileTypeRecord &r)
{
    QStringList lines{
        QStringLiteral("[Desktop Entry]"),
        QStringLiteral("Type=Application"),
        QStringLiteral("Name=Datewren"),
        QStringLiteral("GenericName=Event Reminder"),
        QStringLiteral("Comment=Reminds you of birthdays and yearly events on a wallpaper page"),
        QStringLiteral("Exec=") + desktopValue(execArgument(r.program)) + QStringLiteral(" %f"),
        QStringLiteral("Terminal=false"),
        QStringLiteral("MimeType=") + r.contentType + QStringLiteral(";"),
        QStringLiteral("Categories=Office;Calendar;"),
    };
    return (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
}

FileTypeRegistrar::FileTypeRegistrar(QString dataHome, Launcher launcher)
    : dataHome_(std::move(dataHome)), launcher_(std::move(launcher))
{
}

QString FileTypeRegistrar::mimePackagePath(const FileTypeRecord &record) const
{
    return dataHome_ + QStringLiteral("/mime/packages/") + record.className + QStringLiteral(".xml");
}

QString FileTypeRegistrar::desktopEntryPath() const
{
    return dataHome_ + QStringLiteral("/applications/") + install::kDesktopEntryName;
}

FileTypeRegistrar::Outcome FileTypeRegistrar::registerFileType(const FileTypeRecord &record) const
{
    Outcome outcome;
    if (dataHome_.isEmpty() || record.contentType.isEmpty() || record.program.isEmpty())
        return outcome;
    const QString mimeDir = dataHome_ + QStringLiteral("/mime");
    const QString appsDir = dataHome_ + QStringLiteral("/applications");
    outcome.mimeWritten = writeIfChanged(mimePackagePath(record), mimePackageXml(record));
    outcome.desktopWritten = writeIfChanged(desktopEntryPath(), desktopEntry(record));
    outcome.desktopWritten |= removeEarlierEntry(appsDir + QStringLiteral("/wrenpad.desktop"));

    // The caches are rebuilt when our files changed or when the cache a tool would write is
    // missing (a first start, or a user who deleted it).
    const bool mimeCacheMissing =
        QFile::exists(mimePackagePath(record)) && !QFile::exists(mimeDir + QLatin1Char('/') + record.contentType + QStringLiteral(".xml"));
    const bool desktopCacheMissing =
        QFile::exists(desktopEntryPath()) && !QFile::exists(appsDir + QStringLiteral("/mimeinfo.cache"));
    if ((outcome.mimeWritten || mimeCacheMissing) && launcher_(QStringLiteral("update-mime-database"), {mimeDir}))
        outcome.launched << QStringLiteral("update-mime-database ") + mimeDir;
    if ((outcome.desktopWritten || desktopCacheMissing)
        && launcher_(QStringLiteral("update-desktop-database"), {appsDir}))
        outcome.launched << QStringLiteral("update-desktop-database ") + appsDir;
    return outcome;
}

FileTypeRegistrar::Launcher FileTypeRegistrar::detachedLauncher()
{
    return [](const QString &program, const QStringList &arguments) {
        const QString path = QStandardPaths::findExecutable(program);
        if (path.isEmpty())
            return false;
        QProcess process;
        process.setProgram(path);
        process.setArguments(arguments);
        process.setStandardInputFile(QProcess::nullDevice());
        process.setStandardOutputFile(QProcess::nullDevice());
        process.setStandardErrorFile(QProcess::nullDevice());
        return process.startDetached();
    };
}

} // namespace dw
