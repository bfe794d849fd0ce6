// SPDX-License-Identifier: MIT
#include "util/JxutilSystem.h"

#include "host/Forms.h"
#include "platform/Pointer.h"

namespace jxt {

void jxtSetScreenCursor(TCursor cursor)
{
    Screen()->SetCursor(cursor);
    platform::RefreshPointer();
}

} // namespace jxt
