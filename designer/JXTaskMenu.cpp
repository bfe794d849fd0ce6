// SPDX-License-Identifier: MIT
#include "JXTaskMenu.h"

#include "DesignerValues.h"

#include "host/controls/Buttons.h"
#include "host/controls/Dialogs.h"
#include "host/controls/Forms.h"
#include "host/designer/DesignRegistry.h"
#include "host/graphics/ColorValue.h"
#include "host/graphics/Graphics.h"
#include "package/JXDesignerWidgets.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMetaProperty>
#include <QPainter>
#include <QPixmap>
#include <QToolButton>
#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QDesignerFormWindowCursorInterface>
#include <QtDesigner/QDesignerFormWindowInterface>
#include <QtDesigner/QDesignerPropertySheetExtension>
#include <QtDesigner/QExtensionManager>

namespace jxt {
namespace designer {

namespace {

/// The colour a colour property of ours holds (read from the component's own property, which
/// the widget class shows as a QColor).
TColor CurrentColor(const QObject *widget, const QString &name)
{
    const QByteArray key = name.toLatin1();
    for (const QMetaObject *meta = widget->metaObject(); meta; meta = meta->superClass()) {
        const int index = meta->indexOfProperty(key.constData());
        if (index < 0)
            continue;
        const QMetaProperty p = meta->property(index);
        if (p.metaType() == QMetaType::fromType<TColorValue>())
            return p.read(widget).value<TColorValue>();
    }
    return clBlack;
}

QIcon Swatch(TColor color)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.setBrush(ColorToQColor(ColorToRGB(color)));
    painter.drawRect(0, 0, 15, 15);
    return QIcon(pixmap);
}

bool SameValue(const QVariant &a, const QVariant &b)
{
    if (a.metaType() == QMetaType::fromType<QPixmap>() &&
        b.metaType() == QMetaType::fromType<QPixmap>())
        return a.value<QPixmap>().toImage() == b.value<QPixmap>().toImage();
    return a == b;
}

/// The widget's property of that name as the most derived class declares it.
QMetaProperty PropertyOf(const QObject *widget, const QString &name)
{
    const QMetaObject *meta = widget->metaObject();
    return meta->property(meta->indexOfProperty(name.toLatin1().constData()));
}

} // namespace

const QStringList &PathPropertyNames()
{
    static const QStringList names = {
        QStringLiteral("FileName"),    QStringLiteral("IconFileName"), QStringLiteral("PicPattern"),
        QStringLiteral("INIFileName"), QStringLiteral("Source"),       QStringLiteral("Dest"),
        QStringLiteral("FilePattern"), QStringLiteral("StartPath"),    QStringLiteral("HelpFile"),
        QStringLiteral("SelFont"),     QStringLiteral("DOTCharSet"),
    };
    return names;
}

bool KeptUntranslated(const QString &className, const QString &property)
{
    if (PathPropertyNames().contains(property) || property == QLatin1String("ModellItems"))
        return true;
    return className.endsWith(QLatin1String("TJXFxImage")) && property == QLatin1String("Caption");
}

QStringList ColorPropertyNames(const QObject *widget)
{
    // Base classes first, each in its own declaration order; a colour is a QColor property
    // of the widget class over a colour of the component.
    std::vector<const QMetaObject *> chain;
    for (const QMetaObject *meta = widget->metaObject(); meta; meta = meta->superClass())
        chain.insert(chain.begin(), meta);
    QStringList names;
    for (const QMetaObject *meta : chain) {
        for (int i = meta->propertyOffset(); i < meta->propertyCount(); ++i) {
            const QMetaProperty p = meta->property(i);
            const QString name = QString::fromLatin1(p.name());
            if (p.metaType() == QMetaType::fromType<TColorValue>() && !names.contains(name))
                names << name;
        }
    }
    return names;
}

// TColorPropertyDialog

TColorPropertyDialog::TColorPropertyDialog(QObject *widget, TComponent *owner) : TForm(owner)
{
    SetName(QStringLiteral("ColorPropertyDialog"));
    SetCaption(QCoreApplication::translate("jxtpack", "Farben"));
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    const QStringList names = ColorNames();
    constexpr int kRowHeight = 28;
    int top = 8;
    for (const QString &property : ColorPropertyNames(widget)) {
        auto *label = new QLabel(property, this);
        label->setGeometry(8, top + 4, 120, 20);
        auto *editor = new QComboBox(this);
        editor->setObjectName(property);
        editor->setEditable(true);
        editor->setInsertPolicy(QComboBox::NoInsert);
        for (const QString &name : names) {
            TColor color = clBlack;
            IdentToColor(name, color);
            editor->addItem(Swatch(color), name);
        }
        const QString initial = TColorValue(CurrentColor(widget, property)).ToString();
        editor->setCurrentText(initial);
        editor->setGeometry(132, top, 180, 24);
        auto *pick = new QToolButton(this);
        pick->setText(QStringLiteral("..."));
        pick->setToolTip(QCoreApplication::translate("jxtpack", "Farbe wählen"));
        pick->setGeometry(316, top, 28, 24);
        connect(pick, &QToolButton::clicked, this, [this, property] { PickColor(property); });
        m_rows.push_back({property, initial, editor});
        top += kRowHeight;
    }
    const auto button = [this, top](const char *name, TBitBtnKind kind, int left,
                                    const QString &caption) {
        auto *b = new TBitBtn(this);
        b->SetName(QString::fromLatin1(name));
        b->SetParent(this);
        b->SetKind(kind);
        b->SetCaption(caption);
        b->SetBounds(left, top + 8, 80, 25);
        return b;
    };
    button("OkButton", bkOK, 180, QStringLiteral("OK"));
    button("CancelButton", bkCancel, 264, QCoreApplication::translate("jxtpack", "Abbruch"));
    SetClientWidth(352);
    SetClientHeight(top + 41);
}

QComboBox *TColorPropertyDialog::Editor(const QString &property) const
{
    for (const TRow &row : m_rows)
        if (row.property == property)
            return row.editor;
    return nullptr;
}

void TColorPropertyDialog::PickColor(const QString &property)
{
    QComboBox *editor = Editor(property);
    if (!editor)
        return;
    TColor current = clBlack;
    TColorValue::FromString(editor->currentText(), current);
    TDialogRequest request;
    request.kind = TDialogRequest::Color;
    request.caption = property;
    request.color = ColorToRGB(current);
    if (DialogService()->Show(request) != mrOk)
        return;
    editor->setCurrentText(TColorValue(TColor(request.color & 0xFFFFFF)).ToString());
}

std::vector<std::pair<QString, QColor>> TColorPropertyDialog::Changes() const
{
    std::vector<std::pair<QString, QColor>> changes;
    for (const TRow &row : m_rows) {
        TColor color = clBlack;
        // A text that names no colour changes nothing.
        if (!TColorValue::FromString(row.editor->currentText(), color))
            continue;
        if (TColorValue(color).ToString() != row.initial)
            changes.emplace_back(row.property, ui::DesignerColor(color));
    }
    return changes;
}

// TJXTaskMenu

TJXTaskMenu::TJXTaskMenu(QWidget *widget, QObject *parent) : QObject(parent), m_widget(widget)
{
    auto *component = qobject_cast<TComponent *>(widget);
    const QMetaObject *meta = widget->metaObject();
    QAction *about = nullptr;
    QStringList seen;
    // In the order the component declares its properties.
    for (int i = QWidget::staticMetaObject.propertyCount(); i < meta->propertyCount(); ++i) {
        const QString name = QString::fromLatin1(meta->property(i).name());
        if (seen.contains(name))
            continue;
        seen << name;
        if (!component || !CreatePropertyEditor(component, name))
            continue;
        auto *action = new QAction(name + QStringLiteral("..."), this);
        connect(action, &QAction::triggered, this, [this, name] { RunEditor(name); });
        m_actions << action;
        if (name == QLatin1String("About_JXTools"))
            about = action;
        else if (!m_preferred)
            m_preferred = action;
    }
    if (!ColorPropertyNames(widget).isEmpty()) {
        auto *colors = new QAction(QCoreApplication::translate("jxtpack", "Farben..."), this);
        connect(colors, &QAction::triggered, this, &TJXTaskMenu::EditColors);
        m_actions << colors;
        if (!m_preferred)
            m_preferred = colors;
    }
    if (!m_preferred)
        m_preferred = about;
}

QAction *TJXTaskMenu::preferredEditAction() const
{
    return m_preferred;
}

QList<QAction *> TJXTaskMenu::taskActions() const
{
    return m_actions;
}

std::map<QString, QVariant> TJXTaskMenu::Snapshot() const
{
    std::map<QString, QVariant> values;
    const QMetaObject *meta = m_widget->metaObject();
    for (int i = QWidget::staticMetaObject.propertyCount(); i < meta->propertyCount(); ++i) {
        const QMetaProperty p = meta->property(i);
        if (meta->indexOfProperty(p.name()) != i || !p.isDesignable() || !p.isWritable())
            continue;
        values[QString::fromLatin1(p.name())] = p.read(m_widget);
    }
    return values;
}

void TJXTaskMenu::RunEditor(const QString &property)
{
    auto *component = qobject_cast<TComponent *>(m_widget);
    auto editor = component ? CreatePropertyEditor(component, property) : nullptr;
    if (!editor)
        return;
    const auto before = Snapshot();
    editor->Edit();
    Apply(before, property);
}

void TJXTaskMenu::EditColors()
{
    const auto before = Snapshot();
    TColorPropertyDialog dialog(m_widget);
    if (dialog.ShowModal() != mrOk)
        return;
    for (const auto &[property, color] : dialog.Changes())
        m_widget->setProperty(property.toLatin1().constData(), color);
    Apply(before, QCoreApplication::translate("jxtpack", "Farben"));
}

QVariant TJXTaskMenu::SheetValue(const QString &property, const QVariant &value)
{
    QDesignerFormWindowInterface *fw = QDesignerFormWindowInterface::findFormWindow(m_widget);
    auto *sheet =
        qt_extension<QDesignerPropertySheetExtension *>(fw->core()->extensionManager(), m_widget);
    const int index = sheet ? sheet->indexOf(property) : -1;
    const QString cls = QString::fromLatin1(m_widget->metaObject()->className());
    if (value.metaType() == QMetaType::fromType<QString>())
        return SheetText(sheet, index, value.toString(), !KeptUntranslated(cls, property));
    if (value.metaType() == QMetaType::fromType<QStringList>())
        return SheetTextList(sheet, index, value.toStringList(), !KeptUntranslated(cls, property));
    if (value.metaType() != QMetaType::fromType<QPixmap>())
        return value;
    const QPixmap pixmap = value.value<QPixmap>();
    if (pixmap.isNull())
        return SheetPixmap(sheet, index, QString());
    // A form keeps a picture as the file it comes from: the edited picture goes into a file
    // the user names, beside the form by default.
    QString fileName = QDir(fw->absoluteDir())
                           .filePath(m_widget->objectName() + QLatin1Char('_') + property +
                                     QStringLiteral(".bmp"));
    if (!PromptForFileName(fileName,
                           QCoreApplication::translate("jxtpack", "Bitmap|*.BMP|Alle Dateien|*.*"),
                           fw->absoluteDir().path(),
                           QCoreApplication::translate("jxtpack", "%1.%2 speichern")
                               .arg(m_widget->objectName(), property),
                           true))
        return QVariant();
    if (QFileInfo(fileName).suffix().isEmpty())
        fileName += QStringLiteral(".bmp");
    try {
        TBitmap bitmap;
        bitmap.SetImage(pixmap.toImage().convertToFormat(QImage::Format_RGB32));
        bitmap.SaveToFile(fileName);
    } catch (const Exception &e) {
        ShowMessage(e.Message());
        return QVariant();
    }
    return SheetPixmap(sheet, index, QFileInfo(fileName).absoluteFilePath());
}

void TJXTaskMenu::Apply(const std::map<QString, QVariant> &before, const QString &description)
{
    std::map<QString, QVariant> after;
    for (const auto &[name, value] : before) {
        const QVariant now = PropertyOf(m_widget, name).read(m_widget);
        if (!SameValue(value, now))
            after[name] = now;
    }
    QDesignerFormWindowInterface *fw = QDesignerFormWindowInterface::findFormWindow(m_widget);
    if (after.empty() || !fw)
        return; // outside a form the editor's change simply stays
    // Each property goes back to its old value first, so the command records both values.
    for (const auto &[name, value] : after)
        PropertyOf(m_widget, name).write(m_widget, before.at(name));
    fw->beginCommand(description);
    for (const auto &[name, value] : after) {
        const QVariant sheetValue = SheetValue(name, value);
        if (sheetValue.isValid())
            fw->cursor()->setWidgetProperty(m_widget, name, sheetValue);
    }
    fw->endCommand();
}

// TJXTaskMenuFactory

TJXTaskMenuFactory::TJXTaskMenuFactory(QExtensionManager *parent) : QExtensionFactory(parent) {}

QObject *TJXTaskMenuFactory::createExtension(QObject *object, const QString &iid,
                                             QObject *parent) const
{
    if (iid != QLatin1String(Q_TYPEID(QDesignerTaskMenuExtension)))
        return nullptr;
    auto *component = qobject_cast<TComponent *>(object);
    if (!component || !FindRegisteredClass(component->ClassName()))
        return nullptr;
    return new TJXTaskMenu(component, parent);
}

} // namespace designer
} // namespace jxt
