// SPDX-License-Identifier: MIT
#include "host/core/Component.h"
#include "host/controls/Controls.h"
#include "host/controls/Forms.h"
#include "host/core/Strings.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <QPointer>

#include <string>
#include <vector>

using namespace jxt;

namespace {

/// Remembers a reference to another component and what it learnt when that one went away.
class Watcher : public TComponent
{
public:
    using TComponent::TComponent;
    TComponent *watched = nullptr;
    std::vector<std::string> log;
    QString departingClass;
    int departingPayload = -1;
    bool departingWasDestroying = false;

protected:
    void Notification(TComponent *component, TOperation operation) override;
};

/// A component with data of its own, to check that it is whole when others hear of its end.
class Payload : public TControl
{
public:
    using TControl::TControl;
    int payload = 42;
};

void Watcher::Notification(TComponent *component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == watched) {
        log.push_back("remove " + component->Name().toStdString());
        departingClass = component->ClassName();
        if (auto *p = dynamic_cast<Payload *>(component))
            departingPayload = p->payload;
        departingWasDestroying = component->ComponentState().Contains(csDestroying);
        watched = nullptr;
    }
}

} // namespace

TEST(Component, OwnerKeepsAndDestroysItsComponents)
{
    auto *owner = new TComponent(nullptr);
    auto *a = new TComponent(owner);
    auto *b = new TComponent(owner);
    a->SetName(QStringLiteral("Alpha"));
    b->SetTag(7);
    ASSERT_EQ(owner->ComponentCount(), 2);
    EXPECT_EQ(owner->Components(0), a);
    EXPECT_EQ(a->Owner(), owner);
    EXPECT_EQ(owner->FindComponent(QStringLiteral("ALPHA")), a);
    EXPECT_EQ(owner->FindComponent(QStringLiteral("Beta")), nullptr);
    EXPECT_EQ(b->Tag(), 7);

    QPointer<TComponent> pa(a), pb(b);
    delete b;
    EXPECT_EQ(owner->ComponentCount(), 1);
    owner->Free();
    EXPECT_TRUE(pa.isNull());
    EXPECT_TRUE(pb.isNull());
}

TEST(Component, ClassNameHasNoNamespace)
{
    TComponent c;
    EXPECT_EQ(c.ClassName(), QStringLiteral("TComponent"));
    TStringList list;
    EXPECT_EQ(list.ClassName(), QStringLiteral("TStringList"));
}

TEST(Component, SiblingHearsOfRemovalWhileComponentIsIntact)
{
    TComponent owner;
    auto *watcher = new Watcher(&owner);
    auto *target = new Payload(&owner);
    target->SetName(QStringLiteral("Target"));
    target->payload = 99;
    watcher->watched = target;

    target->Free();
    ASSERT_EQ(watcher->log.size(), 1u);
    EXPECT_EQ(watcher->watched, nullptr);
    EXPECT_EQ(watcher->departingClass, QStringLiteral("Payload"));
    EXPECT_EQ(watcher->departingPayload, 99);
    EXPECT_TRUE(watcher->departingWasDestroying);
}

TEST(Component, FreeNotificationReachesComponentsOfOtherOwners)
{
    TComponent ownerA, ownerB;
    auto *watcher = new Watcher(&ownerA);
    auto *target = new Payload(&ownerB);
    target->payload = 5;
    watcher->watched = target;
    target->FreeNotification(watcher);

    target->Free();
    ASSERT_EQ(watcher->log.size(), 1u);
    EXPECT_EQ(watcher->departingPayload, 5);

    // A plain delete still notifies, from the destructor of the control.
    auto *second = new Payload(&ownerB);
    second->SetName(QStringLiteral("Second"));
    watcher->watched = second;
    second->FreeNotification(watcher);
    delete second;
    EXPECT_EQ(watcher->log.back(), "remove Second");
    EXPECT_EQ(watcher->watched, nullptr);
}

TEST(Component, DestroyingTheListenerFirstLeavesNoDanglingNotification)
{
    TComponent ownerA, ownerB, ownerC;
    auto *gone = new Watcher(&ownerA);
    auto *stays = new Watcher(&ownerC);
    auto *target = new TComponent(&ownerB);
    target->SetName(QStringLiteral("T"));
    gone->watched = target;
    stays->watched = target;
    target->FreeNotification(gone);
    target->FreeNotification(stays);
    delete gone;
    delete target; // must reach the remaining watcher and not the deleted one
    EXPECT_EQ(stays->log, std::vector<std::string>{"remove T"});
}

TEST(Component, AControlWatchingItsFormGoesWithTheFormAndKeepsNoLink)
{
    // The form tells the watching control first, then deletes it with its child controls,
    // and only then ends as a component: neither may still point at the other by then (the
    // address sanitizer build sees any read of the deleted control).
    class TWatchingControl : public TControl
    {
    public:
        using TControl::TControl;
        TComponent *watched = nullptr;

    protected:
        void Notification(TComponent *component, TOperation operation) override
        {
            TControl::Notification(component, operation);
            if (operation == opRemove && component == watched)
                watched = nullptr;
        }
    };
    auto *form = new TForm(nullptr);
    auto *child = new TWatchingControl(form);
    child->SetParent(form);
    child->watched = form;
    form->FreeNotification(child);
    const QPointer<TComponent> alive(child);
    delete form;
    EXPECT_TRUE(alive.isNull());
}

TEST(Component, ChildControlsAreNotifiedIntactWhenTheParentGoes)
{
    TComponent owner;
    auto *watcher = new Watcher(&owner);
    auto *form = new TForm(nullptr);
    auto *child = new Payload(form);
    child->SetParent(form);
    child->payload = 17;
    watcher->watched = child;
    child->FreeNotification(watcher);
    delete form;
    ASSERT_EQ(watcher->log.size(), 1u);
    EXPECT_EQ(watcher->departingPayload, 17);
}

TEST(Component, LoadedRunsExactlyOnceAndClearsLoading)
{
    struct Counting : TComponent
    {
        using TComponent::TComponent;
        int loaded = 0;
        bool wasLoading = false;
        void Loaded() override
        {
            wasLoading = ComponentState().Contains(csLoading);
            TComponent::Loaded();
            ++loaded;
        }
    };
    TForm form;
    form.BeginLoading();
    auto *c = new Counting(&form);
    EXPECT_TRUE(c->ComponentState().Contains(csLoading));
    jxt::Loaded(&form);
    jxt::Loaded(&form);
    form.Show(); // showing polishes the form, which must not load again
    QApplication::processEvents();
    EXPECT_EQ(c->loaded, 1);
    EXPECT_TRUE(c->wasLoading);
    EXPECT_FALSE(c->ComponentState().Contains(csLoading));
    form.Hide();
}

TEST(Component, DesigningStateReachesOwnedComponents)
{
    TComponent owner;
    auto *a = new TComponent(&owner);
    owner.SetDesigning(true);
    EXPECT_TRUE(a->ComponentState().Contains(csDesigning));
    auto *b = new TComponent(&owner);
    EXPECT_TRUE(b->ComponentState().Contains(csDesigning));
    owner.SetDesigning(false);
    EXPECT_FALSE(b->ComponentState().Contains(csDesigning));
}
