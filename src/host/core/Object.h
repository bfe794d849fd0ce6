// SPDX-License-Identifier: MIT
// The root classes of the host layer: TObject (a polymorphic root that knows its class
// name) and TPersistent (an object whose state can be copied with Assign).
#pragma once

#include "base/Export.h"

#include <QString>

namespace jxt {

/// The polymorphic root of the host layer's classes; it knows its class name.
class JXT_EXPORT TObject
{
public:
    virtual ~TObject() = default;
    /// The class name without namespace, e.g. "TJXGauge".
    virtual QString ClassName() const;
    /// Whether the object is a T or derives from it.
    template <typename T> bool InheritsFrom() const
    {
        return dynamic_cast<const T *>(this) != nullptr;
    }
};

/// An object whose state can be copied into another with Assign.
class JXT_EXPORT TPersistent : public TObject
{
public:
    /// Copies the state of source into this object. The default asks the source (AssignTo);
    /// incompatible classes and nullptr throw EConvertError.
    virtual void Assign(const TPersistent *source);

protected:
    /// Lets source classes copy themselves into destinations that do not know them.
    virtual void AssignTo(TPersistent *dest) const;
};

/// The class name of any polymorphic object, as TObject::ClassName gives it.
JXT_EXPORT QString ClassNameOf(const std::type_info &type);

} // namespace jxt
