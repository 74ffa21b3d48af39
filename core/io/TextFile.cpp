#include "core/io/TextFile.h"

#include <QFile>
#include <QRandomGenerator>
#include <QStringDecoder>

#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

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

namespace {

QString systemReason(int err)
{
    return QString::fromLocal8Bit(std::strerror(err));
}

// Why a path that exists is no file we read or replace; empty for a regular file.
QString notRegularReason(mode_t mode)
{
    if (S_ISREG(mode))
        return {};
    if (S_ISDIR(mode))
        return systemReason(EISDIR);
    if (S_ISFIFO(mode))
        return QStringLiteral("It is a pipe, not a regular file");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("It is a device, not a regular file");
    if (S_ISSOCK(mode))
        return QStringLiteral("It is a socket, not a regular file");
    return QStringLiteral("It is not a regular file");
}

QString tooLargeReason(qint64 maxBytes)
{
    return QStringLiteral("The file is larger than %1 MB").arg(maxBytes / (1024 * 1024));
}

// Closes a descriptor on every way out; release() hands it over.
struct Fd {
    int fd = -1;
    ~Fd()
    {
        if (fd >= 0)
            ::close(fd);
    }
    int release() { return std::exchange(fd, -1); }
};

} // namespace

ReadResult readFileBytes(const QString &path, qint64 maxBytes)
{
    ReadResult r;
    const QByteArray native = QFile::encodeName(path);
    struct stat st {};
    // Looked at before opening: opening some devices already does something.
    if (::stat(native.constData(), &st) != 0) {
        r.error = systemReason(errno);
        return r;
    }
    if (r.error = notRegularReason(st.st_mode); !r.error.isEmpty())
        return r;
    // Non-blocking, so that a pipe put in the file's place meanwhile cannot hang us; the check
    // on the open descriptor then refuses it.
    Fd file{::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY)};
    if (file.fd < 0 || ::fstat(file.fd, &st) != 0) {
        r.error = systemReason(errno);
        return r;
    }
    if (r.error = notRegularReason(st.st_mode); !r.error.isEmpty())
        return r;
    if (st.st_size > maxBytes) {
        r.error = tooLargeReason(maxBytes);
        return r;
    }
    // The size is only a hint (the file may grow while we read, files in /proc say 0); the
    // limit is what bounds the memory.
    QByteArray bytes;
    bytes.resize(qsizetype(st.st_size) + 1);
    qsizetype filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            if (filled > maxBytes) {
                r.error = tooLargeReason(maxBytes);
                return r;
            }
            bytes.resize(qsizetype(qMin<qint64>(maxBytes + 1, qint64(filled) * 2 + 4096)));
        }
        const ssize_t n = ::read(file.fd, bytes.data() + filled, size_t(bytes.size() - filled));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            r.error = systemReason(errno);
            return r;
        }
        if (n == 0)
            break;
        filled += n;
    }
    if (filled > maxBytes) {
        r.error = tooLargeReason(maxBytes);
        return r;
    }
    bytes.truncate(filled);
    r.bytes = std::move(bytes);
    r.ok = true;
    return r;
}

bool looksLikeText(QByteArrayView bytes)
{
    if (bytes.contains('\0'))
        return false;
    if (bytes.isValidUtf8())
        return true;
    qsizetype controls = 0;
    qsizetype high = 0;
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if ((b < 0x20 && b != '\t' && b != '\n' && b != '\r' && b != '\f') || b == 0x7f)
            ++controls;
        else if (b >= 0x80)
            ++high;
    }
    // Text in the old single-byte code page has the odd accented letter, never a run of
    // control characters; random or binary data has both everywhere.
    return controls * 100 <= bytes.size() && high * 10 <= bytes.size() * 3;
}

namespace {

// The file a write to path ends up replacing: symbolic links are followed, also to a file that
// does not exist yet.
QByteArray writeTarget(const QByteArray &native)
{
    QByteArray target = native;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(target.constData(), &st) != 0 || !S_ISLNK(st.st_mode))
            return target;
        QByteArray link(PATH_MAX, Qt::Uninitialized);
        const ssize_t n = ::readlink(target.constData(), link.data(), size_t(link.size()));
        if (n <= 0)
            return target;
        link.truncate(n);
        if (!link.startsWith('/')) {
            const qsizetype slash = target.lastIndexOf('/');
            link = (slash >= 0 ? target.left(slash + 1) : QByteArray()) + link;
        }
        target = link;
    }
    return target;
}

bool fail(QString *error, const QString &reason)
{
    if (error)
        *error = reason;
    return false;
}

} // namespace

bool writeFileAtomic(const QString &path, const QByteArray &bytes, QString *error)
{
    if (path.isEmpty())
        return fail(error, systemReason(ENOENT));
    const QByteArray target = writeTarget(QFile::encodeName(path));

    struct stat old {};
    const bool replacing = ::stat(target.constData(), &old) == 0;
    if (!replacing && errno != ENOENT)
        return fail(error, systemReason(errno));
    if (replacing) {
        if (const QString why = notRegularReason(old.st_mode); !why.isEmpty())
            return fail(error, why);
        // The rename below would replace a file we may not write whenever its folder is
        // writable, and the superuser may write anything; the mode bits decide.
        if (::access(target.constData(), W_OK) != 0)
            return fail(error, systemReason(errno));
        if (!(old.st_mode & S_IWUSR))
            return fail(error, QStringLiteral("The file is read-only"));
    }

    const qsizetype slash = target.lastIndexOf('/');
    const QByteArray folder = slash > 0 ? target.left(slash) : slash == 0 ? QByteArray("/") : QByteArray(".");
    const QByteArray name = target.mid(slash + 1);
    QByteArray temp;
    Fd out;
    for (int attempt = 0; out.fd < 0; ++attempt) {
        temp = folder + "/." + name + ".tmp-" + QByteArray::number(QRandomGenerator::global()->generate(), 36);
        // 0666 lets the umask give a new file its usual mode.
        out.fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (out.fd < 0 && (errno != EEXIST || attempt > 100))
            return fail(error, systemReason(errno));
    }
    const auto discard = [&](int err) {
        ::close(out.release());
        ::unlink(temp.constData());
        return fail(error, systemReason(err));
    };

    const char *p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(out.fd, p, size_t(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return discard(n < 0 ? errno : EIO);
        p += n;
        left -= n;
    }
    if (replacing) {
        // Owner first: changing it clears set-id bits, which the mode then restores.
        if (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) {
            if (::fchown(out.fd, old.st_uid, old.st_gid) != 0)
                (void)::fchown(out.fd, uid_t(-1), old.st_gid); // as a user, at least the group
        }
        if (::fchmod(out.fd, old.st_mode & 07777) != 0)
            return discard(errno);
    }
    if (::fsync(out.fd) != 0)
        return discard(errno);
    // Some file systems report a failed write only when the file is closed.
    if (::close(out.release()) != 0) {
        const int err = errno;
        ::unlink(temp.constData());
        return fail(error, systemReason(err));
    }
    if (::rename(temp.constData(), target.constData()) != 0) {
        const int err = errno;
        ::unlink(temp.constData());
        return fail(error, systemReason(err));
    }
    // The rename itself is on disk only once the folder is; a failure here loses nothing.
    Fd dir{::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
    if (dir.fd >= 0)
        (void)::fsync(dir.fd);
    return true;
}

} // namespace dw
