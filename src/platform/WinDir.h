// SPDX-License-Identifier: MIT
// The Windows directory of the emulated system: where INI files named without a directory live.
#pragma once

#include <QString>

namespace jxt {

/// The directory that stands for the Windows directory, without a trailing separator:
/// $JXT_WINDIR when set, otherwise $XDG_CONFIG_HOME/jxtpack/windows (or
/// ~/.config/jxtpack/windows when XDG_CONFIG_HOME is unset or relative). The directory is
/// created when it does not exist yet.
QString WindowsDirectory();

} // namespace jxt
