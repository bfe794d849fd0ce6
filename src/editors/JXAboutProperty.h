// SPDX-License-Identifier: MIT
// The editor of every component's About_JXTools property: the inspector shows "Klick me..",
// and its dialog button opens the about form with the component's class name and the date
// of its unit.
#pragma once

#include "base/Export.h"

#include "host/designer/DesignRegistry.h"

namespace jxt {

/// The editor of the About_JXTools property: shows "Klick me.."; its dialog button opens the
/// about form.
class JXT_EXPORT TJXAboutProperty : public TStringProperty
{
public:
    using TStringProperty::TStringProperty;

    /// paDialog alone: an ellipsis button, no in-place editing, no value list.
    TPropertyAttributes GetAttributes() const override;
    /// "Klick me.." whatever the component.
    QString GetValue() const override;
    /// Shows the about form modally for the first selected component, then frees it.
    void Edit() override;
};

} // namespace jxt
