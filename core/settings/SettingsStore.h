#pragma once

#include <QHash>
#include <QString>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace dw {

using SettingPair = std::pair<QString, QString>;
using SettingPairs = std::vector<SettingPair>;

// One section of the store: keys in the order each was first written; rewriting a key keeps its
// place. The empty text and " " are different values.
class StoreSection {
public:
    const QString *find(const QString &key) const;
    void set(const QString &key, const QString &value);
    const SettingPairs &pairs() const { return pairs_; }

private:
    SettingPairs pairs_;
    QHash<QString, qsizetype> index_;
};

// Every section of a store, in the order each first appeared.
struct StoreData {
    std::vector<std::pair<QString, StoreSection>> sections;
    StoreSection *section(const QString &name, bool create);
    const StoreSection *section(const QString &name) const;
};

// The on-disk form: UTF-8 lines "[Section]" and "key=value" with LF ends. In keys and values a
// backslash escapes itself, line breaks and other control characters (\n, \r, \xHH); a key also
// escapes "=" and a leading "[", "#" or ";". Blanks at either end are kept as they are. Lines
// starting with "#" or ";" are comments. parseStore() refuses anything it cannot read exactly.
QByteArray serializeStore(const StoreData &data);
std::optional<StoreData> parseStore(const QByteArray &bytes);

// The per-user settings store of the program: sections of (key, value) pairs.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // The stored text, or def when the key was never written.
    virtual QString getSetting(const QString &section, const QString &key, const QString &def = {}) const = 0;
    // Every pair of the section in store order.
    virtual SettingPairs getAllSettings(const QString &section) const = 0;
    // Creates or replaces the values, in order, in one go. False when nothing could be written.
    virtual bool saveSettings(const QString &section, const SettingPairs &pairs) = 0;

    // Why the last save failed, naming the store and the system's reason; empty when nothing
    // failed or the store cannot tell.
    virtual QString saveError() const { return {}; }

    bool saveSetting(const QString &section, const QString &key, const QString &value)
    {
        return saveSettings(section, {{key, value}});
    }
};

// A store that lives only in memory: settings files applied over the defaults, and tests.
class MemorySettingsStore final : public SettingsStore {
public:
    QString getSetting(const QString &section, const QString &key, const QString &def = {}) const override;
    SettingPairs getAllSettings(const QString &section) const override;
    bool saveSettings(const QString &section, const SettingPairs &pairs) override;

private:
    StoreData data_;
};

// The store file of one user, $XDG_CONFIG_HOME/Datewren/settings.ini. Every save re-reads the
// file under a lock file, applies its pairs and replaces the file atomically, so two running
// programs never lose each other's keys and a crash never leaves half a file. A file that
// cannot be read as a store is renamed aside (never deleted) and the store starts empty.
class FileSettingsStore final : public SettingsStore {
public:
    explicit FileSettingsStore(QString path);
    ~FileSettingsStore() override;

    // The store at the user's XDG config folder.
    static QString defaultPath();

    QString getSetting(const QString &section, const QString &key, const QString &def = {}) const override;
    SettingPairs getAllSettings(const QString &section) const override;
    bool saveSettings(const QString &section, const SettingPairs &pairs) override;
    QString saveError() const override { return saveError_; }

    const QString &path() const { return path_; }
    // Where an unreadable store file was moved, if that happened in this run.
    QString movedAsidePath() const { return movedAside_; }

private:
    bool readFile(StoreData &data, QString *reason = nullptr) const;
    const StoreData &snapshot() const;
    bool saveFailed(const QString &reason);

    QString path_;
    QString saveError_;
    mutable std::optional<StoreData> snapshot_;
    mutable QString movedAside_;
};

// Program preferences, kept in their own section and never part of a settings file.
QString getPreference(const SettingsStore &store, const QString &key, const QString &def = {});
bool setPreference(SettingsStore &store, const QString &key, const QString &value);
bool preferenceFlag(const SettingsStore &store, const QString &key, bool def);
bool setPreferenceFlag(SettingsStore &store, const QString &key, bool on);

// The list file last opened or saved in the window: what the window-less modes read when no
// list is named.
inline constexpr const char *kLastListKey = "LastList";
// "Notify me at login and every morning": off until ticked.
inline constexpr const char *kNotifyDailyKey = "NotifyDaily";

} // namespace dw
