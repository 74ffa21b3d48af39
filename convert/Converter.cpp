#include "convert/Converter.h"

#include "convert/ListConversion.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace dw::convert {

Box alreadyConvertedBox()
{
    return {QStringLiteral("File has already been converted."), QStringLiteral("Converted"),
            BoxIcon::Information, BoxButtons::Ok, Answer::Ok};
}

Box overwriteBox()
{
    return {QStringLiteral("Destination file already exists. Do you want to overwrite?"),
            QStringLiteral("Overwrite?"), BoxIcon::Exclamation, BoxButtons::YesNo, Answer::No};
}

Box successBox()
{
    return {QStringLiteral("Converted successfully!"), QStringLiteral("Success"),
            BoxIcon::Information, BoxButtons::Ok, Answer::Ok};
}

Box helpBox()
{
    return {QStringLiteral("A new feature, Customise Event, has been added to Datewren, which stores "
                           "some data in DWE file.\r\n"
                           "Therefore files saved in Datewren 7.0.2 needs to be converted before "
                           "opening in version 7.0.3.\r\n\r\n"
                           "Press Browse select an DWE file and press Convert."),
            QStringLiteral("DWE Converter"), BoxIcon::Question, BoxButtons::Ok, Answer::Ok};
}

Box readFailedBox(const QString &path, const QString &reason)
{
    return {QStringLiteral("Cannot read the file \"%1\":\r\n%2").arg(path, reason),
            QStringLiteral("Error"), BoxIcon::Critical, BoxButtons::Ok, Answer::Ok};
}

Box writeFailedBox(const QString &path, const QString &reason)
{
    return {QStringLiteral("Cannot write the file \"%1\":\r\n%2\r\nNothing was converted.")
                .arg(path, reason),
            QStringLiteral("Error"), BoxIcon::Critical, BoxButtons::Ok, Answer::Ok};
}

QString proposedDestination(const QString &source)
{
    // The last four characters (normally ".dwe") give way to "_con.dwe". A name shorter than
    // that keeps them all: the cut would climb out of its folder ("/lists/abc" would become
    // "/lists_con.dwe").
    const qsizetype nameStart = source.lastIndexOf(QLatin1Char('/')) + 1;
    qsizetype cut = source.size();
    int removed = 0;
    for (; removed < 4 && cut > nameStart; ++removed) {
        --cut;
        if (cut > nameStart && source.at(cut).isLowSurrogate() && source.at(cut - 1).isHighSurrogate())
            --cut;
    }
    return (removed == 4 ? source.left(cut) : source) + QLatin1String("_con.dwe");
}

QString completedDestination(const QString &destination)
{
    if (destination.right(4).toLower() == QLatin1String(".dwe"))
        return destination;
    return destination + QLatin1String(".dwe");
}

namespace {

struct SourceBytes {
    bool ok = false;
    QString reason;
    QByteArray bytes;
};

SourceBytes readSource(const QString &path)
{
    SourceBytes result;
    QFile file(path);
    if (file.size() > kMaxSourceBytes) {
        result.reason = QStringLiteral("The file is too large to be a list file.");
        return result;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        result.reason = file.errorString();
        return result;
    }
    result.bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        result.reason = file.errorString();
        return result;
    }
    result.ok = true;
    return result;
}

bool writeDestination(const QString &path, const QByteArray &bytes, QString *reason)
{
    // The rename below would replace a read-only file whenever its folder is writable (and
    // for the superuser always); such a file is marked as one not to be replaced.
    const QFileInfo existing(path);
    constexpr auto anyWrite = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    if (existing.isFile() && !(existing.permissions() & anyWrite)) {
        *reason = QStringLiteral("The file is read-only.");
        return false;
    }
    // The rename would also put a plain file in the place of a device or a pipe.
    if (existing.exists() && !existing.isFile() && !existing.isDir()) {
        *reason = QStringLiteral("The path is not a regular file.");
        return false;
    }
    // Written beside the target and renamed over it, so a failure leaves an old file whole.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *reason = file.errorString();
        return false;
    }
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        *reason = file.errorString();
        file.cancelWriting();
        return false;
    }
    return true;
}

} // namespace

ConvertResult convertFile(const QString &source, const QString &destination, ConvPrompter &prompter)
{
    ConvertResult result;
    // A folder, a device or a pipe is no list file; like a missing file it is passed over.
    if (source.isEmpty() || !QFileInfo(source).isFile()) {
        result.outcome = Outcome::NoSource;
        return result;
    }
    const SourceBytes input = readSource(source);
    if (!input.ok) {
        prompter.ask(readFailedBox(source, input.reason));
        result.outcome = Outcome::ReadFailed;
        return result;
    }
    const ListConversion list = convertList(input.bytes);
    if (list.alreadyConverted) {
        prompter.ask(alreadyConvertedBox());
        result.outcome = Outcome::AlreadyConverted;
        return result;
    }

    // An empty destination would otherwise become a hidden ".dwe" in whatever folder is current.
    result.destination = completedDestination(
        destination.isEmpty() ? proposedDestination(source) : destination);
    result.events = list.events;
    const QFileInfo target(result.destination);
    if (target.exists() && !target.isDir() && prompter.ask(overwriteBox()) != Answer::Yes) {
        result.outcome = Outcome::Declined;
        return result;
    }
    QString reason;
    if (!writeDestination(result.destination, list.bytes, &reason)) {
        prompter.ask(writeFailedBox(result.destination, reason));
        result.outcome = Outcome::WriteFailed;
        return result;
    }
    prompter.ask(successBox());
    result.outcome = Outcome::Converted;
    return result;
}

} // namespace dw::convert
