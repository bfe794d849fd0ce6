// SPDX-License-Identifier: MIT
// Jxutil: the design-time guard against a second form-bound component on one form.
#include "util/JxutilSystem.h"

#include "host/controls/Forms.h"

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
        throw TFormNotOwner(QStringLiteral("Der Besitzer von ") + className +
                            QStringLiteral(" muß ein Formular sein TForm"));
    int count = 0;
    for (int i = 0; i < form->ComponentCount(); ++i)
        if (form->Components(i)->metaObject()->inherits(guarded))
            ++count;
    if (count >= 2)
        throw TDuplicateComponent(QStringLiteral("Auf diesem Formular existiert schon eine ") +
                                  className + QStringLiteral(" Komponente"));
}

} // namespace jxt
