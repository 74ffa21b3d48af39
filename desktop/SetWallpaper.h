#pragma once

#include "desktop/Tools.h"

#include <QDate>
#include <QProcessEnvironment>
#include <QSize>
#include <QString>
#include <QStringList>

namespace dw {
class SettingsStore;
}

namespace dw::desktop {

struct SetWallpaperRequest {
    QString pagePath; // empty: the page "Create HTML" wrote last
    QSize size;       // invalid: the largest connected screen, else the recorded one, else 1920x1080
    QDate today;      // invalid: the real date
    QString pictureFolder; // empty: the default folder
};

struct SetWallpaperOutcome {
    bool ok = false;
    QString desktop;  // the backend used, or what the environment said
    QString picture;  // where the picture is (also after a failure, to set it by hand)
    QStringList done; // what was run
    QString error;
};

// Renders the page into a new picture and sets it on the running desktop; the portal is the
// last try when no desktop is recognised or the desktop's own tool fails.
SetWallpaperOutcome setWallpaper(const SetWallpaperRequest &request, const SettingsStore &store,
                                 const QProcessEnvironment &env, ToolRunner &tools);

// The size the picture gets when none is asked for, and the pixel ratio that goes with it.
QSize pictureSize(const SettingsStore &store, qreal *ratio);

// The report for the user: what was found and done, or what was tried and where the picture is.
QString outcomeText(const SetWallpaperOutcome &outcome);

// The environment for desktop tools: a thin one (a timer's service) gets the session bus at
// its usual place when it names none, since gsettings and xfconf need it.
QProcessEnvironment toolEnvironment(QProcessEnvironment env);

} // namespace dw::desktop
