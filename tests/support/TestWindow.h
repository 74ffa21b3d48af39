#pragma once

#include "platform/Clock.h"
#include "platform/Shell.h"
#include "platform/SystemPaths.h"
#include "tests/support/FakeFontCatalog.h"
#include "tests/support/ScriptedPrompter.h"
#include "ui/MainWindow.h"

#include <QAction>
#include <QMenu>
#include <QStringList>
#include <functional>

namespace dw::test {

// Records what the window asked the desktop to open, each with what `note` says at that moment;
// `result` is what opening reports.
struct RecordingShell final : Shell {
    QStringList opened;
    bool result = true;
    std::function<QString()> note = [] { return QString(); };
    bool open(const QString &p) override
    {
        opened << p + note();
        return result;
    }
};

// The doubles a main window runs on, held apart from the window so a test can build several
// windows (or none) on the same services. Today is 5 March 2026.
struct WindowServices {
    ScriptedPrompter prompter;
    FixedClock clock{2026, 3, 5};
    FakeFontCatalog fonts;
    RecordingShell shell;
    XdgSystemPaths paths;
    AppServices services() { return AppServices{prompter, clock, fonts, shell, paths}; }
};

// A menu's captions in order, "-" for a separator; with names, each as "objectName=caption".
inline QString menuCaptions(const QMenu *menu, bool withNames = false)
{
    QStringList out;
    for (const QAction *a : menu->actions())
        out << (withNames ? a->objectName() + QLatin1Char('=') : QString()) + (a->isSeparator() ? QStringLiteral("-") : a->text());
    return out.join(QLatin1Char('|'));
}

// A main window on the doubles above.
struct TestWindow : WindowServices {
    MainWindow window{services()};
};

} // namespace dw::test
