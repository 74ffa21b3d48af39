#include "convert/CommandLine.h"
#include "convert/ConverterWindow.h"
#include "convert/QtConvPrompter.h"

#include <QApplication>
#include <QCoreApplication>
#include <cstdio>

namespace {

// Qt aborts when its default platform finds no display; say what to do instead.
bool displayReachable()
{
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY")
           || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

} // namespace

int main(int argc, char **argv)
{
    if (argc > 1) {
        QCoreApplication app(argc, argv);
        QTextStream out(stdout);
        QTextStream err(stderr);
        return dw::convert::runCommandLine(QCoreApplication::arguments().mid(1), out, err);
    }

    if (!displayReachable()) {
        std::fputs(qPrintable(dw::convert::noDisplayText()), stderr);
        return 1;
    }
    QApplication app(argc, argv);
    dw::convert::QtConvPrompter prompter;
    dw::convert::ConverterWindow window(prompter);
    prompter.setParent(&window);
    window.show();
    return app.exec();
}
