// SPDX-License-Identifier: MIT
// The design-time guard against a second form-bound component: duplicates (also of derived
// classes) and owners that are not forms are refused with their German messages; at run time
// nothing is checked.
#include "util/JxutilSystem.h"

#include "host/controls/ExtCtrls.h"
#include "host/controls/Forms.h"
#include "host/controls/Menus.h"

#include <gtest/gtest.h>

#include <memory>

using namespace jxt;

namespace {

std::unique_ptr<TForm> DesignedForm()
{
    auto form = std::make_unique<TForm>();
    form->SetDesigning(true);
    return form;
}

} // namespace

TEST(JxutilSingleInstance, FirstComponentOfItsClassOnADesignedFormPasses)
{
    auto form = DesignedForm();
    auto *first = new TCustomControl(form.get());
    new TPopupMenu(form.get()); // another class does not count
    EXPECT_NO_THROW(jxtCheckSingleInstance(first));
}

TEST(JxutilSingleInstance, SecondComponentOfTheClassOrADerivedOneIsRefused)
{
    auto form = DesignedForm();
    new TPanel(form.get()); // derived from TCustomControl
    auto *second = new TCustomControl(form.get());
    try {
        jxtCheckSingleInstance(second);
        FAIL() << "no exception";
    } catch (const TDuplicateComponent &e) {
        EXPECT_EQ(
            e.Message(),
            QStringLiteral("Auf diesem Formular existiert schon eine TCustomControl Komponente"));
    }
    // A plain base-class component is not of the guarded class: a single TPanel passes.
    auto other = DesignedForm();
    new TCustomControl(other.get());
    EXPECT_NO_THROW(jxtCheckSingleInstance(new TPanel(other.get())));
}

TEST(JxutilSingleInstance, OwnerThatIsNoFormIsRefused)
{
    TPanel owner;
    owner.SetDesigning(true);
    auto *component = new TPopupMenu(&owner);
    try {
        jxtCheckSingleInstance(component);
        FAIL() << "no exception";
    } catch (const TFormNotOwner &e) {
        EXPECT_EQ(e.Message(),
                  QStringLiteral("Der Besitzer von TPopupMenu muß ein Formular sein TForm"));
    }
    // Both exceptions are the library's exceptions, so a caller's general handler sees them.
    EXPECT_THROW(jxtCheckSingleInstance(component), Exception);
}

TEST(JxutilSingleInstance, NothingIsCheckedAtRunTime)
{
    TForm form;
    new TCustomControl(&form);
    auto *second = new TCustomControl(&form);
    EXPECT_NO_THROW(jxtCheckSingleInstance(second));
    TPanel owner;
    EXPECT_NO_THROW(jxtCheckSingleInstance(new TPopupMenu(&owner)));
    EXPECT_NO_THROW(jxtCheckSingleInstance(nullptr));
}
