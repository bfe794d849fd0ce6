// SPDX-License-Identifier: MIT
// The mouse pointer and the system beep.
#pragma once

namespace jxt::platform {

/// Moves the mouse pointer to where it is, so that the window system shows a newly set
/// cursor shape at once instead of at the next mouse move. Does nothing without a screen
/// that has a pointer (headless runs).
void RefreshPointer();

/// Number of times RefreshPointer moved the pointer or was asked to (for diagnostics).
int PointerRefreshCount();

/// Plays the system's default sound (type is the sound's kind; 0 is the default beep).
void MessageBeep(unsigned type = 0);

/// Number of beeps requested so far (for diagnostics and tests).
int MessageBeepCount();

} // namespace jxt::platform
