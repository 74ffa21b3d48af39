#include "app/CliModes.h"
#include "app/DesktopCli.h"
#include "app/InteropCli.h"
#include "app/DueCli.h"
#include "app/NotifyCli.h"
#include "app/SettingsCli.h"
#include "app/WriteHtmlCli.h"
#include "app/WritePreviewCli.h"

namespace dw {

// Each mode lives in its own file; add one line here for a new one. The two page writers stay
// first: the small program (LeanMain.cpp) runs them itself and chooses between them in this order.
const std::vector<CliMode> &cliModes()
{
    static const std::vector<CliMode> modes = {
        writeHtmlMode(),
        writePreviewMode(),
        exportSettingsMode(),
        importSettingsMode(),
        renderPageMode(),
        setWallpaperMode(),
        dailyMode(),
        dailyWallpaperMode(),
        importMode(),
        exportIcsMode(),
        dueMode(),
        notifyMode(),
    };
    return modes;
}

} // namespace dw
