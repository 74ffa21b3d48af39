#pragma once

#include "core/settings/SettingsGroups.h"

#include <array>

namespace dw::test {

// Every value a model saves, group by group, so one comparison covers all of them. Takes a copy:
// building the AutoC group empties half-filled pairs.
inline std::array<SettingPairs, 4> savedGroups(SettingsModel m)
{
    return {formatPairs(m), effectsPairs(m), positionPairs(m), autoCPairs(m)};
}

} // namespace dw::test
