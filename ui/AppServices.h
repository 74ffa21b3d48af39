#pragma once

#include "platform/Clock.h"
#include "platform/FontCatalog.h"
#include "platform/Prompter.h"
#include "platform/Shell.h"
#include "platform/SystemPaths.h"

#include <memory>

namespace dw {

// The outside world as the main window sees it. Tests hand in scripted stand-ins; main() hands
// in the real ones from DesktopServices. The window never owns these.
struct AppServices {
    Prompter &prompter;
    Clock &clock;
    FontCatalog &fonts;
    Shell &shell;
    SystemPaths &paths;
};

// Owns the real desktop implementations for one run of the program.
class DesktopServices {
public:
    DesktopServices();
    ~DesktopServices();
    AppServices services();
    // Message boxes and dialogs belong to the main window once it exists.
    void setDialogOwner(QWidget *owner);

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace dw
