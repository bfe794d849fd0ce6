// SPDX-License-Identifier: MIT
// Qt Designer in the test program: its form editor with the library's plugin, and form
// windows opened on .ui texts.
#pragma once

#include <QString>

#include <memory>

class QDesignerFormEditorInterface;
class QDesignerFormWindowInterface;
class QDesignerPropertySheetExtension;
class QDesignerTaskMenuExtension;
class QObject;
class QWidget;

namespace jxt::test {

/// Designer's form editor, made once for the program; the library's plugin is one of its
/// plugins.
QDesignerFormEditorInterface *DesignerCore();

/// Deletes a form window (and the widgets on it).
struct TFormWindowDeleter
{
    void operator()(QDesignerFormWindowInterface *fw) const;
};
using TFormWindow = std::unique_ptr<QDesignerFormWindowInterface, TFormWindowDeleter>;

/// A Designer form window holding the form of a .ui text, the active one of the editor.
/// fileName places the form (pictures saved by editors go beside it).
TFormWindow OpenForm(const QString &uiText, const QString &fileName = QString());
/// A .ui text of a 600 x 400 QWidget form named "Form" whose body (widget elements) is
/// given.
QString FormText(const QString &body);
/// The named widget of a form window's form.
QWidget *FindWidget(QDesignerFormWindowInterface *fw, const QString &name);
/// Designer's property sheet and task menu of an object on a form.
QDesignerPropertySheetExtension *PropertySheet(QObject *object);
QDesignerTaskMenuExtension *TaskMenu(QObject *object);
/// The properties the property editor lists for an object: visible, and each name once as
/// its most derived declaration.
QStringList ListedProperties(QObject *object);

} // namespace jxt::test
