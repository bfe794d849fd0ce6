// SPDX-License-Identifier: MIT
// Colour editing in Qt Designer. Designer's property editor shows a colour property of ours
// as text (a name such as "clBtnFace" or "#RRGGBB", so a system colour stays one in the saved
// form); the "Farben..." entry of the widget's context menu opens a picker for all colour
// properties of the widget at once: every colour name with its swatch, and the colour dialog
// for any other colour.
#pragma once

#include <QDialog>
#include <QStringList>
#include <QtDesigner/QDesignerTaskMenuExtension>
#include <QtDesigner/QExtensionFactory>

#include <vector>

class QAction;
class QComboBox;

namespace jxt {
namespace designer {

/// The names of the colour properties a widget publishes, in declaration order.
QStringList ColorPropertyNames(const QObject *widget);

/// One row per colour property of a widget: its name, a list of all colour names with
/// swatches (the text may also be "#RRGGBB"), and a button that opens the colour dialog
/// (through the library's dialog service).
class TColorPropertyDialog : public QDialog
{
    Q_OBJECT

public:
    explicit TColorPropertyDialog(QObject *widget, QWidget *parent = nullptr);

    /// The properties whose text differs from the widget's current value, with their new
    /// texts (names of named colours, "#RRGGBB" otherwise).
    std::vector<std::pair<QString, QString>> Changes() const;
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

/// The context-menu entry "Farben..." of our widgets with colour properties. Accepted
/// changes go through the form window's cursor, so they can be undone and are saved.
class TColorTaskMenu : public QObject, public QDesignerTaskMenuExtension
{
    Q_OBJECT
    Q_INTERFACES(QDesignerTaskMenuExtension)

public:
    TColorTaskMenu(QWidget *widget, QObject *parent);
    QAction *preferredEditAction() const override;
    QList<QAction *> taskActions() const override;

private:
    void Edit();
    QWidget *m_widget;
    QAction *m_action;
};

/// Makes a TColorTaskMenu for each of our widgets that publishes a colour property.
class TColorTaskMenuFactory : public QExtensionFactory
{
    Q_OBJECT

public:
    explicit TColorTaskMenuFactory(QExtensionManager *parent = nullptr);

protected:
    QObject *createExtension(QObject *object, const QString &iid, QObject *parent) const override;
};

} // namespace designer
} // namespace jxt
