// SPDX-License-Identifier: MIT
// The desktop's system tray (notification area).
#pragma once

#include "base/Export.h"

#include <optional>

namespace jxt::platform {

/// Whether the desktop shows application icons in a system tray, so that an icon placed
/// there can be clicked. Many desktops have none.
JXT_EXPORT bool SystemTrayAvailable();

/// Fixes the answer of SystemTrayAvailable (tests, and programs that know better);
/// std::nullopt asks the desktop again.
JXT_EXPORT void SetSystemTrayAvailable(std::optional<bool> answer);

} // namespace jxt::platform
