// SPDX-License-Identifier: MIT
// Pop-up menus: TPopupMenu, a component that shows a tree of TMenuItem at a screen point,
// built on QMenu and QAction.
//
// Ownership. A menu item is a component: its Owner (usually the form) frees it like any other
// component. Inside the menu tree an item also belongs to its parent item: freeing an item
// frees its sub-items first, and an item that goes away (by Free, delete or its owner) leaves
// its parent item's list at once. The root item of a TPopupMenu (Items) belongs to the menu
// and goes with it.
//
// Events. A click on an item (mouse, keyboard or QAction::trigger) runs the item's Click
// after the menu has closed, from the event loop, so a handler may free the menu or the item
// it was called for. Calling Click directly runs it at once.
#pragma once

#include "base/Export.h"
#include "host/core/Component.h"

#include <QPointer>

#include <memory>
#include <vector>

class QAction;
class QMenu;

namespace jxt {

/// One entry of a menu: a command, a check item, a separator (Caption "-") or, when it has
/// sub-items, a submenu.
class JXT_EXPORT TMenuItem : public TComponent
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(bool Checked READ Checked WRITE SetChecked)
    Q_PROPERTY(bool AutoCheck READ AutoCheck WRITE SetAutoCheck)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_PROPERTY(int Tag READ Tag WRITE SetTag)

public:
    explicit TMenuItem(TComponent *owner = nullptr);
    /// Frees the sub-items (each told before it goes) and leaves the parent item.
    ~TMenuItem() override;

    /// The text; "&" marks the accelerator letter ("&&" shows one "&"); "-" alone makes the
    /// item a separator line.
    QString Caption() const { return m_caption; }
    void SetCaption(const QString &caption);
    /// Shows a check mark; default false.
    bool Checked() const { return m_checked; }
    void SetChecked(bool checked);
    /// A click toggles Checked before OnClick runs; default false (Checked then changes only
    /// when set).
    bool AutoCheck() const { return m_autoCheck; }
    void SetAutoCheck(bool value);
    /// A disabled item is shown greyed and cannot be clicked; default true.
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool enabled);
    /// An invisible item is left out of the menu; default true.
    bool Visible() const { return m_visible; }
    void SetVisible(bool visible);
    /// Whether the item is a separator line (its caption is "-").
    bool IsLine() const { return m_caption == QLatin1String("-"); }

    /// Sub-items, in menu order.
    //!@{
    int Count() const { return int(m_items.size()); }
    TMenuItem *Items(int index) const { return m_items.at(std::size_t(index)); }
    //!@}
    /// The position of item among the sub-items, or -1.
    int IndexOf(const TMenuItem *item) const;
    /// The item this one is a sub-item of, or nullptr.
    TMenuItem *Parent() const { return m_parentItem; }
    /// Appends item as the last sub-item (taking it out of any other item first).
    void Add(TMenuItem *item);
    /// Inserts item at index (held within 0..Count).
    void Insert(int index, TMenuItem *item);
    /// Takes item out of the sub-items without freeing it.
    void Remove(TMenuItem *item);
    /// Takes the sub-item at index out without freeing it.
    void Delete(int index);
    /// Frees every sub-item.
    void Clear();
    /// The first sub-item whose caption, without "&" marks, equals caption (ignoring case).
    TMenuItem *Find(const QString &caption) const;

    /// Fires OnClick (and the onClick signal); with AutoCheck toggles Checked first. Does
    /// nothing when the item is disabled.
    virtual void Click();

    /// The action standing for this item in a QMenu.
    QAction *QtAction() const { return m_action.get(); }
    /// The submenu of the sub-items; created on first use.
    QMenu *QtMenu();

    /// The item was chosen (see Click).
    TNotifyEvent OnClick;

signals:
    void onClick(jxt::TObject *sender);

private:
    void UpdateAction();
    void RebuildMenu();
    void ChildrenChanged();
    /// Takes item out of m_items without touching the menu (used while item goes away).
    void Detach(TMenuItem *item);

    QString m_caption;
    bool m_checked = false;
    bool m_autoCheck = false;
    bool m_enabled = true;
    bool m_visible = true;
    TMenuItem *m_parentItem = nullptr;
    std::vector<TMenuItem *> m_items;
    std::unique_ptr<QAction> m_action;
    std::unique_ptr<QMenu> m_menu;
};

/// A menu that pops up at a screen point: at a right click on every control whose PopupMenu
/// it is (while AutoPopup is on), or when Popup is called. Showing never waits: Popup returns
/// while the menu is open, and the clicked item's OnClick runs later from the event loop.
class JXT_EXPORT TPopupMenu : public TComponent
{
    Q_OBJECT
    Q_PROPERTY(bool AutoPopup READ AutoPopup WRITE SetAutoPopup)
    Q_PROPERTY(int Tag READ Tag WRITE SetTag)

public:
    explicit TPopupMenu(TComponent *owner = nullptr);
    ~TPopupMenu() override;

    /// The root item; its sub-items are the entries of the menu.
    TMenuItem *Items() const { return m_items.get(); }
    /// Whether a right click on a control that names this menu opens it; default true.
    bool AutoPopup() const { return m_autoPopup; }
    void SetAutoPopup(bool value) { m_autoPopup = value; }
    /// The control the menu was last opened for by a right click (nullptr when opened by
    /// Popup alone, or once that control has gone).
    TComponent *PopupComponent() const { return m_popupComponent.data(); }
    void SetPopupComponent(TComponent *component) { m_popupComponent = component; }
    /// The screen point of the last Popup.
    TPoint PopupPoint() const { return m_popupPoint; }

    /// Fires OnPopup (and onPopup), then shows the menu with its top-left corner at the
    /// screen point (x, y). Nothing is shown at design time or when the handler freed the
    /// menu.
    virtual void Popup(int x, int y);
    /// Whether the menu is open now.
    bool IsShown() const;
    /// Closes the menu when it is open.
    void CloseMenu();

    /// The menu is about to open.
    TNotifyEvent OnPopup;

signals:
    void onPopup(jxt::TObject *sender);

private:
    std::unique_ptr<TMenuItem> m_items;
    bool m_autoPopup = true;
    QPointer<TComponent> m_popupComponent;
    TPoint m_popupPoint;
};

} // namespace jxt
