// SPDX-License-Identifier: MIT
#include "host/controls/Accessible.h"

#include "host/controls/Controls.h"
#include "host/controls/Forms.h"

#include <QAccessibleValueInterface>
#include <QAccessibleWidget>
#include <QPointer>

#include <vector>

namespace jxt {

namespace {

// One item of a list-like control: not an object of its own, so its interface is registered
// with Qt by the control's interface and asks the control for its state on every query.
class TItemAccessible : public QAccessibleInterface
{
public:
    TItemAccessible(TControl *control, int index) : m_control(control), m_index(index) {}

    bool isValid() const override
    {
        return m_control && m_index < m_control->AccessibleItemCount();
    }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override
    {
        return m_control ? m_control->window()->windowHandle() : nullptr;
    }
    QAccessibleInterface *parent() const override
    {
        return m_control ? QAccessible::queryAccessibleInterface(m_control.data()) : nullptr;
    }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name && isValid() ? Item().name : QString();
    }
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override
    {
        if (!isValid())
            return QRect();
        const QRect r = Item().rect;
        return r.isEmpty() ? QRect() : QRect(m_control->mapToGlobal(r.topLeft()), r.size());
    }
    QAccessible::Role role() const override
    {
        return m_control ? m_control->AccessibleInfo().itemRole : QAccessible::NoRole;
    }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        if (!isValid()) {
            state.invalid = true;
            return state;
        }
        const TAccessibleItem item = Item();
        state.selectable = true;
        state.selected = item.selected;
        state.disabled = !m_control->isEnabled();
        state.invisible = item.rect.isEmpty() || !m_control->isVisible();
        state.offscreen = state.invisible;
        return state;
    }

private:
    TAccessibleItem Item() const { return m_control->AccessibleItem(m_index); }

    QPointer<TControl> m_control;
    int m_index;
};

// The interface of one component: Qt's widget interface (geometry, state, children, focus)
// with the role, name and value the control gives through AccessibleInfo, asked afresh on
// every query so it always tells the control's current state, and its items as children
// after its child widgets.
class TControlAccessible : public QAccessibleWidget, public QAccessibleValueInterface
{
public:
    explicit TControlAccessible(TComponent *component)
        : QAccessibleWidget(component, QAccessible::Client)
    {}

    ~TControlAccessible() override
    {
        for (const QAccessible::Id id : m_items)
            QAccessible::deleteAccessibleInterface(id);
    }

    QAccessible::Role role() const override
    {
        Info();
        return m_info.role == QAccessible::NoRole ? QAccessible::Client : m_info.role;
    }

    QString text(QAccessible::Text t) const override
    {
        // Names and descriptions set through QWidget take precedence, as for Qt's widgets.
        const QString own = QAccessibleWidget::text(t);
        if (!own.isEmpty())
            return own;
        Info();
        switch (t) {
        case QAccessible::Name: return Name();
        case QAccessible::Value:
            return m_info.hasValue ? QString::number(m_info.value.value) : QString();
        default: return QString();
        }
    }

    int childCount() const override { return QAccessibleWidget::childCount() + ItemCount(); }

    QAccessibleInterface *child(int index) const override
    {
        const int widgets = QAccessibleWidget::childCount();
        if (index < widgets)
            return QAccessibleWidget::child(index);
        const int item = index - widgets;
        if (item >= ItemCount())
            return nullptr;
        auto *control = qobject_cast<TControl *>(object());
        while (int(m_items.size()) <= item)
            m_items.push_back(QAccessible::registerAccessibleInterface(
                new TItemAccessible(control, int(m_items.size()))));
        return QAccessible::accessibleInterface(m_items[std::size_t(item)]);
    }

    int indexOfChild(const QAccessibleInterface *child) const override
    {
        if (dynamic_cast<const TItemAccessible *>(child)) {
            const QAccessible::Id id =
                QAccessible::uniqueId(const_cast<QAccessibleInterface *>(child));
            for (std::size_t i = 0; i < m_items.size(); ++i)
                if (m_items[i] == id)
                    return QAccessibleWidget::childCount() + int(i);
            return -1;
        }
        return QAccessibleWidget::indexOfChild(child);
    }

    QAccessibleInterface *childAt(int x, int y) const override
    {
        for (int i = 0; i < childCount(); ++i)
            if (QAccessibleInterface *c = child(i); c && c->rect().contains(x, y))
                return c;
        return nullptr;
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface) {
            Info();
            return m_info.hasValue ? static_cast<QAccessibleValueInterface *>(this) : nullptr;
        }
        return QAccessibleWidget::interface_cast(type);
    }

    // The value of a display is read, never set from outside.
    QVariant currentValue() const override
    {
        Info();
        return m_info.value.value;
    }
    void setCurrentValue(const QVariant &) override {}
    QVariant maximumValue() const override
    {
        Info();
        return m_info.value.maximum;
    }
    QVariant minimumValue() const override
    {
        Info();
        return m_info.value.minimum;
    }
    QVariant minimumStepSize() const override { return 0; }

private:
    void Info() const
    {
        if (const auto *control = qobject_cast<const TControl *>(object()))
            m_info = control->AccessibleInfo();
    }
    int ItemCount() const
    {
        const auto *control = qobject_cast<const TControl *>(object());
        return control ? control->AccessibleItemCount() : 0;
    }
    QString Name() const { return AccessibleNameOf(qobject_cast<const TComponent *>(object())); }

    mutable TAccessibleInfo m_info;
    mutable std::vector<QAccessible::Id> m_items;
};

QAccessibleInterface *Factory(const QString &, QObject *object)
{
    // Forms keep Qt's window interface.
    auto *component = qobject_cast<TComponent *>(object);
    if (!component || qobject_cast<TForm *>(object))
        return nullptr;
    return new TControlAccessible(component);
}

} // namespace

QString AccessibleNameOf(const TComponent *component)
{
    if (!component)
        return QString();
    if (!component->accessibleName().isEmpty())
        return component->accessibleName();
    if (const auto *control = qobject_cast<const TControl *>(component)) {
        const QString own = control->AccessibleInfo().name;
        if (!own.isEmpty())
            return own;
        if (!control->Hint().isEmpty())
            return control->Hint();
    }
    if (!component->Name().isEmpty())
        return component->Name();
    const QString cls = component->ClassName();
    return cls.startsWith(QLatin1Char('T')) ? cls.mid(1) : cls;
}

void InstallAccessibleFactory()
{
    static const bool installed = [] {
        QAccessible::installFactory(Factory);
        return true;
    }();
    (void)installed;
}

} // namespace jxt
