#include "platform/linux/FileTypeRegistrar.h"
#include "ui/MainWindow.h"

#include <QCoreApplication>

namespace dw {

// The last start-up step: list files open with this program from the file manager. Written at
// every start, so a moved program is found again.
void installFileTypeRegistration(MainWindow &window)
{
    window.startupHooks().registerFileType = [&window] {
        FileTypeRecord record;
        record.program = QCoreApplication::applicationFilePath();
        FileTypeRegistrar(window.services().paths.dataHome()).registerFileType(record);
    };
}

} // namespace dw
