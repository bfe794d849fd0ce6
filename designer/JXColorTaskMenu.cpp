// SPDX-License-Identifier: MIT
#include "JXColorTaskMenu.h"

#include "host/controls/Dialogs.h"
#include "host/graphics/ColorValue.h"
#include "host/graphics/Graphics.h"

#include <QAction>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QMetaProperty>
#include <QPainter>
#include <QPixmap>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtDesigner/QDesignerFormWindowCursorInterface>
#include <QtDesigner/QDesignerFormWindowInterface>

namespace jxt {
namespace designer {

namespace {

/// The component class's own colour property (the widget classes shadow it with a text
/// property of the same name): its value as text.
QString ColorText(const QObject *widget, const QString &name)
{
    const QByteArray key = name.toLatin1();
    for (const QMetaObject *meta = widget->metaObject(); meta; meta = meta->superClass()) {
        const int index = meta->indexOfProperty(key.constData());
        if (index < 0)
            continue;
        const QMetaProperty p = meta->property(index);
        if (p.metaType() == QMetaType::fromType<TColorValue>())
            return p.read(widget).value<TColorValue>().ToString();
    }
    return QString();
}

QIcon Swatch(TColor color)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.setBrush(ColorToQColor(color));
    painter.drawRect(0, 0, 15, 15);
    return QIcon(pixmap);
}

/// A colour text in the form a form file keeps: the name where the colour has one.
QString Normalized(const QString &text)
{
    TColor color = clBlack;
    if (!TColorValue::FromString(text, color))
        return QString();
    return TColorValue(color).ToString();
}

} // namespace

QStringList ColorPropertyNames(const QObject *widget)
{
    // Base classes first, each in its own declaration order.
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

TColorPropertyDialog::TColorPropertyDialog(QObject *widget, QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Farben"));
    auto *form = new QFormLayout;
    const QStringList names = ColorNames();
    for (const QString &property : ColorPropertyNames(widget)) {
        auto *editor = new QComboBox;
        editor->setEditable(true);
        editor->setInsertPolicy(QComboBox::NoInsert);
        for (const QString &name : names) {
            TColor color = clBlack;
            IdentToColor(name, color);
            editor->addItem(Swatch(color), name);
        }
        const QString initial = ColorText(widget, property);
        editor->setCurrentText(initial);
        auto *pick = new QToolButton;
        pick->setText(QStringLiteral("..."));
        pick->setToolTip(QStringLiteral("Farbe wählen"));
        connect(pick, &QToolButton::clicked, this, [this, property] { PickColor(property); });
        auto *row = new QHBoxLayout;
        row->addWidget(editor, 1);
        row->addWidget(pick);
        form->addRow(property, row);
        m_rows.push_back({property, initial, editor});
    }
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
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

std::vector<std::pair<QString, QString>> TColorPropertyDialog::Changes() const
{
    std::vector<std::pair<QString, QString>> changes;
    for (const TRow &row : m_rows) {
        const QString text = Normalized(row.editor->currentText());
        // A text that names no colour changes nothing.
        if (!text.isEmpty() && text != row.initial)
            changes.emplace_back(row.property, text);
    }
    return changes;
}

TColorTaskMenu::TColorTaskMenu(QWidget *widget, QObject *parent)
    : QObject(parent), m_widget(widget), m_action(new QAction(QStringLiteral("Farben..."), this))
{
    connect(m_action, &QAction::triggered, this, &TColorTaskMenu::Edit);
}

QAction *TColorTaskMenu::preferredEditAction() const
{
    return m_action;
}

QList<QAction *> TColorTaskMenu::taskActions() const
{
    return {m_action};
}

void TColorTaskMenu::Edit()
{
    TColorPropertyDialog dialog(m_widget, m_widget->window());
    if (dialog.exec() != QDialog::Accepted)
        return;
    QDesignerFormWindowInterface *formWindow =
        QDesignerFormWindowInterface::findFormWindow(m_widget);
    for (const auto &[property, text] : dialog.Changes()) {
        if (formWindow)
            formWindow->cursor()->setWidgetProperty(m_widget, property, text);
        else
            m_widget->setProperty(property.toLatin1().constData(), text);
    }
}

TColorTaskMenuFactory::TColorTaskMenuFactory(QExtensionManager *parent) : QExtensionFactory(parent)
{}

QObject *TColorTaskMenuFactory::createExtension(QObject *object, const QString &iid,
                                                QObject *parent) const
{
    if (iid != QLatin1String(Q_TYPEID(QDesignerTaskMenuExtension)))
        return nullptr;
    auto *widget = qobject_cast<QWidget *>(object);
    if (!widget || ColorPropertyNames(widget).isEmpty())
        return nullptr;
    return new TColorTaskMenu(widget, parent);
}

} // namespace designer
} // namespace jxt
