// SPDX-License-Identifier: MIT
#include "host/core/Component.h"

#include <algorithm>

namespace jxt {

TComponent::TComponent(TComponent *owner) : QWidget(nullptr)
{
    if (owner) {
        if (owner->m_state.Contains(csDesigning))
            m_state.Include(csDesigning);
        if (owner->m_state.Contains(csLoading))
            m_state.Include(csLoading);
        owner->InsertComponent(this);
    }
}

TComponent::~TComponent()
{
    BeforeDestruction();
    // Owned components go first, newest first, each told before it is deleted.
    while (!m_components.empty()) {
        TComponent *child = m_components.back();
        child->BeforeDestruction();
        delete child;
    }
    if (m_owner)
        m_owner->RemoveComponent(this);
    for (TComponent *c : m_freeNotifies) {
        auto &list = c->m_freeNotifies;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
    }
}

TComponent *TComponent::FindComponent(const QString &name) const
{
    if (name.isEmpty())
        return nullptr;
    for (TComponent *c : m_components)
        if (c->Name().compare(name, Qt::CaseInsensitive) == 0)
            return c;
    return nullptr;
}

void TComponent::InsertComponent(TComponent *component)
{
    if (!component || component->m_owner == this)
        return;
    if (component->m_owner)
        component->m_owner->RemoveComponent(component);
    m_components.push_back(component);
    component->m_owner = this;
    Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent *component)
{
    auto it = std::find(m_components.begin(), m_components.end(), component);
    if (it == m_components.end())
        return;
    m_components.erase(it);
    component->m_owner = nullptr;
    if (!m_state.Contains(csDestroying))
        Notification(component, opRemove);
}

void TComponent::SetDesigning(bool designing)
{
    if (designing)
        m_state.Include(csDesigning);
    else
        m_state.Exclude(csDesigning);
    for (TComponent *c : m_components)
        c->SetDesigning(designing);
}

void TComponent::BeginLoading()
{
    m_state.Include(csLoading);
    m_loadedDone = false;
    for (TComponent *c : m_components)
        c->BeginLoading();
}

void TComponent::FreeNotification(TComponent *component)
{
    if (!component || component == this)
        return;
    if (std::find(m_freeNotifies.begin(), m_freeNotifies.end(), component) ==
        m_freeNotifies.end()) {
        m_freeNotifies.push_back(component);
        component->m_freeNotifies.push_back(this);
    }
}

void TComponent::RemoveFreeNotification(TComponent *component)
{
    m_freeNotifies.erase(std::remove(m_freeNotifies.begin(), m_freeNotifies.end(), component),
                         m_freeNotifies.end());
    auto &other = component->m_freeNotifies;
    other.erase(std::remove(other.begin(), other.end(), this), other.end());
}

void TComponent::Free()
{
    BeforeDestruction();
    // Freed by a handler that its own paint runs (TControl::RunPaint sets the property): the
    // paint and Qt's paint event still use the widget after the handler returns, so it goes
    // hidden now and is deleted once control is back in the event loop.
    if (property("jxtPainting").toBool()) {
        hide();
        deleteLater();
        return;
    }
    delete this;
}

void TComponent::BeforeDestruction()
{
    if (m_notified)
        return;
    m_notified = true;
    m_state.Include(csDestroying);
    // Everything that asked to be told, and the owner (which tells the components it owns),
    // hear of the removal now, while this object is still whole.
    const std::vector<TComponent *> listeners = m_freeNotifies;
    for (TComponent *c : listeners)
        c->ReceiveNotification(this, opRemove);
    // The links end here, on both sides: a listener may be deleted before this object's own
    // destructor runs (a control watching its form goes with the form's child controls
    // first), and neither side may keep a pointer to the other.
    for (TComponent *c : m_freeNotifies) {
        auto &list = c->m_freeNotifies;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
    }
    m_freeNotifies.clear();
    if (m_owner && !m_owner->m_state.Contains(csDestroying))
        m_owner->ReceiveNotification(this, opRemove);
}

void TComponent::Notification(TComponent *component, TOperation operation)
{
    if (operation == opRemove) {
        m_freeNotifies.erase(std::remove(m_freeNotifies.begin(), m_freeNotifies.end(), component),
                             m_freeNotifies.end());
    }
    const std::vector<TComponent *> owned = m_components;
    for (TComponent *c : owned)
        if (c != component)
            c->ReceiveNotification(component, operation);
}

void TComponent::Loaded()
{
    m_state.Exclude(csLoading);
    m_loadedDone = true;
}

void Loaded(TComponent *root)
{
    if (!root)
        return;
    for (int i = 0; i < root->ComponentCount(); ++i)
        Loaded(root->Components(i));
    if (!root->LoadedDone())
        root->Loaded();
}

void LoadStreamed(TComponent *root)
{
    if (!root)
        return;
    for (int i = 0; i < root->ComponentCount(); ++i) {
        TComponent *c = root->Components(i);
        if (c->ComponentState().Contains(csLoading) && !c->LoadedDone())
            Loaded(c);
        else
            LoadStreamed(c); // made in code, but it may own components from a form
    }
}

} // namespace jxt
