// SPDX-License-Identifier: MIT
#include "platform/Tray.h"

#include <QSystemTrayIcon>

namespace jxt::platform {

namespace {

std::optional<bool> &FixedAnswer()
{
    static std::optional<bool> answer;
    return answer;
}

} // namespace

bool SystemTrayAvailable()
{
    if (FixedAnswer())
        return *FixedAnswer();
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void SetSystemTrayAvailable(std::optional<bool> answer)
{
    FixedAnswer() = answer;
}

} // namespace jxt::platform
