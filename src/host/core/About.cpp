// SPDX-License-Identifier: MIT
#include "host/core/About.h"

namespace jxt {

void RegisterAboutStringType()
{
    static const bool done = [] {
        QMetaType::registerConverter<TJXAboutString, QString>(
            [](const TJXAboutString &s) { return QString(s); });
        return true;
    }();
    (void)done;
}

namespace {
// Registered at load time so every QVariant holding the type converts to text.
const int kRegistered = (RegisterAboutStringType(), 0);
} // namespace

} // namespace jxt
