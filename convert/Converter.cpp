#include "convert/Converter.h"

#include <QFileInfo>

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

Box notAListBox(SourceKind kind)
{
    QString text;
    switch (kind) {
    case SourceKind::Empty:
        text = QStringLiteral("The file is empty: it is not a list file of the previous format.");
        break;
    case SourceKind::Binary:
        text = QStringLiteral("The file is not a list file of the previous format: it holds binary data, not text.");
        break;
    case SourceKind::Utf16:
        text = QStringLiteral("The file is UTF-16 text, not a list file of the previous format.\r\n"
                              "Save it as ANSI or UTF-8 text and convert it again.");
        break;
    case SourceKind::Text:
        break;
    }
    return {text, QStringLiteral("Not a list file"), BoxIcon::Exclamation, BoxButtons::Ok, Answer::Ok};
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

ConvertResult convertFile(const QString &source, const QString &destination, ConvPrompter &prompter)
{
    ConvertResult result;
    // A folder, a device or a pipe is no list file; like a missing file it is passed over.
    if (source.isEmpty() || !QFileInfo(source).isFile()) {
        result.outcome = Outcome::NoSource;
        return result;
    }
    const ReadResult input = readFileBytes(source, kMaxSourceBytes);
    if (!input.ok) {
        prompter.ask(readFailedBox(source, input.error));
        result.outcome = Outcome::ReadFailed;
        return result;
    }
    const ListConversion list = convertList(input.bytes);
    if (list.kind != SourceKind::Text) {
        prompter.ask(notAListBox(list.kind));
        result.outcome = Outcome::NotAList;
        return result;
    }
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
    if (!writeFileAtomic(result.destination, list.bytes, &reason)) {
        prompter.ask(writeFailedBox(result.destination, reason));
        result.outcome = Outcome::WriteFailed;
        return result;
    }
    prompter.ask(successBox());
    result.outcome = Outcome::Converted;
    return result;
}

} // namespace dw::convert
