#include "interop/Import.h"

#include "core/io/TextFile.h"
#include "interop/ICalendar.h"
#include "interop/VCardReader.h"

#include <QFileInfo>

namespace dw {

QString importedName(const QString &name, EventKind kind, const NameStyle style)
{
    if (style == NameStyle::Plain || kind == EventKind::Other)
        return name;
    return name + (kind == EventKind::Birthday ? QStringLiteral("'s birthday") : QStringLiteral("'s anniversary"));
}

QString listDate(int year, int month, int day)
{
    return QStringLiteral("%1/%2/%3")
        .arg(day, 2, 10, QLatin1Char('0'))
        .arg(month, 2, 10, QLatin1Char('0'))
        .arg(year == 0 ? kNoYear : year, 4, 10, QLatin1Char('0'));
}

ImportResult importBytes(const QByteArray &bytes, const ImportOptions &options)
{
    // A calendar announces itself in its first line; anything else is taken for an address book.
    const qsizetype start = bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    const QByteArrayView head = QByteArrayView(bytes).sliced(start).first(qMin<qsizetype>(64, bytes.size() - start)).trimmed();
    if (head.size() >= 15 && head.first(15).compare("BEGIN:VCALENDAR", Qt::CaseInsensitive) == 0)
        return readICalendar(bytes, options);
    return readVCards(bytes, options);
}

ImportResult importFile(const QString &path, const ImportOptions &options)
{
    ImportResult refused;
    const QFileInfo info(path);
    if (info.isFile() && info.size() > kMaxImportBytes) {
        refused.error = QStringLiteral("%1: the file is larger than %2 MB").arg(path).arg(kMaxImportBytes >> 20);
        return refused;
    }
    const ReadResult read = readFileBytes(path);
    if (!read.ok) {
        refused.error = QStringLiteral("%1: %2").arg(path, read.error);
        return refused;
    }
    ImportResult result = importBytes(read.bytes, options);
    if (!result.ok)
        result.error = QStringLiteral("%1: %2").arg(path, result.error);
    return result;
}

} // namespace dw
