#include "ui/settings/FormatTab.h"

#include "platform/FontCatalog.h"

#include "core/settings/SettingsCommands.h"
#include "core/settings/SettingsGroups.h"
#include "core/settings/SettingsLists.h"
#include "core/settings/SettingsStore.h"
#include "platform/Prompter.h"
#include "ui/settings/ColourButton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>

namespace dw {

namespace {
const char *const kBlockCaptions[4] = {"Main Date : ", "Name-Date :", "Scroller :", "Background :"};
// Menu order and object names; the model names the kinds as the store does.
const char *const kAnimationCaptions[4] = {"&Blink", "&Colour Blink", "&Fade Out/Fade In", "&Glow"};
const char *const kAnimationNames[4] = {"mnuBlink", "mnuClrBlink", "mnuFade", "mnuGlow"};
const char *const kAnimationKinds[4] = {"Blink", "ColourBlink", "Fade", "Glow"};
} // namespace

FormatTab::FormatTab(SettingsContext &context, QWidget *parent) : SettingsTab(context, parent)
{
    setObjectName(QStringLiteral("FormatTab"));
    auto *grid = new QGridLayout(this);
    const char *const headers[4] = {"Font", "Size", "Style", "Colour"};
    for (int c = 0; c < 4; ++c)
        grid->addWidget(new QLabel(QString::fromLatin1(headers[c]), this), 0, c + 1);

    for (int row = 0; row < 3; ++row) {
        auto *chk = new QCheckBox(QString::fromLatin1(kBlockCaptions[row]), this);
        chk->setObjectName(QStringLiteral("chkFormat%1").arg(row));
        chkFormat_[size_t(row)] = chk;
        cmbFonts_[size_t(row)] = ui::comboBox(this, QStringLiteral("cmbFonts%1").arg(row), {});
        cmbFonts_[size_t(row)]->setMinimumWidth(180);
        cmbFontSize_[size_t(row)] = ui::comboBox(this, QStringLiteral("cmbFontSize%1").arg(row), lists::fontSizes(row));
        cmbFStyle_[size_t(row)] = ui::comboBox(this, QStringLiteral("cmbFStyle%1").arg(row), lists::fontStyles());
        pickers_[size_t(row)] = new ColourButton(row, this);
        grid->addWidget(chk, row + 1, 0);
        grid->addWidget(cmbFonts_[size_t(row)], row + 1, 1);
        grid->addWidget(cmbFontSize_[size_t(row)], row + 1, 2);
        grid->addWidget(cmbFStyle_[size_t(row)], row + 1, 3);
        grid->addWidget(pickers_[size_t(row)], row + 1, 4);

        connect(cmbFonts_[size_t(row)], &QComboBox::activated, this, [this, row] {
            const QString name = plainFontFamily(cmbFonts_[size_t(row)]->currentText());
            if (isAcceptableFontName(name))
                model().fonts[size_t(row)] = name;
            emit changed(false);
        });
        connect(cmbFontSize_[size_t(row)], &QComboBox::activated, this, [this, row] {
            setChoice(model().fontSizes[size_t(row)], lists::fontSizes(row), cmbFontSize_[size_t(row)]->currentText());
            emit changed(false);
        });
        connect(cmbFStyle_[size_t(row)], &QComboBox::activated, this, [this, row] {
            setChoice(model().fontStyles[size_t(row)], lists::fontStyles(), cmbFStyle_[size_t(row)]->currentText());
            emit changed(false);
        });
    }

    grid->addWidget(new QLabel(QStringLiteral("Important :"), this), 4, 0);
    pickers_[3] = new ColourButton(3, this);
    grid->addWidget(pickers_[3], 4, 4);
    chkAnim_ = new QCheckBox(QStringLiteral("Animate"), this);
    chkAnim_->setObjectName(QStringLiteral("chkAnim"));
    chkAnim_->installEventFilter(this);
    grid->addWidget(chkAnim_, 4, 1);
    mnuAnimation_ = new QMenu(QStringLiteral("Animation"), this);
    mnuAnimation_->setObjectName(QStringLiteral("mnuAnimation"));
    for (int i = 0; i < 4; ++i) {
        QAction *a = mnuAnimation_->addAction(QString::fromLatin1(kAnimationCaptions[i]));
        a->setObjectName(QString::fromLatin1(kAnimationNames[i]));
        a->setCheckable(true);
        animationActions_[size_t(i)] = a;
        const QString kind = QString::fromLatin1(kAnimationKinds[i]);
        connect(a, &QAction::triggered, this, [this, kind] { chooseAnimation(kind); });
    }
    mnuAnimation_->addSeparator();
    mnuAnimation_->addAction(QStringLiteral("Cancel"))->setObjectName(QStringLiteral("mnuAnimCancel"));
    connect(chkAnim_, &QCheckBox::clicked, this, [this](bool on) {
        model().animate = on;
        emit changed(false);
    });

    chkFormat_[3] = new QCheckBox(QString::fromLatin1(kBlockCaptions[3]), this);
    chkFormat_[3]->setObjectName(QStringLiteral("chkFormat3"));
    cmbBackground_ = ui::comboBox(this, QStringLiteral("cmbBackground"), lists::backgroundKinds());
    pickers_[4] = new ColourButton(4, this);
    txtBrowse_ = new QLineEdit(this);
    txtBrowse_->setObjectName(QStringLiteral("txtBrowse"));
    cmdBrowse_ = new QPushButton(QStringLiteral("Browse..."), this);
    cmdBrowse_->setObjectName(QStringLiteral("cmdBrowse"));
    cmdBrowse_->setAutoDefault(false);
    grid->addWidget(chkFormat_[3], 5, 0);
    grid->addWidget(cmbBackground_, 5, 1);
    auto *pictureRow = new QHBoxLayout;
    pictureRow->addWidget(pickers_[4]);
    pictureRow->addWidget(txtBrowse_, 1);
    pictureRow->addWidget(cmdBrowse_);
    grid->addLayout(pictureRow, 5, 2, 1, 3);
    for (int i = 0; i < 4; ++i) {
        connect(chkFormat_[size_t(i)], &QCheckBox::clicked, this, [this, i](bool on) {
            model().showBlock[size_t(i)] = on;
            emit changed(false);
        });
    }
    connect(cmbBackground_, &QComboBox::activated, this, [this] {
        setChoice(model().backgroundKind, lists::backgroundKinds(), cmbBackground_->currentText());
        emit changed(false);
    });
    connect(txtBrowse_, &QLineEdit::textEdited, this, [this](const QString &text) {
        model().backgroundPicture = text;
        emit changed(false);
    });
    connect(cmdBrowse_, &QPushButton::clicked, this, [this] {
        const QString path = ctx_.prompter.chooseFile(FileKind::Picture);
        if (!path.isEmpty())
            model().backgroundPicture = path;
        model().backgroundKind = lists::backgroundKinds().at(1); // also after a cancel
        emit changed(false);
    });

    // "Remind me [n] days before an event.": the list sits in the gap of the sentence.
    lblDays_ = new QLabel(daysSentence(model().remindBefore), this);
    lblDays_->setObjectName(QStringLiteral("lblDays"));
    lblDays_->setMinimumHeight(26);
    cmbDays_ = ui::comboBox(lblDays_, QStringLiteral("cmbDays"), lists::days());
    const int gapStart = lblDays_->fontMetrics().horizontalAdvance(QStringLiteral("Remind me "));
    const int gapWidth = lblDays_->fontMetrics().horizontalAdvance(QString(11, QLatin1Char(' ')));
    cmbDays_->setGeometry(gapStart, 0, qMax(gapWidth, 44), 24);
    lblDays_->setMinimumWidth(lblDays_->sizeHint().width() + 20);
    grid->addWidget(lblDays_, 6, 0, 1, 3);
    connect(cmbDays_, &QComboBox::activated, this, [this] {
        setChoice(model().remindBefore, lists::days(), cmbDays_->currentText());
        emit changed(false);
    });

    for (ColourButton *p : pickers_) {
        connect(p, &ColourButton::colourChosen, this, [this](int index, quint32 value) {
            setPickerColour(model(), index, value, !ctx_.loading());
            emit changed(false);
        });
    }

    auto *buttons = new QHBoxLayout;
    auto *save = new QPushButton(QStringLiteral("Save Settings"), this);
    save->setObjectName(QStringLiteral("cmdSave"));
    auto *defaults = new QPushButton(QStringLiteral("Default Settings..."), this);
    defaults->setObjectName(QStringLiteral("cmdDefault"));
    buttons->addStretch(1);
    buttons->addWidget(save);
    buttons->addWidget(defaults);
    grid->addLayout(buttons, 7, 0, 1, 5);
    lblFontNote_ = new QLabel(this);
    lblFontNote_->setObjectName(QStringLiteral("lblFontNote"));
    lblFontNote_->setTextFormat(Qt::PlainText); // names come from settings files
    lblFontNote_->setWordWrap(true);
    grid->addWidget(lblFontNote_, 8, 0, 1, 5, Qt::AlignTop);
    grid->setRowStretch(8, 1);
    connect(save, &QPushButton::clicked, this, [this] { saveFormatSettings(model(), ctx_.store, kSettingsSection); });
    connect(defaults, &QPushButton::clicked, this, [this] {
        if (formatDefaults(model(), ctx_.prompter))
            emit changed(false);
    });
    sync();
}

void FormatTab::fillFontLists(const QStringList &families)
{
    for (QComboBox *box : cmbFonts_) {
        box->clear();
        for (const QString &family : families) {
            if (!family.isEmpty())
                box->addItem(family);
        }
    }
    installedFamilies_ = families;
    sync();
}

void FormatTab::sync()
{
    const SettingsModel &m = model();
    for (size_t i = 0; i < 3; ++i) {
        ui::selectText(cmbFonts_[i], m.fonts[i], true);
        ui::selectText(cmbFontSize_[i], m.fontSizes[i]);
        ui::selectText(cmbFStyle_[i], m.fontStyles[i]);
    }
    for (size_t i = 0; i < 4; ++i)
        chkFormat_[i]->setChecked(m.showBlock[i]);
    for (size_t i = 0; i < pickers_.size(); ++i)
        pickers_[i]->setValue(m.pickers[i].value);
    chkAnim_->setChecked(m.animate);
    for (size_t i = 0; i < 4; ++i)
        animationActions_[i]->setChecked(m.animation == QLatin1String(kAnimationKinds[i]));
    ui::selectText(cmbBackground_, m.backgroundKind);
    ui::setTextKeepingCursor(txtBrowse_, m.backgroundPicture);
    ui::selectText(cmbDays_, m.remindBefore);
    // Before the lists are filled nothing is known to be installed.
    const QString note = installedFamilies_.isEmpty()
                             ? QString()
                             : missingFontNote(m.fonts, installedFamilies_, [this](const QString &family) {
                                   auto it = substitutes_.constFind(family);
                                   if (it == substitutes_.constEnd())
                                       it = substitutes_.insert(family, ctx_.fonts.substitute(family));
                                   return *it;
                               });
    lblFontNote_->setText(note);
    lblFontNote_->setVisible(!note.isEmpty());
}

void FormatTab::applyState(const ControlsState &state)
{
    pickers_[4]->setVisible(state.backgroundColourVisible);
    txtBrowse_->setVisible(state.backgroundPictureVisible);
    cmdBrowse_->setVisible(state.backgroundPictureVisible);
    for (size_t i = 0; i < 4; ++i)
        chkFormat_[i]->setEnabled(state.blockEnabled[i]);
    lblDays_->setText(state.daysSentence);
}

void FormatTab::chooseAnimation(const QString &kind)
{
    model().animation = kind;
    model().animate = true;
    emit changed(false);
}

void FormatTab::animateReleased(bool leftButton)
{
    if (!lists::animations().contains(model().animation)) {
        model().animation = QStringLiteral("Blink");
        emit changed(false);
    }
    if (leftButton)
        mnuAnimation_->popup(chkAnim_->mapToGlobal(QPoint(chkAnim_->width(), 0)));
}

bool FormatTab::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == chkAnim_ && event->type() == QEvent::MouseButtonRelease) {
        const bool left = static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton;
        // After the box has taken the click, so the menu sees the new tick.
        QTimer::singleShot(0, this, [this, left] { animateReleased(left); });
    }
    return SettingsTab::eventFilter(watched, event);
}

} // namespace dw
