#include "core/settings/SettingsStore.h"

#include "core/io/TextFile.h"
#include "core/settings/SettingsLists.h"
#include "platform/SystemPaths.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStringDecoder>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace dw {

const QString *StoreSection::find(const QString &key) const
{
    const auto it = index_.constFind(key);
    return it == index_.constEnd() ? nullptr : &pairs_[size_t(*it)].second;
}

void StoreSection::set(const QString &key, const QString &value)
{
    const auto it = index_.constFind(key);
    if (it != index_.constEnd()) {
        pairs_[size_t(*it)].second = value;
        return;
    }
    index_.insert(key, qsizetype(pairs_.size()));
    pairs_.emplace_back(key, value);
}

StoreSection *StoreData::section(const QString &name, bool create)
{
    for (auto &s : sections) {
        if (s.first == name)
            return &s.second;
    }
    if (!create)
        return nullptr;
    sections.emplace_back(name, StoreSection());
    return &sections.back().second;
}

const StoreSection *StoreData::section(const QString &name) const
{
    for (const auto &s : sections) {
        if (s.first == name)
            return &s.second;
    }
    return nullptr;
}

namespace {

QString escape(const QString &text, bool key)
{
    QString out;
    out.reserve(text.size() + 8);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const char16_t u = c.unicode();
        if (u == '\\')
            out += QLatin1String("\\\\");
        else if (u == '\n')
            out += QLatin1String("\\n");
        else if (u == '\r')
            out += QLatin1String("\\r");
        else if ((u < 0x20 && u != '\t') || u == 0x7f)
            out += QStringLiteral("\\x%1").arg(int(u), 2, 16, QLatin1Char('0'));
        else if (key && (u == '=' || (i == 0 && (u == '[' || u == '#' || u == ';')))) {
            out += QLatin1Char('\\');
            out += c;
        } else
            out += c;
    }
    return out;
}

// Reads escaped text from line[pos] up to an unescaped stop character (or the end when stop
// is empty). Returns false on a malformed escape; pos ends on the stop character or the end.
bool unescape(QStringView line, qsizetype &pos, std::optional<QChar> stop, QString &out)
{
    while (pos < line.size()) {
        const QChar c = line.at(pos);
        if (stop && c == *stop)
            return true;
        if (c != QLatin1Char('\\')) {
            out += c;
            ++pos;
            continue;
        }
        if (pos + 1 >= line.size())
            return false;
        const char16_t e = line.at(pos + 1).unicode();
        pos += 2;
        switch (e) {
        case '\\': out += QLatin1Char('\\'); break;
        case 'n': out += QLatin1Char('\n'); break;
        case 'r': out += QLatin1Char('\r'); break;
        case '=': case '[': case '#': case ';': out += QChar(e); break;
        case 'x': {
            if (pos + 2 > line.size())
                return false;
            const auto hex = [](QChar h) { return QStringLiteral("0123456789abcdef").indexOf(h.toLower()); };
            const qsizetype hi = hex(line.at(pos));
            const qsizetype lo = hex(line.at(pos + 1));
            const int v = int(hi * 16 + lo);
            if (hi < 0 || lo < 0 || v > 0x7f)
                return false;
            out += QChar(v);
            pos += 2;
            break;
        }
        default:
            return false;
        }
    }
    return true;
}

} // namespace

QByteArray serializeStore(const StoreData &data)
{
    QString text = QStringLiteral("# Datewren settings. Keys keep the order in which they were first written.\n");
    for (const auto &[name, section] : data.sections) {
        text += QLatin1Char('[') + name + QStringLiteral("]\n");
        for (const auto &[key, value] : section.pairs())
            text += escape(key, true) + QLatin1Char('=') + escape(value, false) + QLatin1Char('\n');
    }
    return text.toUtf8();
}

std::optional<StoreData> parseStore(const QByteArray &bytes)
{
    // A NUL byte is valid UTF-8 but never part of a store we wrote: the file is something else.
    if (bytes.contains('\0'))
        return std::nullopt;
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder(bytes);
    if (decoder.hasError())
        return std::nullopt;
    if (text.startsWith(QChar(0xfeff)))
        text.remove(0, 1);

    StoreData data;
    StoreSection *current = nullptr;
    // Sections by name, so that a store of many sections reads in linear time.
    QHash<QString, size_t> sectionIndex;
    const QStringView all(text);
    qsizetype start = 0;
    while (start < all.size()) {
        qsizetype end = all.indexOf(QLatin1Char('\n'), start);
        if (end < 0)
            end = all.size();
        QStringView line = all.mid(start, end - start);
        start = end + 1;
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')) || line.startsWith(QLatin1Char(';')))
            continue;
        if (line.startsWith(QLatin1Char('['))) {
            if (!line.endsWith(QLatin1Char(']')) || line.size() < 2)
                return std::nullopt;
            const QString name = line.mid(1, line.size() - 2).toString();
            const auto found = sectionIndex.constFind(name);
            if (found == sectionIndex.constEnd()) {
                sectionIndex.insert(name, data.sections.size());
                data.sections.emplace_back(name, StoreSection());
                current = &data.sections.back().second;
            } else {
                current = &data.sections[*found].second;
            }
            continue;
        }
        if (!current)
            return std::nullopt;
        QString key;
        QString value;
        qsizetype pos = 0;
        if (!unescape(line, pos, QLatin1Char('='), key) || pos >= line.size())
            return std::nullopt;
        ++pos; // the "="
        if (!unescape(line, pos, std::nullopt, value))
            return std::nullopt;
        current->set(key, value);
    }
    return data;
}

// ---------------------------------------------------------------------------------------------

QString MemorySettingsStore::getSetting(const QString &section, const QString &key, const QString &def) const
{
    const StoreSection *s = data_.section(section);
    const QString *v = s ? s->find(key) : nullptr;
    return v ? *v : def;
}

SettingPairs MemorySettingsStore::getAllSettings(const QString &section) const
{
    const StoreSection *s = data_.section(section);
    return s ? s->pairs() : SettingPairs();
}

bool MemorySettingsStore::saveSettings(const QString &section, const SettingPairs &pairs)
{
    StoreSection *s = data_.section(section, true);
    for (const auto &[key, value] : pairs)
        s->set(key, value);
    return true;
}

// ---------------------------------------------------------------------------------------------

FileSettingsStore::FileSettingsStore(QString path) : path_(std::move(path)) {}
FileSettingsStore::~FileSettingsStore() = default;

QString FileSettingsStore::defaultPath()
{
    return XdgSystemPaths().configDir() + QStringLiteral("/settings.ini");
}

namespace {
QString lockPath(const QString &storePath)
{
    return storePath + QStringLiteral(".lock");
}

// The system's reason why no lock file could be made beside the store (a full disk, a folder
// we may not write): found by making, and removing, a file of our own there.
QString lockFileReason(const QString &storePath)
{
    const QByteArray probe = QFile::encodeName(storePath + QStringLiteral(".probe-") + QString::number(::getpid()));
    const int fd = ::open(probe.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    int err = fd < 0 ? errno : 0;
    if (fd >= 0) {
        if (::write(fd, "x", 1) != 1)
            err = errno;
        if (::close(fd) != 0 && !err)
            err = errno;
        ::unlink(probe.constData());
    }
    return err ? QString::fromLocal8Bit(std::strerror(err)) : QStringLiteral("Its lock file cannot be created");
}

bool acquire(QLockFile &lock)
{
    lock.setStaleLockTime(15000);
    return lock.tryLock(10000);
}
} // namespace

// Reads the file into data. An absent file is an empty store. An unreadable one is moved aside
// so that the user keeps it for inspection, and the store starts empty. Must hold the lock.
bool FileSettingsStore::readFile(StoreData &data, QString *reason) const
{
    data = StoreData();
    if (!QFileInfo::exists(path_))
        return true;
    const ReadResult read = readFileBytes(path_, kMaxSettingsBytes);
    if (!read.ok) {
        // Cannot even read it: never overwrite what we could not see.
        if (reason)
            *reason = read.error;
        return false;
    }
    if (auto parsed = parseStore(read.bytes)) {
        data = std::move(*parsed);
        return true;
    }
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString aside = path_ + QStringLiteral(".unreadable-") + stamp;
    for (int n = 2; QFileInfo::exists(aside); ++n)
        aside = path_ + QStringLiteral(".unreadable-") + stamp + QLatin1Char('-') + QString::number(n);
    if (!QFile::rename(path_, aside)) {
        if (reason)
            *reason = QStringLiteral("It cannot be read as a store, nor be moved aside");
        return false;
    }
    movedAside_ = aside;
    // No message box (loading never reports), but the user can find out where it went.
    qWarning("Datewren: the settings store %s could not be read; it was moved to %s.", qPrintable(path_),
             qPrintable(aside));
    return true;
}

const StoreData &FileSettingsStore::snapshot() const
{
    if (!snapshot_) {
        StoreData data;
        const ReadResult read = QFileInfo::exists(path_) ? readFileBytes(path_, kMaxSettingsBytes) : ReadResult{true, {}, {}};
        std::optional<StoreData> parsed = read.ok ? parseStore(read.bytes) : std::nullopt;
        if (parsed) {
            data = std::move(*parsed);
        } else if (read.ok) {
            // Looked broken: check again under the lock, another program may be mid-save.
            QLockFile lock(lockPath(path_));
            if (acquire(lock) && !readFile(data))
                data = StoreData();
        }
        snapshot_ = std::move(data);
    }
    return *snapshot_;
}

QString FileSettingsStore::getSetting(const QString &section, const QString &key, const QString &def) const
{
    const StoreSection *s = snapshot().section(section);
    const QString *v = s ? s->find(key) : nullptr;
    return v ? *v : def;
}

SettingPairs FileSettingsStore::getAllSettings(const QString &section) const
{
    const StoreSection *s = snapshot().section(section);
    return s ? s->pairs() : SettingPairs();
}

bool FileSettingsStore::saveFailed(const QString &reason)
{
    saveError_ = QStringLiteral("Cannot write the settings store \"%1\": %2").arg(path_, reason);
    return false;
}

bool FileSettingsStore::saveSettings(const QString &section, const SettingPairs &pairs)
{
    saveError_.clear();
    const QString folder = QFileInfo(path_).absolutePath();
    if (!QDir().mkpath(folder))
        return saveFailed(QStringLiteral("The folder \"%1\" cannot be created").arg(folder));
    QLockFile lock(lockPath(path_));
    if (!acquire(lock))
        return saveFailed(lock.error() == QLockFile::LockFailedError
                              ? QStringLiteral("Another program holds its lock file")
                              : lockFileReason(path_));
    StoreData data;
    QString reason;
    if (!readFile(data, &reason))
        return saveFailed(reason);
    StoreSection *s = data.section(section, true);
    for (const auto &[key, value] : pairs)
        s->set(key, value);
    if (!writeFileAtomic(path_, serializeStore(data), &reason))
        return saveFailed(reason);
    snapshot_ = std::move(data);
    return true;
}

// ---------------------------------------------------------------------------------------------

QString getPreference(const SettingsStore &store, const QString &key, const QString &def)
{
    return store.getSetting(kPreferencesSection, key, def);
}

bool setPreference(SettingsStore &store, const QString &key, const QString &value)
{
    return store.saveSetting(kPreferencesSection, key, value);
}

bool preferenceFlag(const SettingsStore &store, const QString &key, bool def)
{
    const QString v = getPreference(store, key);
    if (v == QLatin1String("1"))
        return true;
    if (v == QLatin1String("0"))
        return false;
    return def;
}

bool setPreferenceFlag(SettingsStore &store, const QString &key, bool on)
{
    return setPreference(store, key, on ? QStringLiteral("1") : QStringLiteral("0"));
}

} // namespace dw
