// SPDX-License-Identifier: MIT
#include "host/controls/Menus.h"
#include "host/controls/Controls.h"
#include "host/controls/Forms.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>

using namespace jxt;

namespace {

/// Delivers queued item clicks.
void RunQueued()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

TMenuItem *NewItem(TComponent *owner, const QString &caption)
{
    auto *item = new TMenuItem(owner);
    item->SetCaption(caption);
    return item;
}

} // namespace

TEST(Menus, ItemTreeIsMirroredInTheQtMenu)
{
    TForm form;
    auto *menu = new TPopupMenu(&form);
    TMenuItem *open = NewItem(&form, "&Open");
    TMenuItem *line = NewItem(&form, "-");
    TMenuItem *recent = NewItem(&form, "Recent");
    TMenuItem *first = NewItem(&form, "a.txt");
    menu->Items()->Add(open);
    menu->Items()->Add(recent);
    menu->Items()->Insert(1, line);
    recent->Add(first);

    ASSERT_EQ(menu->Items()->Count(), 3);
    EXPECT_EQ(menu->Items()->IndexOf(line), 1);
    EXPECT_EQ(first->Parent(), recent);
    const QList<QAction *> actions = menu->Items()->QtMenu()->actions();
    ASSERT_EQ(actions.size(), 3);
    EXPECT_EQ(actions[0]->text(), "&Open");
    EXPECT_TRUE(actions[1]->isSeparator());
    ASSERT_NE(actions[2]->menu(), nullptr);
    EXPECT_EQ(actions[2]->menu()->actions().value(0), first->QtAction());
    EXPECT_EQ(menu->Items()->Find("open"), open);
    EXPECT_EQ(menu->Items()->Find("nothing"), nullptr);

    // Moving an item to another parent takes it out of the first.
    menu->Items()->Add(first);
    EXPECT_EQ(recent->Count(), 0);
    EXPECT_EQ(recent->QtAction()->menu(), nullptr);
    EXPECT_EQ(menu->Items()->QtMenu()->actions().size(), 4);

    // An item cannot hold its own ancestor.
    recent->Add(menu->Items());
    first->Add(first);
    EXPECT_EQ(first->Count(), 0);
    EXPECT_EQ(menu->Items()->Parent(), nullptr);
}

TEST(Menus, StateFollowsTheItemAndClicksAreDeliveredAfterTheMenuCloses)
{
    TPopupMenu menu;
    TMenuItem *item = NewItem(&menu, "Bold");
    menu.Items()->Add(item);
    int clicks = 0;
    item->OnClick = [&](TObject *sender) {
        EXPECT_EQ(sender, item);
        ++clicks;
    };
    QSignalSpy spy(item, &TMenuItem::onClick);

    // Triggering the action (as a mouse or key does) runs the click from the event loop.
    item->QtAction()->trigger();
    EXPECT_EQ(clicks, 0);
    RunQueued();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(spy.count(), 1);
    // Qt would toggle a checkable action by itself; the item keeps its own state.
    item->SetChecked(true);
    item->QtAction()->trigger();
    RunQueued();
    EXPECT_TRUE(item->Checked());
    EXPECT_TRUE(item->QtAction()->isChecked());

    item->SetAutoCheck(true);
    item->Click();
    EXPECT_FALSE(item->Checked());
    EXPECT_FALSE(item->QtAction()->isChecked());
    EXPECT_EQ(clicks, 3);

    item->SetEnabled(false);
    EXPECT_FALSE(item->QtAction()->isEnabled());
    item->Click();
    EXPECT_EQ(clicks, 3);
    item->SetVisible(false);
    EXPECT_FALSE(item->QtAction()->isVisible());
}

TEST(Menus, HandlersMayFreeTheMenuTheyWereCalledFrom)
{
    QPointer<TPopupMenu> menu = new TPopupMenu;
    TMenuItem *item = NewItem(menu, "Close");
    menu->Items()->Add(item);
    item->OnClick = [&](TObject *) { menu->Free(); };
    menu->Popup(10, 10);
    item->QtAction()->trigger();
    RunQueued();
    EXPECT_TRUE(menu.isNull());

    // A click still queued for an item that went away is dropped.
    auto *other = new TPopupMenu;
    TMenuItem *gone = NewItem(other, "Gone");
    other->Items()->Add(gone);
    bool ran = false;
    gone->OnClick = [&](TObject *) { ran = true; };
    gone->QtAction()->trigger();
    other->Free();
    RunQueued();
    EXPECT_FALSE(ran);

    // OnPopup that frees the menu: nothing is shown from a dead menu.
    QPointer<TPopupMenu> third = new TPopupMenu;
    third->Items()->Add(NewItem(third, "X"));
    TPopupMenu *raw = third;
    third->OnPopup = [raw](TObject *) { raw->Free(); };
    raw->Popup(0, 0); // must not show or touch the freed menu
    EXPECT_TRUE(third.isNull());
}

TEST(Menus, FreeingAnItemFreesItsSubItemsAndLeavesItsParent)
{
    TForm form;
    auto *menu = new TPopupMenu(&form);
    TMenuItem *file = NewItem(&form, "File");
    QPointer<TMenuItem> sub1 = NewItem(&form, "One");
    QPointer<TMenuItem> sub2 = NewItem(&form, "Two");
    menu->Items()->Add(file);
    file->Add(sub1);
    file->Add(sub2);
    const int owned = form.ComponentCount();

    sub1->Free();
    EXPECT_EQ(file->Count(), 1);
    EXPECT_EQ(file->QtMenu()->actions().size(), 1);
    EXPECT_EQ(form.ComponentCount(), owned - 1);

    delete file;
    EXPECT_TRUE(sub2.isNull());
    EXPECT_EQ(menu->Items()->Count(), 0);
    EXPECT_EQ(menu->Items()->QtMenu()->actions().size(), 0);

    // Clear frees; Delete only takes out.
    TMenuItem *a = NewItem(&form, "A");
    QPointer<TMenuItem> b = NewItem(&form, "B");
    menu->Items()->Add(a);
    menu->Items()->Add(b);
    menu->Items()->Delete(0);
    EXPECT_EQ(a->Parent(), nullptr);
    EXPECT_EQ(menu->Items()->Count(), 1);
    menu->Items()->Clear();
    EXPECT_TRUE(b.isNull());
    delete a;
}

TEST(Menus, OwnerGoingFirstInEitherOrderLeavesNothingBehind)
{
    // Items created before the menu and after it, all owned by the form: whichever goes
    // first, the other side must not touch it afterwards (checked under the sanitizers).
    for (int order = 0; order < 2; ++order) {
        auto *form = new TForm;
        QPointer<TMenuItem> early = order == 0 ? NewItem(form, "Early") : nullptr;
        QPointer<TPopupMenu> menu = new TPopupMenu(form);
        QPointer<TMenuItem> late = NewItem(form, "Late");
        if (early)
            menu->Items()->Add(early);
        menu->Items()->Add(late);
        QPointer<TMenuItem> child = NewItem(form, "Child");
        late->Add(child);
        delete form;
        EXPECT_TRUE(early.isNull() && menu.isNull() && late.isNull() && child.isNull());
    }
}

TEST(Menus, RightClickOpensTheControlsMenuAndRemovalClearsTheReference)
{
    TForm form;
    form.SetBounds(0, 0, 200, 100);
    auto *panel = new TCustomControl(&form);
    panel->SetParent(&form);
    panel->SetBounds(10, 10, 50, 50);
    auto *menu = new TPopupMenu(&form);
    menu->Items()->Add(NewItem(&form, "Item"));
    int popups = 0;
    menu->OnPopup = [&](TObject *) { ++popups; };
    QSignalSpy spy(menu, &TPopupMenu::onPopup);
    panel->SetPopupMenu(menu);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));

    // The window system turns a right click into this event.
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 6),
                            panel->mapToGlobal(QPoint(5, 6)));
    QApplication::sendEvent(panel, &click);
    EXPECT_EQ(popups, 1);
    EXPECT_EQ(spy.count(), 1);
    EXPECT_TRUE(menu->IsShown());
    EXPECT_EQ(menu->PopupComponent(), panel);
    EXPECT_EQ(menu->PopupPoint(),
              Point(panel->mapToGlobal(QPoint(5, 6)).x(), panel->mapToGlobal(QPoint(5, 6)).y()));
    menu->CloseMenu();
    EXPECT_FALSE(menu->IsShown());

    // AutoPopup off, a disabled control or a form being designed: no menu.
    menu->SetAutoPopup(false);
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(1, 1),
                            panel->mapToGlobal(QPoint(1, 1)));
    QApplication::sendEvent(panel, &event);
    EXPECT_EQ(popups, 1);
    menu->SetAutoPopup(true);
    panel->SetEnabled(false);
    QApplication::sendEvent(panel, &event);
    EXPECT_EQ(popups, 1);
    panel->SetEnabled(true);
    form.SetDesigning(true);
    QApplication::sendEvent(panel, &event);
    EXPECT_EQ(popups, 1);
    form.SetDesigning(false);

    // A menu owned elsewhere that goes away is forgotten by the control.
    auto *other = new TPopupMenu;
    panel->SetPopupMenu(other);
    other->Free();
    EXPECT_EQ(panel->PopupMenu(), nullptr);
    QApplication::sendEvent(panel, &event);
    EXPECT_EQ(popups, 1);

    // The control going away first leaves the menu without a dangling PopupComponent.
    panel->SetPopupMenu(menu);
    QApplication::sendEvent(panel, &event);
    EXPECT_EQ(popups, 2);
    menu->CloseMenu();
    panel->Free();
    EXPECT_EQ(menu->PopupComponent(), nullptr);
}
