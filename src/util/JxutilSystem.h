// SPDX-License-Identifier: MIT
// Jxutil: helpers around the running system.
#pragma once

#include "host/Controls.h"
#include "host/Export.h"

namespace jxt {

/// Sets the cursor of the whole application (Screen->Cursor) and shows it at once, without
/// waiting for the next mouse move. -11 (crHourGlass) marks a busy phase; crDefault gives
/// every control its own cursor back.
JXT_EXPORT void jxtSetScreenCursor(TCursor cursor);

} // namespace jxt
