// SPDX-License-Identifier: MIT
// The designer's editor of the frame animation's Picture.
#pragma once

#include "base/Export.h"
#include "host/designer/DesignRegistry.h"

namespace jxt {

/// Edits Picture, Cols and Rows of a TJXAnimate in the animation editor (TfrmAnimEd); OK
/// writes the three back through the component's setters, anything else changes nothing.
class JXT_EXPORT TJXAnimProperty : public TPropertyEditor
{
public:
    using TPropertyEditor::TPropertyEditor;
    /// paDialog alone.
    TPropertyAttributes GetAttributes() const override;
    /// "(Animation)" when the picture has a width, else "(Leer)".
    QString GetValue() const override;
    void Edit() override;
};

} // namespace jxt
