// SPDX-License-Identifier: MIT
// Ending the user's session or the machine's run: one replaceable handler, so an
// application may ask first and tests observe the request instead of ending their own
// session. The real handler asks the login manager (systemd-logind) over the system D-Bus.
#pragma once

#include <functional>

namespace jxt::platform {

enum class TSessionEnd {
    Logoff,   ///< end the user's session (every program of it closes)
    Reboot,   ///< restart the machine
    PowerOff, ///< shut the machine down
};

/// Carries out a request; true when the login manager accepted it.
using TSessionEndHandler = std::function<bool(TSessionEnd)>;

/// The real handler: Session.Terminate of the caller's own session, Manager.Reboot or
/// Manager.PowerOff of org.freedesktop.login1 (interactive, so the system's policy may ask
/// the user for permission). Refuses (false, sending nothing) when the environment variable
/// JXT_TEST is set, so a test run never ends a session even without its own handler.
bool LogindSessionEnd(TSessionEnd request);

/// Installs handler (an empty one restores LogindSessionEnd) and returns the previous one.
TSessionEndHandler SetSessionEndHandler(TSessionEndHandler handler);

/// Passes request to the handler in use.
bool RequestSessionEnd(TSessionEnd request);

} // namespace jxt::platform
