#pragma once

#include "desktop/Tools.h"

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace dw::desktop {

struct Picture {
    QString path; // absolute
    bool lockScreen = false;
    QStringList connectors; // connected screens (e.g. "eDP-1"), for desktops keyed by monitor
};

struct ApplyResult {
    bool ok = false;
    QStringList done;  // each command that ran, as a line
    QString error;     // the failing tool's own message
};

// One desktop family: which sessions it recognises and how it sets a picture.
class WallpaperBackend {
public:
    virtual ~WallpaperBackend() = default;
    virtual QString name() const = 0;
    // True when the environment names this desktop.
    virtual bool detect(const QProcessEnvironment &env) const = 0;
    virtual ApplyResult apply(const Picture &picture, ToolRunner &tools) const = 0;
};

// Every backend in detection order; the plain X11 one comes last.
const std::vector<std::unique_ptr<WallpaperBackend>> &wallpaperBackends();

// The backend for the session, or null. XDG_CURRENT_DESKTOP (a colon-separated list) decides
// first, then DESKTOP_SESSION, then the session type; `recorded` (a desktop seen by an
// earlier run in the session) stands in when the environment names none.
const WallpaperBackend *detectDesktop(const QProcessEnvironment &env, const QString &recorded = {});

// What the environment says about the desktop, for messages ("ubuntu:GNOME", or "none").
QString seenDesktop(const QProcessEnvironment &env);

// Runs the commands in order and stops at the first failure.
ApplyResult runAll(const std::vector<Command> &commands, ToolRunner &tools);

} // namespace dw::desktop
