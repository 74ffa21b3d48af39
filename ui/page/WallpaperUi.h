#pragma once

namespace dw {

class CreatePageCommand;
class MainWindow;

// The question after "Create HTML" and the "Desktop wallpaper" group of the Others tab.
void installWallpaper(MainWindow &w, CreatePageCommand &command);

} // namespace dw
