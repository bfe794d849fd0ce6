// SPDX-License-Identifier: MIT
// The context menu Qt Designer shows for each of our widgets: every property editor the
// library registers for one of the widget's properties ("About_JXTools...", "Picture...",
// "Hint...", ...) and "Farben..." for the colours. What an editor or the colour dialog
// changes goes through the form window's cursor as one command, so it is saved with the form
// and can be undone.
#pragma once

#include "host/controls/Forms.h"

#include <QColor>
#include <QStringList>
#include <QtDesigner/QDesignerTaskMenuExtension>
#include <QtDesigner/QExtensionFactory>

#include <map>
#include <vector>

class QAction;
class QComboBox;
class QDesignerFormWindowInterface;

namespace jxt {

class TComponent;

namespace designer {

/// The names of the colour properties a widget publishes, in declaration order.
QStringList ColorPropertyNames(const QObject *widget);

/// "Farben": one row per colour property of a widget, with its name, a list of all colour
/// names with their swatches, system colours included (the text may also be "#RRGGBB"), and
/// a button that opens the colour dialog; OK and Abbruch. A form, so it runs modally through
/// the dialog service.
class TColorPropertyDialog : public TForm
{
    Q_OBJECT

public:
    explicit TColorPropertyDialog(QObject *widget, TComponent *owner = nullptr);

    /// The properties whose colour differs from the widget's, with the new colours in the
    /// form Designer keeps them (see ui::DesignerColor).
    std::vector<std::pair<QString, QColor>> Changes() const;
    /// The editor row of a property (for tests); nullptr for an unknown name.
    QComboBox *Editor(const QString &property) const;
    /// Opens the colour dialog for a property's row, as its button does.
    void PickColor(const QString &property);

private:
    struct TRow
    {
        QString property;
        QString initial;
        QComboBox *editor;
    };
    std::vector<TRow> m_rows;
};

/// The actions of one widget's context menu.
class TJXTaskMenu : public QObject, public QDesignerTaskMenuExtension
{
    Q_OBJECT
    Q_INTERFACES(QDesignerTaskMenuExtension)

public:
    TJXTaskMenu(QWidget *widget, QObject *parent);
    /// The editor of the widget's main property (a double click runs it): the first editor
    /// other than the About entry's, else the colours, else the About entry.
    QAction *preferredEditAction() const override;
    QList<QAction *> taskActions() const override;

    /// Runs the registered editor of property on the widget and applies what it changed.
    void RunEditor(const QString &property);
    /// Opens the colour dialog and applies the colours chosen.
    void EditColors();

private:
    /// The widget's designable properties and their values.
    std::map<QString, QVariant> Snapshot() const;
    /// Applies the properties that differ between before and the widget's values now
    /// through the form window's cursor (restoring each first, so the command holds both
    /// values). A picture is kept in a file the user names, as forms keep pictures.
    void Apply(const std::map<QString, QVariant> &before, const QString &description);
    QVariant SheetValue(const QString &property, const QVariant &value);

    QWidget *m_widget;
    QList<QAction *> m_actions;
    QAction *m_preferred = nullptr;
};

/// Makes a TJXTaskMenu for each widget of the library.
class TJXTaskMenuFactory : public QExtensionFactory
{
    Q_OBJECT

public:
    explicit TJXTaskMenuFactory(QExtensionManager *parent = nullptr);

protected:
    QObject *createExtension(QObject *object, const QString &iid, QObject *parent) const override;
};

/// The text properties that hold file names, paths and patterns rather than text for
/// people: forms keep them untranslated.
const QStringList &PathPropertyNames();
/// Whether a form keeps a text property of a class untranslated: the paths and patterns,
/// a 3D model's text, and the fade image's caption, which becomes its picture when set (code
/// from uic applies translated texts last, after the picture a form gives).
bool KeptUntranslated(const QString &className, const QString &property);

} // namespace designer
} // namespace jxt
