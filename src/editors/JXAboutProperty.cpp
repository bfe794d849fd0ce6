// SPDX-License-Identifier: MIT
// The About_JXTools property editor.
#include "editors/JXAboutProperty.h"

#include "editors/JXTVersionForm.h"
#include "host/controls/Buttons.h"
#include "host/controls/ExtCtrls.h"
#include "host/controls/StdCtrls.h"

#include <memory>

namespace jxt {

namespace {

/// Library name and version shown at the top of the about form.
const char *const kLibraryVersionText = "JXTools V 3.0d";

} // namespace

TPropertyAttributes TJXAboutProperty::GetAttributes() const
{
    return {paDialog};
}

QString TJXAboutProperty::GetValue() const
{
    return QStringLiteral("Klick me..");
}

void TJXAboutProperty::Edit()
{
    // The form belongs to the application; the guard frees it also when showing fails.
    auto deleter = [](TfrmJXTVersion *f) { f->Free(); };
    std::unique_ptr<TfrmJXTVersion, decltype(deleter)> form(new TfrmJXTVersion(Application()),
                                                            deleter);
    form->lblJXTVersion->SetCaption(QString::fromLatin1(kLibraryVersionText));
    // Without a selected component the form still opens, with an empty class name.
    const TComponent *component = GetComponent(0);
    form->lblClassName->SetCaption(component ? component->ClassName() : QString());
    // "^M" in the version text marks a second line.
    QString stand = QStringLiteral("Stand : ") + GetStrValue();
    stand.replace(QLatin1String("^M"), QLatin1String("\n\r"));
    form->lblStand->SetCaption(stand);
    form->ShowModal();
}

} // namespace jxt
