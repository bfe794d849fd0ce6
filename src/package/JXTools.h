// SPDX-License-Identifier: MIT
// Registration of the library in the designer: the components on the palette page
// "JX Tools", in their fixed order, and the property editors.
#pragma once

#include "base/Export.h"

#include <QString>
#include <QStringList>

namespace jxt {
namespace JXTools {

/// The name of the palette page.
inline const QString kPalettePage = QStringLiteral("JX Tools");

/// The palette order: the class names of every component the library puts on its page.
JXT_EXPORT const QStringList &PaletteClassNames();

/// Puts the library's components on the "JX Tools" page in palette order and binds the
/// property editors. Calling it again changes nothing.
JXT_EXPORT void Register();

} // namespace JXTools
} // namespace jxt
