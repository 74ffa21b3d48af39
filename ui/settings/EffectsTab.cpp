#include "ui/settings/EffectsTab.h"

#include "core/settings/SettingsCommands.h"
#include "core/settings/SettingsGroups.h"
#include "core/settings/SettingsLists.h"
#include "core/settings/SettingsStore.h"
#include "ui/settings/ColourButton.h"

#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace dw {

QComboBox *EffectsTab::choice(QWidget *parent, const QString &name, QString SettingsModel::*field,
                              const QStringList &list)
{
    QComboBox *box = ui::comboBox(parent, name, list);
    choices_.push_back({box, field, &list});
    connect(box, &QComboBox::activated, this, [this, box, field, &list] {
        setChoice(model().*field, list, box->currentText());
        emit changed(false);
    });
    return box;
}

QLineEdit *EffectsTab::opacityBox(const QString &name, QString SettingsModel::*field)
{
    auto *edit = new QLineEdit(this);
    edit->setObjectName(name);
    edit->setMaximumWidth(60);
    edit->installEventFilter(this);
    // A bad opacity falls back to 100 at once, selected so that typing replaces it.
    connect(edit, &QLineEdit::textEdited, this, [this, edit, field](const QString &text) {
        const QString corrected = correctedOpacity(text);
        model().*field = corrected;
        if (corrected != text) {
            edit->setText(corrected);
            edit->selectAll();
        }
        emit changed(false);
    });
    return edit;
}

EffectsTab::EffectsTab(SettingsContext &context, QWidget *parent) : SettingsTab(context, parent)
{
    setObjectName(QStringLiteral("EffectsTab"));
    auto *grid = new QGridLayout(this);

    auto *effectRow = new QHBoxLayout;
    effectRow->addWidget(new QLabel(QStringLiteral("Main Date effect:"), this));
    effectRow->addWidget(choice(this, QStringLiteral("cmbEffects"), &SettingsModel::mdEffect, lists::effects()));
    lblEffectColour_ = new QLabel(QStringLiteral("Colour:"), this);
    lblEffectColour_->setObjectName(QStringLiteral("lblEffectColour"));
    effectRow->addWidget(lblEffectColour_);
    for (int i = 0; i < 3; ++i)
        pickers_[size_t(i)] = new ColourButton(5 + i, this);
    effectRow->addWidget(pickers_[0]);
    effectRow->addStretch(1);
    grid->addLayout(effectRow, 0, 0, 1, 2);

    const char *const titles[5] = {"", "Blur", "DropShadow", "Glow", "SpookyShadow"};
    auto *panels = new QHBoxLayout;
    for (int i = 1; i <= 4; ++i) {
        auto *box = new QGroupBox(QString::fromLatin1(titles[i]), this);
        box->setObjectName(QStringLiteral("fraEffects%1").arg(i));
        fraEffects_[size_t(i)] = box;
        panels->addWidget(box);
        auto *form = new QFormLayout(box);
        switch (i) {
        case 1:
            form->addRow(QStringLiteral("Strength:"), choice(box, QStringLiteral("cmbStrBlur"), &SettingsModel::blurStrength, lists::strengths()));
            form->addRow(QStringLiteral("Direction:"), choice(box, QStringLiteral("cmbDirBlur"), &SettingsModel::blurDirection, lists::directions()));
            break;
        case 2:
            form->addRow(QStringLiteral("X:"), choice(box, QStringLiteral("cmbXDs"), &SettingsModel::dropX, lists::dropOffsets()));
            form->addRow(QStringLiteral("Y:"), choice(box, QStringLiteral("cmbYDs"), &SettingsModel::dropY, lists::dropOffsets()));
            break;
        case 3:
            form->addRow(QStringLiteral("Strength:"), choice(box, QStringLiteral("cmbStrGlow"), &SettingsModel::glowStrength, lists::strengths()));
            break;
        case 4:
            form->addRow(QStringLiteral("Direction:"), choice(box, QStringLiteral("cmbDirSS"), &SettingsModel::spookyDirection, lists::directions()));
            break;
        }
    }
    panels->addStretch(1);
    grid->addLayout(panels, 1, 0, 1, 2);

    auto *mainDate = new QGroupBox(QStringLiteral("Main Date"), this);
    auto *mdForm = new QFormLayout(mainDate);
    txtMDOpacity_ = opacityBox(QStringLiteral("txtMDOpacity"), &SettingsModel::mdOpacity);
    mdForm->addRow(QStringLiteral("Opacity (%):"), txtMDOpacity_);
    mdForm->addRow(QStringLiteral("Date style:"), choice(mainDate, QStringLiteral("cmbMDStyle"), &SettingsModel::mdDateStyle, lists::mainDateStyles()));
    cmbMDSep_ = choice(mainDate, QStringLiteral("cmbMDSep"), &SettingsModel::mdDateSep, lists::separators());
    mdForm->addRow(QStringLiteral("Separator:"), cmbMDSep_);
    grid->addWidget(mainDate, 2, 0);

    auto *nameDate = new QGroupBox(QStringLiteral("Name-Date"), this);
    auto *ndForm = new QFormLayout(nameDate);
    txtNDOpacity_ = opacityBox(QStringLiteral("txtNDOpacity"), &SettingsModel::ndOpacity);
    ndForm->addRow(QStringLiteral("Opacity (%):"), txtNDOpacity_);
    ndForm->addRow(QStringLiteral("Date style:"), choice(nameDate, QStringLiteral("cmbNDStyle"), &SettingsModel::ndDateStyle, lists::nameDateStyles()));
    ndForm->addRow(QStringLiteral("Separator:"), choice(nameDate, QStringLiteral("cmbNDSep"), &SettingsModel::ndDateSep, lists::separators()));
    ndForm->addRow(QStringLiteral("Roll-over colour:"), pickers_[1]);
    grid->addWidget(nameDate, 2, 1);

    auto *scroller = new QGroupBox(QStringLiteral("Scroller"), this);
    auto *scForm = new QFormLayout(scroller);
    scForm->addRow(QStringLiteral("Background colour:"), pickers_[2]);
    scForm->addRow(QStringLiteral("Background:"), choice(scroller, QStringLiteral("cmbSBgStyle"), &SettingsModel::scrollerBgStyle, lists::scrollerBgStyles()));
    scForm->addRow(QStringLiteral("Border:"), choice(scroller, QStringLiteral("cmbSBoStyle"), &SettingsModel::scrollerBorderStyle, lists::borderStyles()));
    grid->addWidget(scroller, 3, 0);

    for (ColourButton *p : pickers_) {
        connect(p, &ColourButton::colourChosen, this, [this](int index, quint32 value) {
            setPickerColour(model(), index, value, !ctx_.loading());
            emit changed(false);
        });
    }

    auto *buttons = new QHBoxLayout;
    auto *save = new QPushButton(QStringLiteral("Save Settings"), this);
    save->setObjectName(QStringLiteral("cmdSave1"));
    auto *defaults = new QPushButton(QStringLiteral("Default Settings..."), this);
    defaults->setObjectName(QStringLiteral("cmdDefault1"));
    buttons->addStretch(1);
    buttons->addWidget(save);
    buttons->addWidget(defaults);
    grid->addLayout(buttons, 4, 0, 1, 2);
    grid->setRowStretch(5, 1);
    connect(save, &QPushButton::clicked, this, [this] { saveEffectsSettings(model(), ctx_.store, kSettingsSection); });
    connect(defaults, &QPushButton::clicked, this, [this] {
        if (effectsDefaults(model(), ctx_.prompter))
            emit changed(false);
    });
    sync();
}

void EffectsTab::sync()
{
    for (const Choice &c : choices_)
        ui::selectText(c.box, model().*(c.field));
    for (size_t i = 0; i < pickers_.size(); ++i)
        pickers_[i]->setValue(model().pickers[5 + i].value);
    ui::setTextKeepingCursor(txtMDOpacity_, model().mdOpacity);
    ui::setTextKeepingCursor(txtNDOpacity_, model().ndOpacity);
}

void EffectsTab::applyState(const ControlsState &state)
{
    for (size_t i = 1; i <= 4; ++i)
        fraEffects_[i]->setVisible(state.effectPanelVisible[i]);
    pickers_[0]->setVisible(state.effectColourVisible);
    lblEffectColour_->setVisible(state.effectColourVisible);
    cmbMDSep_->setEnabled(state.mdSeparatorEnabled);
}

bool EffectsTab::eventFilter(QObject *watched, QEvent *event)
{
    // Entering an opacity box selects its whole text.
    if (event->type() == QEvent::FocusIn && (watched == txtMDOpacity_ || watched == txtNDOpacity_)) {
        auto *edit = static_cast<QLineEdit *>(watched);
        QTimer::singleShot(0, edit, [edit] { edit->selectAll(); });
    }
    return SettingsTab::eventFilter(watched, event);
}

} // namespace dw
