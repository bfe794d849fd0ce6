// SPDX-License-Identifier: MIT
// The Qt Designer plugin over the design-time registry.
#include "JXDesignerPlugin.h"

#include "host/Controls.h"
#include "host/Graphics.h"
#include "host/SysUtils.h"
#include "package/JXDesignerWidgets.h"
#include "package/JXTools.h"

#include <QBitmap>
#include <QPixmap>

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

void TJXDesignerWidget::initialize(QDesignerFormEditorInterface *)
{
    m_initialized = true;
}

QWidget *TJXDesignerWidget::createWidget(QWidget *parent)
{
    QWidget *widget = m_factory(parent);
    if (auto *component = qobject_cast<TComponent *>(widget)) {
        component->SetDesigning(true);
        // A non-visual component gets a small box on the form, to be selected and moved.
        if (!qobject_cast<TControl *>(component)) {
            component->resize(kNonVisualSize, kNonVisualSize);
            if (parent)
                component->show();
        }
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
    return QStringLiteral("<ui language=\"c++\">\n"
                          " <widget class=\"%1\" name=\"%2\">\n"
                          "  <property name=\"geometry\">\n"
                          "   <rect><x>0</x><y>0</y><width>%3</width><height>%4</height></rect>\n"
                          "  </property>\n"
                          " </widget>\n"
                          "</ui>\n")
        .arg(m_widgetClass, objectName)
        .arg(width)
        .arg(height);
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
