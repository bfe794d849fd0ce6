// SPDX-License-Identifier: MIT
#include "DesignerCore.h"

#include <QBuffer>
#include <QStringList>
#include <QtDesigner/QDesignerComponents>
#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QDesignerFormWindowInterface>
#include <QtDesigner/QDesignerFormWindowManagerInterface>
#include <QtDesigner/QDesignerIntegration>
#include <QtDesigner/QDesignerPropertyEditorInterface>
#include <QtDesigner/QDesignerPropertySheetExtension>
#include <QtDesigner/QDesignerTaskMenuExtension>
#include <QtDesigner/QExtensionManager>
#include <QtPlugin>

// The plugin's sources are compiled into this program as a static plugin.
Q_IMPORT_PLUGIN(TJXDesignerPlugin)

namespace jxt::test {

QDesignerFormEditorInterface *DesignerCore()
{
    static QDesignerFormEditorInterface *core = [] {
        QDesignerComponents::initializeResources();
        QDesignerFormEditorInterface *editor = QDesignerComponents::createFormEditor(nullptr);
        QDesignerComponents::initializePlugins(editor);
        // The parts of Designer's main window the form windows work with.
        editor->setPropertyEditor(QDesignerComponents::createPropertyEditor(editor, nullptr));
        new QDesignerIntegration(editor, editor);
        return editor;
    }();
    return core;
}

void TFormWindowDeleter::operator()(QDesignerFormWindowInterface *fw) const
{
    delete fw;
}

TFormWindow OpenForm(const QString &uiText, const QString &fileName)
{
    QDesignerFormWindowManagerInterface *manager = DesignerCore()->formWindowManager();
    TFormWindow fw(manager->createFormWindow(nullptr, Qt::Window));
    if (!fileName.isEmpty())
        fw->setFileName(fileName);
    QByteArray bytes = uiText.toUtf8();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QString error;
    if (!fw->setContents(&buffer, &error))
        qWarning("The form could not be opened: %s", qPrintable(error));
    manager->setActiveFormWindow(fw.get());
    return fw;
}

QString FormText(const QString &body)
{
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                          "<ui version=\"4.0\">\n <class>Form</class>\n"
                          " <widget class=\"QWidget\" name=\"Form\">\n"
                          "  <property name=\"geometry\">\n"
                          "   <rect><x>0</x><y>0</y><width>600</width><height>400</height></rect>\n"
                          "  </property>\n") +
           body + QStringLiteral(" </widget>\n <resources/>\n <connections/>\n</ui>\n");
}

QWidget *FindWidget(QDesignerFormWindowInterface *fw, const QString &name)
{
    return fw && fw->mainContainer() ? fw->mainContainer()->findChild<QWidget *>(name) : nullptr;
}

QDesignerPropertySheetExtension *PropertySheet(QObject *object)
{
    return qt_extension<QDesignerPropertySheetExtension *>(DesignerCore()->extensionManager(),
                                                           object);
}

QDesignerTaskMenuExtension *TaskMenu(QObject *object)
{
    return qt_extension<QDesignerTaskMenuExtension *>(DesignerCore()->extensionManager(), object);
}

QStringList ListedProperties(QObject *object)
{
    QStringList listed;
    QDesignerPropertySheetExtension *sheet = PropertySheet(object);
    if (!sheet)
        return listed;
    for (int i = 0; i < sheet->count(); ++i) {
        const QString name = sheet->propertyName(i);
        if (sheet->isVisible(i) && sheet->indexOf(name) == i)
            listed << name;
    }
    return listed;
}

} // namespace jxt::test
