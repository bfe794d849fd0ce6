// SPDX-License-Identifier: MIT
// What screen readers learn about the library's controls. One accessibility factory serves
// every control: a control describes itself by overriding TControl::AccessibleInfo (role,
// name and, where it shows a number, its value and range), and the factory turns that into a
// QAccessibleInterface with the value interface where there is a value, and with the items of
// a list or tab control (TControl::AccessibleItem) as its children. Every component has a
// name: one it gives, a name set through QWidget, its hint, its component name or, last, its
// class name. The factory is installed when the first control is created;
// InstallAccessibleFactory installs it earlier.
#pragma once

#include "base/Export.h"

#include <QAccessible>
#include <QRect>
#include <QString>

namespace jxt {

/// A number a control shows and its range, for the value interface.
struct JXT_EXPORT TAccessibleValue
{
    double value = 0;   ///< The number shown.
    double minimum = 0; ///< The smallest it can be.
    double maximum = 0; ///< The largest it can be.
};

/// How a control presents itself to assistive technology. A control that leaves the role
/// at QAccessible::NoRole gets Qt's plain widget interface.
struct JXT_EXPORT TAccessibleInfo
{
    TAccessibleInfo() = default;
    /// A control that shows text: `return {QAccessible::StaticText, Caption()};`
    TAccessibleInfo(QAccessible::Role r, const QString &n) : role(r), name(n) {}
    /// A control that shows a number in a range:
    /// `return {QAccessible::ProgressBar, name, {value, minimum, maximum}};`
    TAccessibleInfo(QAccessible::Role r, const QString &n, const TAccessibleValue &v)
        : role(r), name(n), hasValue(true), value(v)
    {}

    /// What the control is to a screen reader (QAccessible::StaticText, ProgressBar, ...).
    QAccessible::Role role = QAccessible::NoRole;
    /// What a screen reader speaks for the control: its caption or its text.
    QString name;
    /// The value interface is offered only with a value.
    bool hasValue = false;
    /// The value and its range, when hasValue.
    TAccessibleValue value;
    /// The role of the control's items (QAccessible::ListItem, PageTab), for a control that
    /// shows a list of them (TControl::AccessibleItemCount).
    QAccessible::Role itemRole = QAccessible::NoRole;
};

/// One item of a list-like control (a picture, an icon, a tab) as screen readers see it: an
/// accessible child of the control.
struct JXT_EXPORT TAccessibleItem
{
    /// What a screen reader speaks for the item.
    QString name;
    /// Where the item is, in the control's client coordinates; empty when it is scrolled
    /// out of view.
    QRect rect;
    /// Whether the item is selected.
    bool selected = false;
};

class TComponent;

/// The name screen readers hear for a component: the name set through QWidget, else the one
/// its AccessibleInfo gives, its hint, its component name or its class name without the T.
JXT_EXPORT QString AccessibleNameOf(const TComponent *component);

/// Installs the library's accessibility factory (once; later calls do nothing). Creating
/// the first control does the same, so applications need not call it.
JXT_EXPORT void InstallAccessibleFactory();

} // namespace jxt
