// SPDX-License-Identifier: MIT
// The Qt Designer plugin: every component the library registers on its palette page, offered
// on a widget-box page of the same name.
#pragma once

#include "host/designer/DesignRegistry.h"

#include <QIcon>
#include <QObject>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

#include <functional>

namespace jxt {
namespace designer {

/// One component class in Qt Designer's widget box.
class TJXDesignerWidget : public QObject, public QDesignerCustomWidgetInterface
{
    Q_OBJECT
    Q_INTERFACES(QDesignerCustomWidgetInterface)

public:
    using TFactory = std::function<QWidget *(QWidget *parent)>;

    /// componentClass is the registered class; widgetClass the C++ name forms store and
    /// generated code constructs; factory creates that class on a parent widget.
    TJXDesignerWidget(const TComponentClass &componentClass, const QString &widgetClass,
                      const QString &includeFile, TFactory factory, QObject *parent = nullptr);

    /// The C++ class forms store; the widget box shows the component class name instead.
    QString name() const override { return m_widgetClass; }
    QString group() const override;
    /// One line saying what the component is (the class's "ToolTip" class info).
    QString toolTip() const override;
    /// A sentence or two more (the class's "WhatsThis" class info).
    QString whatsThis() const override;
    QString includeFile() const override { return m_includeFile; }
    QIcon icon() const override { return m_icon; }
    bool isContainer() const override { return false; }
    /// A widget made for a Designer form window is put into the designing state (invisible
    /// controls show with a dashed frame, non-visual components as a small box); one made
    /// for anything else (QUiLoader, Designer's preview) is a run-time component.
    QWidget *createWidget(QWidget *parent) override;
    bool isInitialized() const override { return m_initialized; }
    void initialize(QDesignerFormEditorInterface *core) override;
    /// The entry's default size and, for the text properties that hold paths and patterns,
    /// that forms keep them untranslated.
    QString domXml() const override;

    const TComponentClass &ComponentClass() const { return m_componentClass; }

private:
    TComponentClass m_componentClass;
    QString m_widgetClass;
    QString m_includeFile;
    TFactory m_factory;
    QIcon m_icon;
    bool m_initialized = false;
    QDesignerFormEditorInterface *m_core = nullptr;
};

/// The collection Qt Designer loads: one entry per class on the library's palette page.
class TJXDesignerPlugin : public QObject, public QDesignerCustomWidgetCollectionInterface
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QDesignerCustomWidgetCollectionInterface")
    Q_INTERFACES(QDesignerCustomWidgetCollectionInterface)

public:
    explicit TJXDesignerPlugin(QObject *parent = nullptr);

    QList<QDesignerCustomWidgetInterface *> customWidgets() const override { return m_widgets; }

private:
    QList<QDesignerCustomWidgetInterface *> m_widgets;
};

/// The palette bitmap of a component class (its upper-case name as resource), with the
/// bottom-left colour transparent; a null icon when the library has none.
QIcon PaletteIcon(const QString &className);

} // namespace designer
} // namespace jxt
