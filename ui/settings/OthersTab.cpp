#include "ui/settings/OthersTab.h"

#include "core/settings/SettingsCommands.h"
#include "core/settings/SettingsFile.h"
#include "core/settings/SettingsStore.h"
#include "desktop/DailyJob.h"
#include "desktop/SetWallpaper.h"
#include "page/compat/CompatScript.h"
#include "platform/Prompter.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QPushButton>

namespace dw {

namespace {
QPushButton *button(QWidget *parent, const char *name, const QString &caption)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}
} // namespace

OthersTab::OthersTab(SettingsContext &context, QWidget *parent) : SettingsTab(context, parent)
{
    setObjectName(QStringLiteral("OthersTab"));
    auto *grid = new QGridLayout(this);
    auto *saveAll = button(this, "cmdSaveAll", QStringLiteral("Save All Settings"));
    auto *reset = button(this, "cmdReset", QStringLiteral("Reset All Settings to Default..."));
    auto *saveFile = button(this, "cmdSaveFile", QStringLiteral("Save Current Settings to File..."));
    auto *getFile = button(this, "cmdGetFile", QStringLiteral("Get Settings From File..."));
    getFile->setToolTip(QStringLiteral("Warning: Save settings before opening."));
    auto *templ = button(this, "cmdTemplate", QStringLiteral("Create Template From File..."));
    auto *info = button(this, "cmdInfo", QStringLiteral("?"));
    info->setFixedWidth(28);
    chkSaveExit_ = new QCheckBox(QStringLiteral("Save at exit"), this);
    chkSaveExit_->setObjectName(QStringLiteral("chkSaveExit"));
    chkSaveExit_->setToolTip(QStringLiteral("Save all settings at exit"));

    // A program preference, not a page setting: it is stored at once and never goes into a
    // settings file.
    chkBrowserCompat_ = new QCheckBox(QStringLiteral("Make the page work in current browsers"), this);
    chkBrowserCompat_->setObjectName(QStringLiteral("chkBrowserCompat"));

    grid->addWidget(saveAll, 0, 0);
    grid->addWidget(chkSaveExit_, 0, 1);
    grid->addWidget(reset, 1, 0);
    grid->addWidget(saveFile, 2, 0);
    grid->addWidget(getFile, 3, 0);
    grid->addWidget(templ, 4, 0);
    grid->addWidget(info, 4, 1, Qt::AlignLeft);
    grid->addWidget(chkBrowserCompat_, 5, 0, 1, 2);
    // Also a preference of this machine's user: the daily job reads it.
    chkNotify_ = new QCheckBox(QStringLiteral("Notify me at login and every morning"), this);
    chkNotify_->setObjectName(QStringLiteral("chkNotify"));
    grid->addWidget(chkNotify_, 6, 0, 1, 2);
    grid->setRowStretch(7, 1);
    grid->setColumnStretch(2, 1);

    connect(saveAll, &QPushButton::clicked, this, [this] {
        saveAllSettingsCommand(model(), ctx_.store, ctx_.prompter);
        emit changed(false);
    });
    connect(reset, &QPushButton::clicked, this, [this] {
        if (resetAllSettings(model(), ctx_.prompter))
            emit changed(true);
    });
    connect(saveFile, &QPushButton::clicked, this, [this] {
        exportSettingsFile(model(), ctx_.store, ctx_.prompter);
        emit changed(false);
    });
    connect(getFile, &QPushButton::clicked, this, [this] {
        if (importSettingsFile(model(), ctx_.store, ctx_.prompter))
            emit changed(false);
    });
    connect(templ, &QPushButton::clicked, this,
            [this] { createTemplate(ctx_.prompter, ctx_.fonts, ctx_.userFontsDir); });
    connect(info, &QPushButton::clicked, this, [this] { showTemplateInfo(ctx_.prompter); });
    connect(chkSaveExit_, &QCheckBox::clicked, this, [this](bool on) {
        model().saveAtExit = on;
        emit changed(false);
    });
    connect(chkBrowserCompat_, &QCheckBox::clicked, this, [this](bool on) { setBrowserCompatPreference(ctx_.store, on); });
    // The daily job and its login entry do the notifying, so the switch (re)writes their schedule.
    connect(chkNotify_, &QCheckBox::clicked, this, [this](bool on) {
        const desktop::ScheduleReport report =
            desktop::switchDailyTask(ctx_.store, QLatin1String(kNotifyDailyKey), on,
                                     desktop::toolEnvironment(QProcessEnvironment::systemEnvironment()),
                                     QCoreApplication::applicationFilePath());
        if (!report.ok)
            ctx_.prompter.ask(Message{report.lines.join(QLatin1Char('\n')), QStringLiteral("Notification"),
                                      Icon::Exclamation, Buttons::Ok, Button::Ok});
    });
    sync();
}

void OthersTab::sync()
{
    chkSaveExit_->setChecked(model().saveAtExit);
    chkBrowserCompat_->setChecked(browserCompatPreference(ctx_.store));
    chkNotify_->setChecked(preferenceFlag(ctx_.store, QLatin1String(kNotifyDailyKey), false));
}

} // namespace dw
