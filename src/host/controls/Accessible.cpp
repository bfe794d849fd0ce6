// SPDX-License-Identifier: MIT
#include "host/controls/Accessible.h"

#include "host/controls/Controls.h"

#include <QAccessibleValueInterface>
#include <QAccessibleWidget>

namespace jxt {

namespace {

// The interface of one control: Qt's widget interface (geometry, state, children, focus)
// with the role, name and value the control gives through AccessibleInfo, asked afresh on
// every query so it always tells the control's current state.
class TControlAccessible : public QAccessibleWidget, public QAccessibleValueInterface
{
public:
    explicit TControlAccessible(TControl *control)
        : QAccessibleWidget(control, control->AccessibleInfo().role)
    {}

    QAccessible::Role role() const override
    {
        Info();
        return m_info.role;
    }

    QString text(QAccessible::Text t) const override
    {
        // Names and descriptions set through QWidget take precedence, as for Qt's widgets.
        const QString own = QAccessibleWidget::text(t);
        if (!own.isEmpty())
            return own;
        Info();
        switch (t) {
        case QAccessible::Name: return m_info.name;
        case QAccessible::Value:
            return m_info.hasValue ? QString::number(m_info.value.value) : QString();
        default: return QString();
        }
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
    mutable TAccessibleInfo m_info;
};

QAccessibleInterface *Factory(const QString &, QObject *object)
{
    auto *control = qobject_cast<TControl *>(object);
    if (!control || control->AccessibleInfo().role == QAccessible::NoRole)
        return nullptr;
    return new TControlAccessible(control);
}

} // namespace

void InstallAccessibleFactory()
{
    static const bool installed = [] {
        QAccessible::installFactory(Factory);
        return true;
    }();
    (void)installed;
}

} // namespace jxt
