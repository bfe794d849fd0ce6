// SPDX-License-Identifier: MIT
// Cursor resources of the library: 32 x 32 cursors stored as .cur files with their hot spots.
#pragma once

#include "base/Export.h"
#include "host/core/SysUtils.h"

#include <QCursor>
#include <QString>

namespace jxt {

/// Loads the library's cursor resource of that name (case-insensitive) with the hot spot
/// stored in it; hotSpot, when given, receives it. Throws Exception when there is no such
/// resource or it cannot be read.
JXT_EXPORT QCursor LoadCursorFromResourceName(const QString &name, TPoint *hotSpot = nullptr);

} // namespace jxt
