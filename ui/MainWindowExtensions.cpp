#include "ui/MainWindow.h"

namespace dw {

// Each part of the program that adds widgets, commands, start-up or exit steps or keys to the
// main window declares its installer here and calls it below: one line each.
void installEditing(MainWindow &window);
void installSettings(MainWindow &window);
void installPreview(MainWindow &window);
void installHelp(MainWindow &window);
void installFileTypeRegistration(MainWindow &window);
void installPage(MainWindow &window);
void installInterop(MainWindow &window);

void installExtensions(MainWindow &window)
{
    (void)window;
    installEditing(window);
    installSettings(window); // before the preview: its tab refreshes the settings first
    installPreview(window);
    installHelp(window);
    installFileTypeRegistration(window);
    installPage(window);
    installInterop(window);
}

} // namespace dw
