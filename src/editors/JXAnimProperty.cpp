// SPDX-License-Identifier: MIT
// The designer's editor of the frame animation's Picture.
#include "editors/JXAnimProperty.h"

#include "editors/JXAnimPropertyForm.h"
#include "effects/JXAnimate.h"
#include "host/controls/ExtCtrls.h"
#include "host/controls/StdCtrls.h"

#include <memory>

namespace jxt {

TPropertyAttributes TJXAnimProperty::GetAttributes() const
{
    return {paDialog};
}

QString TJXAnimProperty::GetValue() const
{
    const auto *animate = qobject_cast<const TJXAnimate *>(GetComponent(0));
    return animate && animate->Picture()->Width() != 0 ? QStringLiteral("(Animation)")
                                                       : QStringLiteral("(Leer)");
}

void TJXAnimProperty::Edit()
{
    auto *animate = qobject_cast<TJXAnimate *>(GetComponent(0));
    if (!animate)
        return;
    // The form belongs to the application; the guard frees it also when showing fails.
    auto deleter = [](TfrmAnimEd *f) { f->Free(); };
    std::unique_ptr<TfrmAnimEd, decltype(deleter)> form(new TfrmAnimEd(Application()), deleter);
    form->Image->Picture()->SetBitmap(animate->Picture());
    form->hsbCols->SetPosition(animate->Cols());
    form->hsbRows->SetPosition(animate->Rows());
    if (form->ShowModal() != mrOk)
        return;
    animate->SetPicture(form->Bitmap());
    animate->SetCols(form->hsbCols->Position());
    animate->SetRows(form->hsbRows->Position());
}

} // namespace jxt
