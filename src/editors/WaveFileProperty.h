// SPDX-License-Identifier: MIT
// The designer's editor of the wave player's FileName.
#pragma once

#include "base/Export.h"
#include "host/designer/DesignRegistry.h"

namespace jxt {

/// The designer's editor of FileName: an open-file dialog for wave files.
class JXT_EXPORT TWaveFileProperty : public TStringProperty
{
public:
    using TStringProperty::TStringProperty;
    TPropertyAttributes GetAttributes() const override { return {paDialog}; }
    void Edit() override;
};

} // namespace jxt
