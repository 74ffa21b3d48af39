#include "ui/page/WallpaperUi.h"

#include "core/settings/SettingsStore.h"
#include "desktop/DailyJob.h"
#include "desktop/WallpaperOffer.h"
#include "desktop/WallpaperPreferences.h"
#include "page/CreatePage.h"
#include "ui/MainWindow.h"
#include "ui/QtBusyIndicator.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFormLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QScreen>
#include <QLabel>
#include <QLayout>
#include <QPushButton>

namespace dw {

namespace {

desktop::SetWallpaperOutcome setNow(MainWindow &w, const QString &page)
{
    FileSettingsStore store(FileSettingsStore::defaultPath());
    const QProcessEnvironment env = desktop::toolEnvironment(QProcessEnvironment::systemEnvironment());
    desktop::ProcessToolRunner tools(env);
    w.busy().show(QStringLiteral("Setting Wallpaper..."));
    const desktop::SetWallpaperOutcome outcome = desktop::setWallpaper({page, {}, {}, {}}, store, env, tools);
    w.busy().hide();
    return outcome;
}

QCheckBox *flagBox(QWidget *parent, const SettingsStore &store, const char *name, const QString &caption,
                   const QString &key, bool def)
{
    auto *box = new QCheckBox(caption, parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setChecked(preferenceFlag(store, key, def));
    return box;
}

// The daily job may start without a display to ask; it uses what the window last saw.
void recordScreen(SettingsStore &store)
{
    if (QGuiApplication::platformName() == QLatin1String("offscreen") || QGuiApplication::platformName() == QLatin1String("minimal"))
        return;
    QSize largest;
    qreal ratio = 1.0;
    for (const QScreen *screen : QGuiApplication::screens()) {
        const QSize device = screen->geometry().size() * screen->devicePixelRatio();
        if (device.width() * device.height() > largest.width() * largest.height()) {
            largest = device;
            ratio = screen->devicePixelRatio();
        }
    }
    if (!largest.isValid())
        return;
    // Every write replaces the store file, so a start on the same screens writes nothing.
    const QString size = desktop::sizeText(largest);
    const QString ratioText = QString::number(ratio);
    if (getPreference(store, desktop::kSeenScreenKey) != size)
        setPreference(store, desktop::kSeenScreenKey, size);
    if (getPreference(store, desktop::kSeenRatioKey) != ratioText)
        setPreference(store, desktop::kSeenRatioKey, ratioText);
}

} // namespace

void installWallpaper(MainWindow &w, CreatePageCommand &command)
{
    FileSettingsStore store(FileSettingsStore::defaultPath());
    recordScreen(store);
    command.afterWritten = [&w](const QString &page) {
        FileSettingsStore store(FileSettingsStore::defaultPath());
        desktop::offerWallpaper(page, store, w.services().prompter, [&w](const QString &p) { return setNow(w, p); });
    };

    QWidget *others = w.tabPage(MainWindow::OthersTab);
    auto *group = new QGroupBox(QStringLiteral("Desktop wallpaper"), others);
    group->setObjectName(QStringLiteral("fraWallpaper"));
    auto *form = new QFormLayout(group);
    auto *after = new QComboBox(group);
    after->setObjectName(QStringLiteral("cmbAfterCreate"));
    after->addItems({QStringLiteral("ask"), QStringLiteral("always set it"), QStringLiteral("never")});
    after->setCurrentIndex(static_cast<int>(desktop::readWallpaperPreferences(store).afterCreate));
    form->addRow(QStringLiteral("After Create HTML:"), after);
    auto *daily = flagBox(group, store, "chkDailyWallpaper", QStringLiteral("Refresh the wallpaper every day and at login"),
                          desktop::kDailyWallpaperKey, false);
    auto *panel = flagBox(group, store, "chkMonthPanel", QStringLiteral("Show this month's panel open on the picture"),
                          desktop::kMonthPanelKey, true);
    auto *lock = flagBox(group, store, "chkLockScreen", QStringLiteral("Also set the lock screen picture"),
                         desktop::kLockScreenKey, false);
    auto *now = new QPushButton(QStringLiteral("Set Wallpaper Now"), group);
    now->setObjectName(QStringLiteral("cmdSetWallpaper"));
    now->setAutoDefault(false);
    form->addRow(daily);
    form->addRow(panel);
    form->addRow(lock);
    form->addRow(now);
    if (QLayout *layout = others->layout())
        layout->addWidget(group);

    QObject::connect(after, &QComboBox::activated, group, [](int index) {
        FileSettingsStore s(FileSettingsStore::defaultPath());
        desktop::setAfterCreate(s, static_cast<desktop::AfterCreate>(index));
    });
    QObject::connect(panel, &QCheckBox::clicked, group, [](bool on) {
        FileSettingsStore s(FileSettingsStore::defaultPath());
        setPreferenceFlag(s, desktop::kMonthPanelKey, on);
    });
    QObject::connect(lock, &QCheckBox::clicked, group, [](bool on) {
        FileSettingsStore s(FileSettingsStore::defaultPath());
        setPreferenceFlag(s, desktop::kLockScreenKey, on);
    });
    QObject::connect(daily, &QCheckBox::clicked, group, [&w](bool on) {
        FileSettingsStore s(FileSettingsStore::defaultPath());
        const desktop::ScheduleReport report =
            desktop::switchDailyTask(s, desktop::kDailyWallpaperKey, on, desktop::toolEnvironment(QProcessEnvironment::systemEnvironment()),
                                     QCoreApplication::applicationFilePath());
        if (!report.ok)
            w.services().prompter.ask(Message{report.lines.join(QLatin1Char('\n')), QStringLiteral("Wallpaper"),
                                              Icon::Exclamation, Buttons::Ok, Button::Ok});
    });
    QObject::connect(now, &QPushButton::clicked, group, [&w] {
        const desktop::SetWallpaperOutcome outcome = setNow(w, QString());
        w.services().prompter.ask(Message{desktop::outcomeText(outcome), QStringLiteral("Wallpaper"),
                                          outcome.ok ? Icon::Information : Icon::Exclamation, Buttons::Ok, Button::Ok});
    });
}

} // namespace dw
