// SPDX-License-Identifier: MIT
// The designer's editor of the icon list box's IconFilename.
#pragma once

#include "base/Export.h"
#include "host/designer/DesignRegistry.h"

namespace jxt {

/// The designer's editor of IconFileName: an open-file dialog for programs and libraries.
class JXT_EXPORT TIcoFileProperty : public TStringProperty
{
public:
    using TStringProperty::TStringProperty;
    TPropertyAttributes GetAttributes() const override { return {paDialog}; }
    void Edit() override;
};

} // namespace jxt
