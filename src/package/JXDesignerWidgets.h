// SPDX-License-Identifier: MIT
// Widget classes for forms made in Qt Designer: code generated from a .ui file creates
// widgets as `new Class(parentWidget)`, while the components take their owner. Each class
// here takes the parent widget, finds the owner among its ancestors and places itself on it.
#pragma once

#include "display/JX3dLabel.h"
#include "display/JXBlinker.h"
#include "display/JXDOTPanel.h"
#include "display/JXGauge.h"
#include "display/JXLCDPanel.h"
#include "display/JXPanel.h"
#include "display/JXScrollText.h"
#include "host/Controls.h"
#include "host/Forms.h"

#include <QString>
#include <QWidget>

#include <functional>
#include <map>
#include <type_traits>

namespace jxt {
namespace ui {

/// The owner for a component placed on parent: the nearest form among parent and its
/// ancestors, else the top-most component among them, else none.
inline TComponent *OwnerFor(QWidget *parent)
{
    TComponent *topMost = nullptr;
    for (QWidget *w = parent; w; w = w->parentWidget()) {
        if (auto *form = qobject_cast<TForm *>(w))
            return form;
        if (auto *component = qobject_cast<TComponent *>(w))
            topMost = component;
    }
    return topMost;
}

/// Puts component on parent: as a child control when parent is a windowed control, else as
/// a plain child widget.
template <typename T>
void PlaceOn(T *component, QWidget *parent)
{
    if (!parent)
        return;
    if constexpr (std::is_base_of_v<TControl, T>) {
        if (auto *win = qobject_cast<TWinControl *>(parent)) {
            component->SetParent(win);
            return;
        }
    }
    component->QWidget::setParent(parent);
    // A plain child widget shows with its parent; a non-visual component and a control
    // made invisible stay hidden, and one added to a parent already on screen is shown.
    bool visible = false;
    if constexpr (std::is_base_of_v<TControl, T>)
        visible = component->Visible();
    if (!visible)
        component->hide();
    else if (parent->isVisible())
        component->show();
}

// The classes carry their own meta-object, so Qt Designer stores forms with these names and
// the generated code constructs them.
#define JXT_UI_CONSTRUCTOR(Class)                                                                  \
    explicit Class(QWidget *parent = nullptr) : ::jxt::Class(::jxt::ui::OwnerFor(parent))          \
    {                                                                                              \
        ::jxt::ui::PlaceOn(this, parent);                                                          \
    }

class TJXScrollText : public ::jxt::TJXScrollText
{
    Q_OBJECT
public:
    JXT_UI_CONSTRUCTOR(TJXScrollText)
};

class TJXGauge : public ::jxt::TJXGauge
{
    Q_OBJECT
public:
    JXT_UI_CONSTRUCTOR(TJXGauge)
};

class TJXLCDPanel : public ::jxt::TJXLCDPanel
{
    Q_OBJECT
public:
    JXT_UI_CONSTRUCTOR(TJXLCDPanel)
};

class TJXDOTPanel : public ::jxt::TJXDOTPanel
{
    Q_OBJECT
public:
    JXT_UI_CONSTRUCTOR(TJXDOTPanel)
};

class TJX3dLabel : public ::jxt::TJX3dLabel
{
    Q_OBJECT
public:
    JXT_UI_CONSTRUCTOR(TJX3dLabel)
};

class TJXPanel : public ::jxt::TJXPanel
{
    Q_OBJECT
public:
    JXT_UI_CONSTRUCTOR(TJXPanel)
};

class TJXBlinker : public ::jxt::TJXBlinker
{
    Q_OBJECT
public:
    JXT_UI_CONSTRUCTOR(TJXBlinker)
};

#undef JXT_UI_CONSTRUCTOR

/// Creates the widget class of that component class name (e.g. "TJXGauge") on parent.
using TWidgetFactory = std::function<QWidget *(QWidget *parent)>;

/// The widget classes above by the name of the component class they stand for.
inline const std::map<QString, TWidgetFactory> &WidgetFactories()
{
    static const std::map<QString, TWidgetFactory> factories = {
        {QStringLiteral("TJXScrollText"), [](QWidget *p) -> QWidget * { return new TJXScrollText(p); }},
        {QStringLiteral("TJXGauge"), [](QWidget *p) -> QWidget * { return new TJXGauge(p); }},
        {QStringLiteral("TJXLCDPanel"), [](QWidget *p) -> QWidget * { return new TJXLCDPanel(p); }},
        {QStringLiteral("TJXDOTPanel"), [](QWidget *p) -> QWidget * { return new TJXDOTPanel(p); }},
        {QStringLiteral("TJX3dLabel"), [](QWidget *p) -> QWidget * { return new TJX3dLabel(p); }},
        {QStringLiteral("TJXPanel"), [](QWidget *p) -> QWidget * { return new TJXPanel(p); }},
        {QStringLiteral("TJXBlinker"), [](QWidget *p) -> QWidget * { return new TJXBlinker(p); }},
    };
    return factories;
}

} // namespace ui
} // namespace jxt
