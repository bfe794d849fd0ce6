// SPDX-License-Identifier: MIT
// FireEvent: how a component fires one of its events. Every event is a std::function member
// (OnScroll) and a Qt signal (onScroll) of the same meaning; both are served by one call, which
// stops at once when the handler freed the component.
#pragma once

#include <QObject>
#include <QPointer>

#include <type_traits>

namespace jxt {

namespace detail {

/// The argument the signal receives for one the handler receives. A handler changes a value
/// through a reference; a Qt signal carries a pointer for it. So an argument that the signal's
/// parameter cannot take as it is goes there by its address.
template <class Param, class Arg> decltype(auto) SignalArgument(Arg &arg)
{
    if constexpr (!std::is_convertible_v<Arg &, Param>)
        return &arg;
    else
        return (arg);
}

} // namespace detail

/// Calls handler(args...) when it is set, then emits (self->*signal) with the same arguments
/// (values the handler may change go to the signal by address, see SignalArgument). Returns
/// false when the handler freed self: the signal is then not emitted, and the caller must not
/// touch self again. The handler is copied before the call, because freeing the component also
/// destroys the std::function that is running.
template <class Object, class Handler, class Owner, class... Params, class... Args>
bool FireEvent(Object *self, const Handler &handler, void (Owner::*signal)(Params...),
               Args &&...args)
{
    static_assert(sizeof...(Params) == sizeof...(Args),
                  "the handler and the signal of an event take the same arguments");
    const QPointer<QObject> alive(self);
    if (handler) {
        const Handler call = handler;
        call(args...);
        if (alive.isNull())
            return false;
    }
    Q_EMIT(static_cast<Owner *>(self)->*signal)
    (detail::SignalArgument<Params, std::remove_reference_t<Args>>(args)...);
    return !alive.isNull();
}

} // namespace jxt
