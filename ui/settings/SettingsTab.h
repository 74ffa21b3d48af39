#pragma once

#include "core/settings/DependentControls.h"
#include "core/settings/SettingsModel.h"

#include <QWidget>
#include <functional>

class QComboBox;
class QLineEdit;

namespace dw {

class FontCatalog;
class Prompter;
class SettingsStore;

// What every settings tab works on. The model is the only copy of the settings: a tab writes a
// user's change into it and shows it again whenever sync() is called.
struct SettingsContext {
    SettingsModel &model;
    SettingsStore &store;
    Prompter &prompter;
    const FontCatalog &fonts;
    QString userFontsDir;
    std::function<bool()> loading = [] { return false; };
};

class SettingsTab : public QWidget {
    Q_OBJECT
public:
    SettingsTab(SettingsContext &context, QWidget *parent);
    // Shows the model's values in the controls; emits nothing.
    virtual void sync() = 0;
    // Shows, hides, enables and disables as the dependent-controls state says.
    virtual void applyState(const ControlsState &) {}

signals:
    // The model changed. fullRefresh asks for the dependent-controls refresh (colours and
    // positions), otherwise only the derived state is shown again.
    void changed(bool fullRefresh);

protected:
    SettingsModel &model() { return ctx_.model; }
    SettingsContext &ctx_;
};

namespace ui {
// A non-editable list with the given entries and object name.
QComboBox *comboBox(QWidget *parent, const QString &name, const QStringList &items);
// Selects the entry with exactly this text; a text the list lacks is added first when
// addMissing is set (font names that are not installed), otherwise the selection stays.
void selectText(QComboBox *box, const QString &text, bool addMissing = false);
// Sets a line edit's text only when it differs, so the cursor of a user typing stays put.
void setTextKeepingCursor(QLineEdit *edit, const QString &text);
} // namespace ui

} // namespace dw
