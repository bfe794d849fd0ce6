// SPDX-License-Identifier: MIT
// Jxutil: the design-time guard against a second form-bound component on one form.
#include "util/JxutilSystem.h"

#include "host/controls/Forms.h"
#include <QCoreApplication>

namespace jxt {

void jxtCheckSingleInstance(TComponent *component)
{
    if (!component || !component->ComponentState().Contains(csDesigning))
        return;
    // Called from a constructor, the meta-object is that of the class being constructed, so
    // a derived class still counts as the guarded class.
    const QMetaObject *guarded = component->metaObject();
    const QString className = component->ClassName();
    auto *form = qobject_cast<TForm *>(component->Owner());
    if (!form)
        throw TFormNotOwner(QCoreApplication::translate(
                                "jxtpack", "Der Besitzer von %1 muß ein Formular sein TForm")
                                .arg(className));
    int count = 0;
    for (int i = 0; i < form->ComponentCount(); ++i)
        if (form->Components(i)->metaObject()->inherits(guarded))
            ++count;
    if (count >= 2)
        throw TDuplicateComponent(
            QCoreApplication::translate("jxtpack",
                                        "Auf diesem Formular existiert schon eine %1 Komponente")
                .arg(className));
}

} // namespace jxt
