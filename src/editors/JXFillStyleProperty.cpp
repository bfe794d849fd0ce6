// SPDX-License-Identifier: MIT
// The designer's editor of the form background's FillStyle.
#include "editors/JXFillStyleProperty.h"

#include "editors/JXFillStylePropertyForm.h"
#include "effects/JXForm.h"
#include "host/controls/ExtCtrls.h"

#include <memory>

namespace jxt {

TPropertyAttributes TJXFillStyleProperty::GetAttributes() const
{
    return {paDialog};
}

QString TJXFillStyleProperty::GetValue() const
{
    const auto *form = qobject_cast<const TJXForm *>(GetComponent(0));
    const std::size_t style = form ? std::size_t(form->FillStyle()) : 0;
    return QString::fromLatin1(TJXForm::FillString.at(style));
}

void TJXFillStyleProperty::Edit()
{
    auto *component = qobject_cast<TJXForm *>(GetComponent(0));
    if (!component)
        return;
    auto deleter = [](TfrmFillStyleEd *f) { f->Free(); };
    std::unique_ptr<TfrmFillStyleEd, decltype(deleter)> form(new TfrmFillStyleEd(Application()),
                                                             deleter);
    form->Image1->Picture()->SetBitmap(component->FillBitmap());
    fedFillStyle = component->FillStyle();
    form->panFromColor->SetColor(component->RBFromColor());
    form->panToColor->SetColor(component->RBToColor());
    if (form->ShowModal() != mrOk)
        return;
    component->SetFillBitmap(form->Image1->Picture()->Bitmap());
    component->SetRBFromColor(form->panFromColor->Color());
    component->SetRBToColor(form->panToColor->Color());
    component->SetFillStyle(fedFillStyle);
}

} // namespace jxt
