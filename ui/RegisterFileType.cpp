#include "platform/InstallLayout.h"
#include "platform/linux/FileTypeRegistrar.h"
#include "ui/MainWindow.h"

#include <QCoreApplication>

namespace dw {

// The last start-up step: list files open with this program from the file manager. Written at
// every start, so a moved program is found again. An installed program is already known to the
// desktop through the package's own files, and registering it again per user would list it twice.
void installFileTypeRegistration(MainWindow &window)
{
    window.startupHooks().registerFileType = [&window] {
        if (install::isInstalledProgram(window.services().paths.programDir()))
            return;
        FileTypeRecord record;
        record.program = QCoreApplication::applicationFilePath();
        FileTypeRegistrar(window.services().paths.dataHome()).registerFileType(record);
    };
}

} // namespace dw
