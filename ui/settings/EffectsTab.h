#pragma once

#include "ui/settings/SettingsTab.h"

#include <array>
#include <vector>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;

namespace dw {

class ColourButton;

// The "&Effects" page `fraFx`: the Main Date filter effect with its four panels, opacities,
// date styles and separators, the roll-over colour and the Scroller box.
class EffectsTab final : public SettingsTab {
    Q_OBJECT
public:
    EffectsTab(SettingsContext &context, QWidget *parent);
    void sync() override;
    void applyState(const ControlsState &state) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Choice {
        QComboBox *box;
        QString SettingsModel::*field;
        const QStringList *list;
    };
    QComboBox *choice(QWidget *parent, const QString &name, QString SettingsModel::*field, const QStringList &list);
    QLineEdit *opacityBox(const QString &name, QString SettingsModel::*field);

    std::vector<Choice> choices_;
    std::array<QGroupBox *, 5> fraEffects_{}; // 1..4
    QLabel *lblEffectColour_ = nullptr;
    std::array<ColourButton *, 3> pickers_{}; // 5, 6, 7
    QLineEdit *txtMDOpacity_ = nullptr;
    QLineEdit *txtNDOpacity_ = nullptr;
    QComboBox *cmbMDSep_ = nullptr;
};

} // namespace dw
