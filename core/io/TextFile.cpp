#include "core/io/TextFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

namespace dw {

namespace {
// Windows-1252 differs from Latin-1 only in 0x80..0x9F. The five unassigned bytes map to the
// matching C1 controls, as Windows' own conversion does.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString decodeCp1252(const QByteArray &bytes)
{
    QString out(bytes.size(), Qt::Uninitialized);
    QChar *dst = out.data();
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        *dst++ = (b >= 0x80 && b < 0xA0) ? QChar(kCp1252High[b - 0x80]) : QChar(b);
    }
    return out;
}
} // namespace

QString decodeText(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text; // the decoder already drops a leading BOM
    return decodeCp1252(bytes);
}

QByteArray encodeText(const QString &text)
{
    return text.toUtf8();
}

QStringList splitLines(const QString &text)
{
    QStringList lines;
    const qsizetype n = text.size();
    const QChar *p = text.constData();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = p[i];
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            lines.append(QString(p + start, i - start));
            if (c == QLatin1Char('\r') && i + 1 < n && p[i + 1] == QLatin1Char('\n'))
                ++i;
            start = i + 1;
        }
    }
    if (start < n)
        lines.append(QString(p + start, n - start));
    return lines;
}

QString joinLines(const QStringList &lines)
{
    return lines.join(QStringLiteral("\r\n"));
}

ReadResult readFileBytes(const QString &path)
{
    ReadResult r;
    const QFileInfo info(path);
    if (info.isDir()) {
        r.error = QStringLiteral("Is a directory");
        return r;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        r.error = file.errorString();
        return r;
    }
    r.bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        r.error = file.errorString();
        r.bytes.clear();
        return r;
    }
    r.ok = true;
    return r;
}

bool writeFileAtomic(const QString &path, const QByteArray &bytes, QString *error)
{
    QSaveFile file(path);
    // Without this, a folder we may not create files in would fall back to writing in place.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    if (file.write(bytes) != bytes.size()) {
        if (error)
            *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace dw
