#include "ui/AppServices.h"

#include "platform/qt/QtFontCatalog.h"
#include "platform/qt/QtPrompter.h"
#include "platform/qt/QtShell.h"

namespace dw {

struct DesktopServices::Impl {
    QtPrompter prompter;
    SystemClock clock;
    QtFontCatalog fonts;
    QtShell shell;
    XdgSystemPaths paths;
};

DesktopServices::DesktopServices() : d(std::make_unique<Impl>()) {}
DesktopServices::~DesktopServices() = default;

AppServices DesktopServices::services()
{
    return AppServices{d->prompter, d->clock, d->fonts, d->shell, d->paths};
}

void DesktopServices::setDialogOwner(QWidget *owner)
{
    d->prompter.setOwner(owner);
}

} // namespace dw
