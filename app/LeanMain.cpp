#include "app/PageCliArgs.h"
#include "app/WriteHtmlCli.h"
#include "app/WritePreviewCli.h"

#include <QApplication>
#include <cstdio>
#include <dlfcn.h>
#include <string>
#include <unistd.h>

// The two page writers are what scripts and panels run most, often on big lists. They need the
// fonts but neither the window nor the web engine, and loading those costs more than writing a
// page of ten thousand events. So this small program runs them itself and loads the rest of
// wrenpad (the window and every other mode) from its module only when asked for it.

namespace {

using WindowMain = int (*)(int, char **);

std::string programFolder()
{
    char path[4096];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0)
        return ".";
    std::string dir(path, size_t(n));
    const size_t slash = dir.rfind('/');
    return slash == std::string::npos ? std::string(".") : dir.substr(0, slash);
}

int runWindowPart(int argc, char **argv)
{
    const std::string folder = programFolder();
    // Beside the program in a build folder; in its library folder once installed.
    std::string error;
    for (const std::string &module : {folder + "/wrenpad-window.so", folder + "/" DW_WINDOW_MODULE_FROM_BIN}) {
        void *handle = dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle) {
            error = dlerror();
            continue;
        }
        if (auto run = reinterpret_cast<WindowMain>(dlsym(handle, "dw_window_main")))
            return run(argc, argv);
        error = dlerror();
    }
    std::fprintf(stderr, "wrenpad: its window part could not be loaded: %s\n", error.c_str());
    return 1;
}

} // namespace

int main(int argc, char **argv)
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    const auto pageMode = [&]() -> int (*)(const QStringList &) {
        if (args.isEmpty() || !args.first().startsWith(QLatin1String("--")) || args.first() == QLatin1String("--help")
            || args.first() == QLatin1String("-h") || args.first() == QLatin1String("--version"))
            return nullptr;
        // The same choice as the mode table makes: these two come first in it.
        if (args.contains(QLatin1String("--write-html")))
            return dw::writeHtmlCli;
        if (args.contains(QLatin1String("--write-preview")))
            return dw::writePreviewCli;
        return nullptr;
    }();
    if (!pageMode)
        return runWindowPart(argc, argv);

    dw::prepareWindowlessMode();
    QApplication app(argc, argv);
    return pageMode(args);
}
