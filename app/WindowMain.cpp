#include "app/CliModes.h"
#include "app/PageCliArgs.h"
#include "ui/AppServices.h"
#include "ui/MainWindow.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

namespace {

void printHelp()
{
    std::fputs("Usage: wrenpad [LIST.dwe]\n"
               "       wrenpad --help | --version\n", stdout);
    for (const auto &mode : dw::cliModes())
        std::printf("       wrenpad %s\n", qPrintable(mode.synopsis));
    std::fputs("\nWith a list file (extension .dwe) the window opens with that list.\n", stdout);
    for (const auto &mode : dw::cliModes())
        std::printf("\n%s\n%s\n", qPrintable(mode.synopsis), qPrintable(mode.help));
}

// Without a display the toolkit would abort with a message few people understand.
bool displayAvailable()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
           || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

// With DATEWREN_STARTUP_PROBE set, the window says "first frame" on stderr when it has painted
// for the first time, and the process ends there: the start-up benchmark times the real program
// from its launch to that line.
class FirstFrameProbe : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            // After the paint has been handed to the screen; nothing is saved on the way out.
            QTimer::singleShot(0, [] {
                std::fputs("first frame\n", stderr);
                std::fflush(stderr);
                std::_Exit(0);
            });
        }
        return false;
    }

private:
    bool seen_ = false;
};

} // namespace

// Everything but the two page writers: the small wrenpad program loads this part only when it
// is asked for a window or another mode (see LeanMain.cpp).
extern "C" __attribute__((visibility("default"))) int dw_window_main(int argc, char **argv)
{
    // The page renderer and the preview share the engine's GL contexts; the engine asks for
    // this before the application exists.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);

    if (!args.isEmpty() && args.first().startsWith(QLatin1String("--"))) {
        const QString option = args.first();
        if (option == QLatin1String("--help") || option == QLatin1String("-h")) {
            printHelp();
            return 0;
        }
        if (option == QLatin1String("--version")) {
            std::puts("wrenpad 7.0.3");
            return 0;
        }
        for (const auto &mode : dw::cliModes()) {
            if (args.contains(mode.option)) {
                dw::prepareWindowlessMode();
                if (!mode.gui) {
                    QCoreApplication app(argc, argv);
                    return mode.run(args);
                }
                QApplication app(argc, argv);
                return mode.run(args);
            }
        }
        std::fprintf(stderr, "wrenpad: unknown option %s (see wrenpad --help)\n", qPrintable(option));
        return 2;
    }

    if (!displayAvailable()) {
        std::fputs("wrenpad: no display found. wrenpad is a desktop program and needs a graphical\n"
                   "session (DISPLAY or WAYLAND_DISPLAY is not set).\n"
                   "Without one, run it under a virtual display:\n"
                   "    xvfb-run -a scripts/run.sh [LIST.dwe]\n"
                   "(xvfb-run comes with the Debian package xvfb; scripts/install-deps.sh installs it.)\n",
                   stderr);
        return 3;
    }

    QApplication app(argc, argv);
    dw::DesktopServices desktop;
    dw::MainWindow window(desktop.services());
    desktop.setDialogOwner(&window);
    if (qEnvironmentVariableIsSet("DATEWREN_STARTUP_PROBE"))
        window.installEventFilter(new FirstFrameProbe(&window));
    // The argument text as one line, the way the desktop hands over a file to open with us.
    window.startUp(args.join(QLatin1Char(' ')));
    return app.exec();
}
