// SPDX-License-Identifier: MIT
// The Qt Designer plugin over the design-time registry.
#include "JXDesignerPlugin.h"

#include "JXTaskMenu.h"

#include "host/controls/Controls.h"
#include "host/core/SysUtils.h"
#include "host/graphics/Graphics.h"
#include "package/JXDesignerWidgets.h"
#include "package/JXTools.h"

#include <QBitmap>
#include <QMetaClassInfo>
#include <QMetaProperty>
#include <QPixmap>
#include <QPointer>
#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QDesignerFormWindowInterface>
#include <QtDesigner/QExtensionManager>

#include <memory>

namespace jxt {
namespace designer {

namespace {

/// The size a component without bounds of its own (a non-visual one) takes on a form.
constexpr int kNonVisualSize = 28;

const QString kWidgetsHeader = QStringLiteral("package/JXDesignerWidgets.h");

/// Puts a widget the registry's factory made onto the form being edited.
void PlaceOnForm(TComponent *component, QWidget *parent)
{
    if (!parent)
        return;
    auto *control = qobject_cast<TControl *>(component);
    auto *win = qobject_cast<TWinControl *>(parent);
    if (control && win) {
        control->SetParent(win);
        return;
    }
    component->QWidget::setParent(parent);
    component->show();
}

/// A class info of meta or its base classes, or an empty text.
QString ClassInfo(const QMetaObject *meta, const char *name)
{
    if (!meta)
        return QString();
    const int index = meta->indexOfClassInfo(name);
    return index >= 0 ? QString::fromUtf8(meta->classInfo(index).value()) : QString();
}

} // namespace

QIcon PaletteIcon(const QString &className)
{
    TBitmap bitmap;
    try {
        bitmap.LoadFromResourceName(className.toUpper());
    } catch (const Exception &) {
        return QIcon();
    }
    QImage image = bitmap.Image();
    if (image.isNull())
        return QIcon();
    QPixmap pixmap = QPixmap::fromImage(image);
    const QRgb transparent = image.pixel(0, image.height() - 1);
    pixmap.setMask(QBitmap::fromImage(image.createMaskFromColor(transparent, Qt::MaskInColor)));
    return QIcon(pixmap);
}

TJXDesignerWidget::TJXDesignerWidget(const TComponentClass &componentClass,
                                     const QString &widgetClass, const QString &includeFile,
                                     TFactory factory, QObject *parent)
    : QObject(parent), m_componentClass(componentClass), m_widgetClass(widgetClass),
      m_includeFile(includeFile), m_factory(std::move(factory)),
      m_icon(PaletteIcon(componentClass.Name()))
{}

QString TJXDesignerWidget::group() const
{
    return JXTools::kPalettePage;
}

QString TJXDesignerWidget::toolTip() const
{
    const QString tip = ClassInfo(m_componentClass.meta, "ToolTip");
    return tip.isEmpty() ? m_componentClass.Name() : tip;
}

QString TJXDesignerWidget::whatsThis() const
{
    const QString text = ClassInfo(m_componentClass.meta, "WhatsThis");
    return text.isEmpty() ? toolTip() : text;
}

void TJXDesignerWidget::initialize(QDesignerFormEditorInterface *core)
{
    // One task menu factory for all our widgets, registered by the first to be initialised.
    static QPointer<QExtensionManager> registeredWith;
    if (core && core->extensionManager() && registeredWith != core->extensionManager()) {
        registeredWith = core->extensionManager();
        registeredWith->registerExtensions(new TJXTaskMenuFactory(registeredWith),
                                           Q_TYPEID(QDesignerTaskMenuExtension));
    }
    m_core = core;
    m_initialized = true;
}

QWidget *TJXDesignerWidget::createWidget(QWidget *parent)
{
    QWidget *widget = m_factory(parent);
    auto *component = qobject_cast<TComponent *>(widget);
    if (!component)
        return widget;
    // Only a form window of Designer designs; a form loaded anywhere else runs.
    const bool designing = parent && QDesignerFormWindowInterface::findFormWindow(parent);
    if (!designing)
        return widget;
    component->SetDesigning(true);
    auto *control = qobject_cast<TControl *>(component);
    if (!control) {
        // A non-visual component gets a small box on the form, to be selected and moved.
        component->resize(kNonVisualSize, kNonVisualSize);
        component->show();
    } else if (!control->Parent()) {
        // In the designer every control is shown, also one invisible at run time.
        control->show();
    }
    return widget;
}

QString TJXDesignerWidget::domXml() const
{
    // The default bounds are those of a fresh component.
    int width = kNonVisualSize;
    int height = kNonVisualSize;
    std::unique_ptr<TComponent> probe(m_componentClass.create(nullptr));
    if (auto *control = qobject_cast<TControl *>(probe.get())) {
        width = control->Width();
        height = control->Height();
    }
    QString objectName = m_componentClass.Name();
    if (objectName.startsWith(QLatin1Char('T')))
        objectName.remove(0, 1);
    // Paths and patterns, and the few other texts that are data, are never translated.
    QString specifications;
    const QMetaObject *meta = m_componentClass.meta;
    for (int i = 0; meta && i < meta->propertyCount(); ++i) {
        const QString name = QString::fromLatin1(meta->property(i).name());
        if (meta->property(i).metaType() == QMetaType::fromType<QString>() &&
            KeptUntranslated(m_componentClass.Name(), name))
            specifications +=
                QStringLiteral("    <stringpropertyspecification name=\"%1\" notr=\"true\""
                               " type=\"singleline\"/>\n")
                    .arg(name);
    }
    QString customWidgets;
    if (!specifications.isEmpty())
        customWidgets =
            QStringLiteral(" <customwidgets>\n  <customwidget>\n   <class>%1</class>\n"
                           "   <propertyspecifications>\n%2   </propertyspecifications>\n"
                           "  </customwidget>\n </customwidgets>\n")
                .arg(m_widgetClass, specifications);
    return QStringLiteral("<ui language=\"c++\" displayname=\"%1\">\n"
                          " <widget class=\"%2\" name=\"%3\">\n"
                          "  <property name=\"geometry\">\n"
                          "   <rect><x>0</x><y>0</y><width>%4</width><height>%5</height></rect>\n"
                          "  </property>\n"
                          " </widget>\n"
                          "%6"
                          "</ui>\n")
        .arg(m_componentClass.Name(), m_widgetClass, objectName)
        .arg(width)
        .arg(height)
        .arg(customWidgets);
}

TJXDesignerPlugin::TJXDesignerPlugin(QObject *parent) : QObject(parent)
{
    JXTools::Register();
    const auto &wrappers = ui::WidgetFactories();
    for (const TComponentClass &cls : RegisteredComponents(JXTools::kPalettePage)) {
        const auto wrapper = wrappers.find(cls.Name());
        if (wrapper != wrappers.end()) {
            // A class with a widget class of its own: forms store that name, and the code
            // generated from them constructs it on the parent widget.
            m_widgets.append(new TJXDesignerWidget(cls, QStringLiteral("jxt::ui::") + cls.Name(),
                                                   kWidgetsHeader, wrapper->second, this));
        } else {
            // Any other registered class is still offered; it is created by the registry's
            // factory without an owner and placed on the form.
            auto factory = [create = cls.create](QWidget *parent) -> QWidget * {
                TComponent *component = create(nullptr);
                PlaceOnForm(component, parent);
                return component;
            };
            m_widgets.append(new TJXDesignerWidget(cls, QString::fromLatin1(cls.meta->className()),
                                                   QString(), factory, this));
        }
    }
}

} // namespace designer
} // namespace jxt
