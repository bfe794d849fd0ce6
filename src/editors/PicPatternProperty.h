// SPDX-License-Identifier: MIT
// The designer's editor of the picture list box's PicPattern.
#pragma once

#include "base/Export.h"
#include "host/designer/DesignRegistry.h"

namespace jxt {

/// The designer's editor of PicPattern: a directory picker whose choice becomes the
/// directory followed by "\*.*".
class JXT_EXPORT TPicPatternProperty : public TStringProperty
{
public:
    using TStringProperty::TStringProperty;
    /// paDialog alone.
    TPropertyAttributes GetAttributes() const override { return {paDialog}; }
    /// Opens the directory picker at the directory of the current value.
    void Edit() override;
};

} // namespace jxt
