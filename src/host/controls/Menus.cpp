// SPDX-License-Identifier: MIT
#include "host/controls/Menus.h"

#include "host/core/Events.h"

#include <QAction>
#include <QMenu>

#include <algorithm>

namespace jxt {

// TMenuItem

TMenuItem::TMenuItem(TComponent *owner) : TComponent(owner), m_action(std::make_unique<QAction>())
{
    // Queued: the menu has closed and unwound before the handler runs, so the handler may
    // free the menu or this item (a pending call to a deleted item is dropped).
    connect(
        m_action.get(), &QAction::triggered, this, [this] { Click(); }, Qt::QueuedConnection);
    UpdateAction();
}

TMenuItem::~TMenuItem()
{
    BeforeDestruction();
    while (!m_items.empty()) {
        TMenuItem *child = m_items.back();
        child->BeforeDestruction();
        delete child; // leaves m_items through Detach
    }
    if (m_parentItem)
        m_parentItem->Remove(this);
    // The submenu goes before the action that opens it.
    m_menu.reset();
    m_action.reset();
}

void TMenuItem::SetCaption(const QString &caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    UpdateAction();
}

void TMenuItem::SetChecked(bool checked)
{
    if (checked == m_checked)
        return;
    m_checked = checked;
    UpdateAction();
}

void TMenuItem::SetAutoCheck(bool value)
{
    m_autoCheck = value;
    UpdateAction();
}

void TMenuItem::SetEnabled(bool enabled)
{
    m_enabled = enabled;
    UpdateAction();
}

void TMenuItem::SetVisible(bool visible)
{
    m_visible = visible;
    UpdateAction();
}

void TMenuItem::UpdateAction()
{
    QAction *a = m_action.get();
    a->setSeparator(IsLine());
    a->setText(IsLine() ? QString() : m_caption);
    // Qt toggles a checkable action by itself when it is triggered; Click puts the state the
    // item keeps back into it.
    a->setCheckable(m_checked || m_autoCheck);
    a->setChecked(m_checked);
    a->setEnabled(m_enabled);
    a->setVisible(m_visible);
}

int TMenuItem::IndexOf(const TMenuItem *item) const
{
    const auto it = std::find(m_items.begin(), m_items.end(), item);
    return it == m_items.end() ? -1 : int(it - m_items.begin());
}

void TMenuItem::Add(TMenuItem *item)
{
    Insert(Count(), item);
}

void TMenuItem::Insert(int index, TMenuItem *item)
{
    if (!item || item == this)
        return;
    // An item cannot become a sub-item of one of its own sub-items.
    for (TMenuItem *p = m_parentItem; p; p = p->m_parentItem)
        if (p == item)
            return;
    if (item->m_parentItem)
        item->m_parentItem->Remove(item);
    index = std::clamp(index, 0, Count());
    m_items.insert(m_items.begin() + index, item);
    item->m_parentItem = this;
    ChildrenChanged();
}

void TMenuItem::Remove(TMenuItem *item)
{
    if (IndexOf(item) < 0)
        return;
    Detach(item);
    if (!ComponentState().Contains(csDestroying))
        ChildrenChanged();
}

void TMenuItem::Delete(int index)
{
    if (index >= 0 && index < Count())
        Remove(m_items[std::size_t(index)]);
}

void TMenuItem::Clear()
{
    while (!m_items.empty()) {
        TMenuItem *child = m_items.back();
        child->Free();
    }
}

TMenuItem *TMenuItem::Find(const QString &caption) const
{
    const auto plain = [](QString s) {
        s.replace(QLatin1String("&&"), QString(QChar(0xFFFF)));
        s.remove(QLatin1Char('&'));
        s.replace(QChar(0xFFFF), QLatin1Char('&'));
        return s;
    };
    const QString wanted = plain(caption);
    for (TMenuItem *item : m_items)
        if (plain(item->Caption()).compare(wanted, Qt::CaseInsensitive) == 0)
            return item;
    return nullptr;
}

void TMenuItem::Detach(TMenuItem *item)
{
    m_items.erase(std::remove(m_items.begin(), m_items.end(), item), m_items.end());
    item->m_parentItem = nullptr;
    if (m_menu)
        m_menu->removeAction(item->QtAction());
}

void TMenuItem::ChildrenChanged()
{
    if (m_items.empty()) {
        if (m_menu)
            m_menu->clear();
        if (m_action)
            m_action->setMenu(nullptr);
        return;
    }
    RebuildMenu();
}

QMenu *TMenuItem::QtMenu()
{
    if (!m_menu) {
        m_menu = std::make_unique<QMenu>();
        RebuildMenu();
    }
    return m_menu.get();
}

void TMenuItem::RebuildMenu()
{
    if (!m_menu)
        m_menu = std::make_unique<QMenu>();
    m_menu->clear(); // the actions belong to the items, clear only unlists them
    for (TMenuItem *item : m_items)
        m_menu->addAction(item->QtAction());
    m_action->setMenu(m_items.empty() ? nullptr : m_menu.get());
}

void TMenuItem::Click()
{
    if (!m_enabled)
        return;
    if (m_autoCheck)
        m_checked = !m_checked;
    UpdateAction();
    // The handler may free this item (or the menu that holds it).
    FireEvent(this, OnClick, &TMenuItem::onClick, this);
}

// TPopupMenu

TPopupMenu::TPopupMenu(TComponent *owner)
    : TComponent(owner), m_items(std::make_unique<TMenuItem>(nullptr))
{
    m_items->SetName(QStringLiteral("Items"));
    m_items->QtMenu();
}

TPopupMenu::~TPopupMenu()
{
    // Controls that name this menu are told while it is whole, then the tree goes.
    BeforeDestruction();
    m_items.reset();
}

void TPopupMenu::Popup(int x, int y)
{
    m_popupPoint = Point(x, y);
    QPointer<TPopupMenu> self(this);
    if (!FireEvent(this, OnPopup, &TPopupMenu::onPopup, this))
        return;
    if (!self || ComponentState().Contains(csDesigning))
        return;
    m_items->QtMenu()->popup(QPoint(x, y));
}

bool TPopupMenu::IsShown() const
{
    return m_items->QtMenu()->isVisible();
}

void TPopupMenu::CloseMenu()
{
    m_items->QtMenu()->hide();
}

} // namespace jxt
