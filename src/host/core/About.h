// SPDX-License-Identifier: MIT
// The About pseudo-property every registered component publishes first: a read-only short
// string (at most 40 characters) holding the date of the component's unit.
#pragma once

#include "base/Export.h"

#include <QMetaType>
#include <QString>

namespace jxt {

/// A short string of at most 40 characters; longer texts are cut.
class JXT_EXPORT TJXAboutString : public QString
{
public:
    TJXAboutString() = default;
    /// The first 40 characters of text (UTF-8 for a C string).
    //!@{
    TJXAboutString(const QString &text) : QString(text.left(40)) {}
    TJXAboutString(const char *text) : TJXAboutString(QString::fromUtf8(text)) {}
    //!@}
};

/// Registers the conversions that let QVariant read a TJXAboutString as text.
JXT_EXPORT void RegisterAboutStringType();

} // namespace jxt

Q_DECLARE_METATYPE(jxt::TJXAboutString)

/// Gives a component class the getter and setter of its About_JXTools property; the class
/// declares `Q_PROPERTY(jxt::TJXAboutString About_JXTools READ GetAboutJXT WRITE SetAboutJXT)`
/// first and names its unit's version constant here.
#define JXT_ABOUT(versionConstant)                                                                 \
public:                                                                                            \
    jxt::TJXAboutString GetAboutJXT() const                                                        \
    {                                                                                              \
        return jxt::TJXAboutString(versionConstant);                                               \
    }                                                                                              \
    void SetAboutJXT(const jxt::TJXAboutString &) {}                                               \
                                                                                                   \
private:
