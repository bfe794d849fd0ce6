// SPDX-License-Identifier: MIT
// The designer's editor of the form background's FillStyle.
#pragma once

#include "base/Export.h"
#include "host/designer/DesignRegistry.h"

namespace jxt {

/// Edits FillStyle, FillBitmap and the two ramp colours of a TJXForm in the fill style editor
/// (TfrmFillStyleEd); OK writes them back, in that order, through the component's setters.
class JXT_EXPORT TJXFillStyleProperty : public TPropertyEditor
{
public:
    using TPropertyEditor::TPropertyEditor;
    /// paDialog alone.
    TPropertyAttributes GetAttributes() const override;
    /// The style's entry of the form background's table: "NONE", "BITMAP", "vRAINBOW",
    /// "hRAINBOW" or a pattern's resource name ("JXFWEAVE").
    QString GetValue() const override;
    void Edit() override;
};

} // namespace jxt
