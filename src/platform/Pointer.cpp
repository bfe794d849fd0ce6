// SPDX-License-Identifier: MIT
#include "platform/Pointer.h"

#include <QApplication>
#include <QCursor>
#include <QGuiApplication>

namespace jxt::platform {

namespace {
int g_refreshes = 0;
int g_beeps = 0;
} // namespace

void RefreshPointer()
{
    ++g_refreshes;
    if (!QGuiApplication::instance() ||
        QGuiApplication::platformName() == QLatin1String("offscreen"))
        return;
    QCursor::setPos(QCursor::pos());
}

int PointerRefreshCount()
{
    return g_refreshes;
}

void MessageBeep(unsigned)
{
    ++g_beeps;
    if (qobject_cast<QApplication *>(QCoreApplication::instance()))
        QApplication::beep();
}

int MessageBeepCount()
{
    return g_beeps;
}

} // namespace jxt::platform
