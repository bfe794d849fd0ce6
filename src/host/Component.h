// SPDX-License-Identifier: MIT
// TComponent: the base of every component. A component is a QWidget (non-visual ones stay
// hidden at run time) with an Owner that destroys it, a Name and Tag, a ComponentState,
// and removal notifications delivered while the departing component is still intact.
#pragma once

#include "host/Export.h"

#include "host/Object.h"
#include "host/SysUtils.h"

#include <QWidget>

#include <vector>

namespace jxt {

enum TComponentStateFlag {
    csLoading,
    csReading,
    csWriting,
    csDestroying,
    csDesigning,
    csAncestor,
    csUpdating
};
using TComponentState = TSet<TComponentStateFlag>;
enum TOperation { opInsert, opRemove };

class JXT_EXPORT TComponent : public QWidget, public TPersistent
{
    Q_OBJECT

public:
    explicit TComponent(TComponent *owner = nullptr);
    ~TComponent() override;

    TComponent *Owner() const { return m_owner; }
    int ComponentCount() const { return int(m_components.size()); }
    TComponent *Components(int index) const { return m_components.at(std::size_t(index)); }
    /// The owned component of that name (ignoring case), or nullptr.
    TComponent *FindComponent(const QString &name) const;
    void InsertComponent(TComponent *component);
    void RemoveComponent(TComponent *component);

    QString Name() const { return objectName(); }
    void SetName(const QString &name) { setObjectName(name); }
    int Tag() const { return m_tag; }
    void SetTag(int tag) { m_tag = tag; }

    TComponentState ComponentState() const { return m_state; }
    /// Puts this component and everything it owns into (or out of) the designing state.
    void SetDesigning(bool designing);
    /// Marks the component (and what it owns) as being loaded; Loaded() ends it.
    void BeginLoading();

    /// Asks component to tell this one, through Notification, when it goes away (also when
    /// the two have different owners).
    void FreeNotification(TComponent *component);
    void RemoveFreeNotification(TComponent *component);

    /// Destroys the component: notifications first, while it is whole, then delete. Owners
    /// and parent controls destroy their components the same way. A plain `delete` still
    /// notifies, but from the base destructors, when the derived parts are already gone.
    void Free();
    /// Sets csDestroying and delivers the opRemove notifications, once. Free, the owner and
    /// the parent control call it before deleting; the destructor calls it as a last resort.
    void BeforeDestruction();

    /// Runs once after the stored properties were set; clears csLoading. Overrides call the
    /// inherited Loaded first.
    virtual void Loaded();
    bool LoadedDone() const { return m_loadedDone; }

protected:
    /// Told when a component this one knows of is inserted or removed. The default passes the
    /// news on to every owned component; overrides clear their references and call it too.
    virtual void Notification(TComponent *component, TOperation operation);

private:
    void ReceiveNotification(TComponent *component, TOperation operation)
    {
        Notification(component, operation);
    }
    TComponent *m_owner = nullptr;
    std::vector<TComponent *> m_components;
    std::vector<TComponent *> m_freeNotifies;
    TComponentState m_state;
    int m_tag = 0;
    bool m_notified = false;
    bool m_loadedDone = false;
};

/// Calls Loaded on root and everything it owns (depth first, each at most once).
JXT_EXPORT void Loaded(TComponent *root);

} // namespace jxt
