#include "app/CliModes.h"

namespace dw {

// Each mode lives in its own file; add one line here for a new one.
const std::vector<CliMode> &cliModes()
{
    static const std::vector<CliMode> modes = {
    };
    return modes;
}

} // namespace dw
