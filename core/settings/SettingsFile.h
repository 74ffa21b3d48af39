#pragma once

#include "core/settings/SettingsModel.h"
#include "core/settings/SettingsStore.h"

#include <QByteArray>
#include <QString>

namespace dw {

class FontCatalog;
class Prompter;

// Settings files (.dwt): key line, value line, key line, ... with CR LF between lines and none
// after the last. Reading accepts LF or CR LF, UTF-8 or Windows-1252, and a last key without a
// value line (its value is the empty text).
SettingPairs parseSettingsFile(const QByteArray &bytes);
QByteArray serializeSettingsFile(const SettingPairs &pairs);

// "Save Current Settings to File...": asks for the path (asking again while the user refuses to
// replace an existing file), writes the four groups into "TempSettings" on every pass, then
// writes that section to the file atomically. A failed write is reported with the system's
// reason. Returns true when a file was written.
bool exportSettingsFile(SettingsModel &m, SettingsStore &store, Prompter &prompter);

// "Get Settings From File...": every pair of the chosen file into "Settings", then loadSettings.
bool importSettingsFile(SettingsModel &m, SettingsStore &store, Prompter &prompter);

// The same two without dialogs, for the command line. They return an empty text on success and
// the reason otherwise; count receives the number of pairs written or read.
QString exportSavedSettingsTo(const QString &path, SettingsStore &store, int *count = nullptr);
QString importSettingsFrom(const QString &path, SettingsStore &store, int *count = nullptr);

// The settings a fresh start of the program would show: defaults, the start-up marker places,
// then the store's "Settings" section, then the dependent-controls refresh.
SettingsModel settingsFromStore(const SettingsStore &store);
// The same from the user's own store file.
SettingsModel settingsFromStore();
// A settings file applied over the defaults, without touching any store. False (model left as
// the defaults, error set) when the file cannot be read.
bool settingsFromDwtFile(const QString &path, SettingsModel *model, QString *error = nullptr);

// "Create Template From File...": a folder "<file without .dwt>Template" beside the chosen
// settings file, holding a copy of it, the font files of the families it names (every face
// whose "Family Style" name begins with the family, any case) and its background picture.
// Bare font file names are taken from fontsFolder.
void createTemplate(Prompter &prompter, const FontCatalog &fonts, const QString &fontsFolder);

} // namespace dw
