// SPDX-License-Identifier: MIT
#include "platform/Session.h"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusObjectPath>
#include <QDBusReply>

#include <unistd.h>

namespace jxt::platform {

namespace {

const char *const kService = "org.freedesktop.login1";
const char *const kManagerPath = "/org/freedesktop/login1";
const char *const kManager = "org.freedesktop.login1.Manager";
const char *const kSession = "org.freedesktop.login1.Session";

TSessionEndHandler &Current()
{
    static TSessionEndHandler handler = LogindSessionEnd;
    return handler;
}

} // namespace

bool LogindSessionEnd(TSessionEnd request)
{
    if (qEnvironmentVariableIsSet("JXT_TEST"))
        return false;
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected())
        return false;
    QDBusInterface manager(QLatin1String(kService), QLatin1String(kManagerPath),
                           QLatin1String(kManager), bus);
    if (!manager.isValid())
        return false;
    switch (request) {
    case TSessionEnd::Logoff: {
        const QDBusReply<QDBusObjectPath> session =
            manager.call(QStringLiteral("GetSessionByPID"), quint32(::getpid()));
        if (!session.isValid())
            return false;
        QDBusInterface own(QLatin1String(kService), session.value().path(), QLatin1String(kSession),
                           bus);
        return own.isValid() && QDBusReply<void>(own.call(QStringLiteral("Terminate"))).isValid();
    }
    case TSessionEnd::Reboot:
        return QDBusReply<void>(manager.call(QStringLiteral("Reboot"), true)).isValid();
    case TSessionEnd::PowerOff:
        return QDBusReply<void>(manager.call(QStringLiteral("PowerOff"), true)).isValid();
    }
    return false;
}

TSessionEndHandler SetSessionEndHandler(TSessionEndHandler handler)
{
    if (!handler)
        handler = LogindSessionEnd;
    std::swap(Current(), handler);
    return handler;
}

bool RequestSessionEnd(TSessionEnd request)
{
    return Current()(request);
}

} // namespace jxt::platform
