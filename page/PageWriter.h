#pragma once

namespace dw {
// The wallpaper page writer lives here.
}
