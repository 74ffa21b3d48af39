#include "core/settings/SettingsFile.h"

#include "core/io/TextFile.h"
#include "core/settings/DependentControls.h"
#include "core/settings/PositionEditor.h"
#include "core/settings/SettingsGroups.h"
#include "core/settings/SettingsLists.h"
#include "platform/FontCatalog.h"
#include "platform/Prompter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace dw {

SettingPairs parseSettingsFile(const QByteArray &bytes)
{
    const QStringList lines = splitLines(decodeText(bytes));
    SettingPairs pairs;
    pairs.reserve(size_t(lines.size() / 2 + 1));
    for (qsizetype i = 0; i < lines.size(); i += 2)
        pairs.emplace_back(lines.at(i), i + 1 < lines.size() ? lines.at(i + 1) : QString());
    return pairs;
}

QByteArray serializeSettingsFile(const SettingPairs &pairs)
{
    // A line break inside a value would shift every later pair by a line; no field holds one,
    // but the store can be edited by hand.
    const auto oneLine = [](QString text) {
        text.replace(QLatin1String("\r\n"), QLatin1String(" "));
        text.replace(QLatin1Char('\r'), QLatin1Char(' '));
        text.replace(QLatin1Char('\n'), QLatin1Char(' '));
        return text;
    };
    QStringList lines;
    lines.reserve(qsizetype(pairs.size() * 2));
    for (const auto &[key, value] : pairs)
        lines << oneLine(key) << oneLine(value);
    return encodeText(joinLines(lines));
}

namespace {
QString writeError(const QString &path, const QString &reason)
{
    return QStringLiteral("Cannot write the settings file \"") + path + QStringLiteral("\".\r\n") + reason;
}

QString storeError(const SettingsStore &store)
{
    const QString error = store.saveError();
    return error.isEmpty() ? QStringLiteral("Cannot write the settings store.") : error;
}

// A settings file's bytes; binary data (a picture, a UTF-16 file) is refused, never imported.
ReadResult readSettingsFile(const QString &path)
{
    ReadResult read = readFileBytes(path, kMaxSettingsBytes);
    if (read.ok && !looksLikeText(read.bytes)) {
        read = ReadResult();
        read.error = QStringLiteral("It is not a text file, so not a settings file");
    }
    return read;
}
} // namespace

bool exportSettingsFile(SettingsModel &m, SettingsStore &store, Prompter &prompter)
{
    QString path;
    bool stored = false;
    for (;;) {
        path = prompter.chooseFile(FileKind::SaveReg);
        stored = saveAllGroups(m, store, kTempSection);
        if (path.isEmpty())
            return false;
        if (!QFileInfo::exists(path))
            break;
        const Message replace{QStringLiteral("File \"") + path + QStringLiteral("\" already exists.\r\nDo you want to replace it?"),
                              QStringLiteral("Save As"), Icon::Exclamation, Buttons::YesNo, Button::No};
        if (prompter.ask(replace) != Button::No)
            break;
    }
    // Without the scratch copy the file would carry what an earlier export left there.
    if (!stored) {
        prompter.inform(storeError(store), QStringLiteral("Error"), Icon::Critical);
        return false;
    }
    QString reason;
    if (!writeFileAtomic(path, serializeSettingsFile(store.getAllSettings(kTempSection)), &reason)) {
        prompter.inform(writeError(path, reason), QStringLiteral("Error"), Icon::Critical);
        return false;
    }
    prompter.inform(QStringLiteral("Done!"), QStringLiteral("Done!"));
    return true;
}

bool importSettingsFile(SettingsModel &m, SettingsStore &store, Prompter &prompter)
{
    const QString path = prompter.chooseFile(FileKind::OpenReg);
    if (path.isEmpty() || !QFileInfo::exists(path))
        return false;
    const ReadResult read = readSettingsFile(path);
    if (!read.ok) {
        prompter.inform(QStringLiteral("Cannot read the settings file \"") + path + QStringLiteral("\".\r\n") + read.error,
                        QStringLiteral("Error"), Icon::Critical);
        return false;
    }
    if (!store.saveSettings(kSettingsSection, parseSettingsFile(read.bytes))) {
        prompter.inform(storeError(store), QStringLiteral("Error"), Icon::Critical);
        return false;
    }
    loadSettings(m, store, &prompter);
    prompter.inform(QStringLiteral("Done!"), QStringLiteral("Done!"));
    return true;
}

QString exportSavedSettingsTo(const QString &path, SettingsStore &store, int *count)
{
    SettingsModel m = settingsFromStore(store);
    if (!saveAllGroups(m, store, kTempSection))
        return storeError(store);
    const SettingPairs pairs = store.getAllSettings(kTempSection);
    QString reason;
    if (!writeFileAtomic(path, serializeSettingsFile(pairs), &reason))
        return writeError(path, reason).replace(QLatin1String("\r\n"), QLatin1String(" "));
    if (count)
        *count = int(pairs.size());
    return {};
}

QString importSettingsFrom(const QString &path, SettingsStore &store, int *count)
{
    if (!QFileInfo::exists(path))
        return QStringLiteral("No such file: ") + path;
    const ReadResult read = readSettingsFile(path);
    if (!read.ok)
        return QStringLiteral("Cannot read \"") + path + QStringLiteral("\": ") + read.error;
    const SettingPairs pairs = parseSettingsFile(read.bytes);
    if (!store.saveSettings(kSettingsSection, pairs))
        return storeError(store);
    if (count)
        *count = int(pairs.size());
    return {};
}

SettingsModel settingsFromStore(const SettingsStore &store)
{
    SettingsModel m;
    placeMarkersAtRightEdge(m);
    loadSettings(m, store);
    refreshDependentControls(m);
    return m;
}

SettingsModel settingsFromStore()
{
    return settingsFromStore(FileSettingsStore(FileSettingsStore::defaultPath()));
}

bool settingsFromDwtFile(const QString &path, SettingsModel *model, QString *error)
{
    *model = SettingsModel();
    const ReadResult read = readSettingsFile(path);
    if (!read.ok) {
        if (error)
            *error = read.error;
        return false;
    }
    MemorySettingsStore store;
    store.saveSettings(kSettingsSection, parseSettingsFile(read.bytes));
    loadSettings(*model, store);
    refreshDependentControls(*model);
    return true;
}

// ---------------------------------------------------------------------------------------------

namespace {
// Copies a file into a folder, replacing a file of the same name. Failures are skipped.
void copyInto(const QString &file, const QString &folder)
{
    const QFileInfo source(file);
    if (!source.isFile())
        return;
    const QString target = folder + source.fileName();
    if (QFileInfo(target).canonicalFilePath() == source.canonicalFilePath())
        return; // already there; removing it first would lose it
    QFile::remove(target);
    QFile::copy(file, target);
}
} // namespace

void createTemplate(Prompter &prompter, const FontCatalog &fonts, const QString &fontsFolder)
{
    const std::vector<FontFace> faces = fonts.faces();
    const QString path = prompter.chooseFile(FileKind::OpenReg);
    if (path.isEmpty() || !QFileInfo::exists(path))
        return;

    const QString folder = path.left(qMax<qsizetype>(0, path.size() - 4)) + QStringLiteral("Template/");
    if (!QDir().mkpath(folder)) {
        prompter.inform(QStringLiteral("Error! Operation unsuccessful"), QStringLiteral("Error"), Icon::Critical);
        return;
    }
    copyInto(path, folder);

    const ReadResult read = readSettingsFile(path);
    const QStringList lines = read.ok ? splitLines(decodeText(read.bytes)) : QStringList();
    if (lines.isEmpty())
        return;

    static const QStringList fontKeys{QStringLiteral("MainDateFont"), QStringLiteral("NameDateFont"),
                                      QStringLiteral("ScrollerFont")};
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (!fontKeys.contains(lines.at(i), Qt::CaseInsensitive))
            continue;
        const QString family = i + 1 < lines.size() ? lines.at(i + 1).toLower() : QString();
        if (family.isEmpty())
            continue; // an empty name would match every installed face
        for (const FontFace &face : faces) {
            if (face.name.left(family.size()).toLower() != family)
                continue;
            copyInto(QDir::isAbsolutePath(face.file) ? face.file : fontsFolder + QLatin1Char('/') + face.file, folder);
        }
    }

    for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
        const QString &value = lines.at(i + 1);
        if (lines.at(i) == QLatin1String("Background")
            && (value.contains(QLatin1String(":\\")) || value.startsWith(QLatin1Char('/')))) {
            copyInto(value, folder);
            break;
        }
    }

    prompter.inform(QStringLiteral("Files copied to \"") + folder + QLatin1Char('"'), QStringLiteral("Done!"));
}

} // namespace dw
