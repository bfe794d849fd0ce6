// SPDX-License-Identifier: MIT
// TComponent: the base of every component. A component is a QWidget (non-visual ones stay
// hidden at run time) with an Owner that destroys it, a Name and Tag, a ComponentState,
// and removal notifications delivered while the departing component is still intact.
//
// Owner and Qt parent. The Owner (the constructor's argument, or InsertComponent) decides
// when a component is freed: the owner frees everything it owns when it goes, newest first.
// The Qt parent widget decides only where a component is shown; controls get it through
// TControl::SetParent. The two trees are separate and either may be absent. A component
// constructed with an owner has no Qt parent until it is placed; QObject::setParent and
// QWidget::setParent never change the Owner. Do not give a component a Qt parent that is not
// a component while it also has an owner, unless the Qt parent outlives the owner: Qt would
// delete the component with its parent widget, which the owner tolerates (a deleted component
// leaves its owner), but then Notification comes from the base destructor (see below).
//
// Free versus delete. Free() tells everyone who asked (FreeNotification) and the owner while
// the component is whole, then deletes it; owners and parent controls free their components
// the same way. A plain `delete` (or deleteLater, or a Qt parent deleting it) still delivers
// every notification, but from TComponent's destructor, when the derived parts are already
// destroyed: a Notification override may then use the pointer only to compare it. Prefer
// Free for components with derived state that listeners read.
//
// Handlers. Events are std::function members (and Qt signals, see Controls.h). A handler runs
// on the user-interface thread when the event happens; whatever it captures must outlive the
// component, or the handler must be cleared (OnX = nullptr) before the captured object goes.
// Connections made with QObject::connect to a context object end by themselves when either
// side is destroyed. A handler of the host's own events (mouse, keys, focus, resize, drag,
// menu clicks and pop-ups) may free its component: no signal of that event follows and the
// component does not touch itself again. Timer-driven events of components (OnScroll, ...)
// must not free their component; free it later (deleteLater) instead.
#pragma once

#include "base/Export.h"

#include "host/core/Object.h"
#include "host/core/SysUtils.h"

#include <QWidget>

#include <vector>

namespace jxt {

/// What a component is going through now (see TComponent::ComponentState).
enum TComponentStateFlag {
    csLoading,
    csReading,
    csWriting,
    csDestroying,
    csDesigning,
    csAncestor,
    csUpdating
};
/// The set of a component's state flags.
using TComponentState = TSet<TComponentStateFlag>;
/// What Notification reports: a component was inserted (opInsert) or is going (opRemove).
enum TOperation { opInsert, opRemove };

/// The base of every component, visual or not: a widget (hidden at run time when it shows
/// nothing) with an Owner that frees it, a Name and Tag, a ComponentState, and removal
/// notifications delivered while the departing component is still whole. The notes at the
/// top of host/core/Component.h say how owner and Qt parent, Free and delete, and event
/// handlers work together.
class JXT_EXPORT TComponent : public QWidget, public TPersistent
{
    Q_OBJECT

public:
    explicit TComponent(TComponent *owner = nullptr);
    ~TComponent() override;

    /// The component that frees this one when it goes; none for a component the caller frees.
    TComponent *Owner() const { return m_owner; }
    /// The owned components, oldest first (index from 0 to ComponentCount - 1).
    //!@{
    int ComponentCount() const { return int(m_components.size()); }
    TComponent *Components(int index) const { return m_components.at(std::size_t(index)); }
    //!@}
    /// The owned component of that name (ignoring case), or nullptr.
    TComponent *FindComponent(const QString &name) const;
    /// Makes this component the owner of component (taking it from its old owner) and tells
    /// Notification with opInsert; nullptr or a component owned already is ignored.
    void InsertComponent(TComponent *component);
    /// Gives up ownership of component (the caller frees it then) and tells Notification with
    /// opRemove; a component this one does not own is ignored.
    void RemoveComponent(TComponent *component);

    /// The component's name (the QObject's objectName); default empty.
    QString Name() const { return objectName(); }
    void SetName(const QString &name) { setObjectName(name); }
    /// A number for the application's own use; default 0. The component never reads it.
    int Tag() const { return m_tag; }
    void SetTag(int tag) { m_tag = tag; }

    /// What the component is going through now: csLoading while its stored properties are
    /// set, csDesigning in the designer, csDestroying once it is being freed.
    TComponentState ComponentState() const { return m_state; }
    /// Puts this component and everything it owns into (or out of) the designing state.
    void SetDesigning(bool designing);
    /// Marks the component (and what it owns) as being loaded; Loaded() ends it.
    void BeginLoading();

    /// Asks component to tell this one, through Notification, when it goes away (also when
    /// the two have different owners).
    void FreeNotification(TComponent *component);
    /// Takes back FreeNotification, on both sides.
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
    /// Whether Loaded ran since the last BeginLoading (a new component has not been loaded).
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
/// Calls Loaded on what root owns that came from streaming and waits for it (csLoading, not
/// yet loaded), with everything those own; components made in code are passed by, since
/// they keep what they were given. Forms call it when first shown.
JXT_EXPORT void LoadStreamed(TComponent *root);

} // namespace jxt
