#pragma once

#include "ui/settings/SettingsTab.h"

#include <QHash>
#include <QStringList>
#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QAction;

namespace dw {

class ColourButton;

// The "&Format" page `fraMDS`: fonts, sizes, styles and colours of the three blocks, the
// important-event colour and animation, the background and the days of notice.
class FormatTab final : public SettingsTab {
    Q_OBJECT
public:
    FormatTab(SettingsContext &context, QWidget *parent);

    // Start-up: every installed family into each of the three font lists.
    void fillFontLists(const QStringList &families);
    void sync() override;
    void applyState(const ControlsState &state) override;

    QMenu *animationMenu() const { return mnuAnimation_; }
    // Releasing the left button on "Animate": mark Blink when nothing is marked, open the menu.
    void animateReleased(bool leftButton);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void chooseAnimation(const QString &kind);

    std::array<QCheckBox *, 4> chkFormat_{};
    std::array<QComboBox *, 3> cmbFonts_{};
    std::array<QComboBox *, 3> cmbFontSize_{};
    std::array<QComboBox *, 3> cmbFStyle_{};
    std::array<ColourButton *, 5> pickers_{};
    QCheckBox *chkAnim_ = nullptr;
    QMenu *mnuAnimation_ = nullptr;
    std::array<QAction *, 4> animationActions_{}; // Fade, Blink, ColourBlink, Glow
    QComboBox *cmbBackground_ = nullptr;
    QLineEdit *txtBrowse_ = nullptr;
    QPushButton *cmdBrowse_ = nullptr;
    QComboBox *cmbDays_ = nullptr;
    QLabel *lblDays_ = nullptr;
    QLabel *lblFontNote_ = nullptr;
    QStringList installedFamilies_;
    mutable QHash<QString, QString> substitutes_; // fontconfig is asked once per family
};

} // namespace dw
