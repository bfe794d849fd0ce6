// SPDX-License-Identifier: MIT
#include "host/designer/DesignRegistry.h"

#include <QMetaProperty>
#include <QStandardPaths>

namespace jxt {

namespace {

struct Registry
{
    QStringList pages;
    std::vector<std::pair<QString, TComponentClass>> classes; // page, class, in order
    std::vector<TRegisteredEditor> editors;
};

Registry &TheRegistry()
{
    static Registry registry;
    return registry;
}

QString StripNamespace(const char *name)
{
    QString s = QString::fromLatin1(name);
    const int colon = s.lastIndexOf(QLatin1String("::"));
    return colon >= 0 ? s.mid(colon + 2) : s;
}

bool Inherits(const QMetaObject *meta, const QMetaObject *base)
{
    for (const QMetaObject *m = meta; m; m = m->superClass())
        if (m == base)
            return true;
    return false;
}

/// The type name the registry uses for a property: the declared name without namespace and
/// without the pointer of an object property ("TBitmap"), with QString reported as "string".
QString TypeNameOf(const QMetaProperty &p)
{
    QString t = StripNamespace(p.typeName()).trimmed();
    if (t.endsWith(QLatin1Char('*')))
        t = t.chopped(1).trimmed();
    return t == QLatin1String("QString") ? QStringLiteral("string") : t;
}

} // namespace

QString TComponentClass::Name() const
{
    return meta ? StripNamespace(meta->className()) : QString();
}

void RegisterComponents(const QString &page, const std::vector<TComponentClass> &classes)
{
    Registry &r = TheRegistry();
    if (!r.pages.contains(page))
        r.pages << page;
    for (const TComponentClass &c : classes) {
        bool known = false;
        for (const auto &entry : r.classes)
            known = known || entry.second == c;
        if (!known)
            r.classes.emplace_back(page, c);
    }
}

void RegisterPropertyEditor(const QString &propertyType, const QMetaObject *componentClass,
                            const QString &propertyName, const QString &editorName,
                            TPropertyEditorFactory factory)
{
    Registry &r = TheRegistry();
    for (const TRegisteredEditor &e : r.editors)
        if (e.propertyType == propertyType && e.componentClass == componentClass &&
            e.propertyName.compare(propertyName, Qt::CaseInsensitive) == 0 &&
            e.editorName == editorName)
            return;
    r.editors.push_back(
        {propertyType, componentClass, propertyName, editorName, std::move(factory)});
}

QStringList RegisteredPages()
{
    return TheRegistry().pages;
}

std::vector<TComponentClass> RegisteredComponents(const QString &page)
{
    std::vector<TComponentClass> out;
    for (const auto &entry : TheRegistry().classes)
        if (entry.first == page)
            out.push_back(entry.second);
    return out;
}

const std::vector<TRegisteredEditor> &RegisteredEditors()
{
    return TheRegistry().editors;
}

const TComponentClass *FindRegisteredClass(const QString &className)
{
    for (const auto &entry : TheRegistry().classes)
        if (entry.second.Name() == className)
            return &entry.second;
    return nullptr;
}

std::unique_ptr<TPropertyEditor> CreatePropertyEditor(TComponent *component,
                                                      const QString &propertyName)
{
    if (!component)
        return nullptr;
    const QMetaObject *meta = component->metaObject();
    // A subclass may show a property again in another type (Designer's widget classes do);
    // the editor is bound to the type of any of its declarations.
    const QByteArray key = propertyName.toLatin1();
    QStringList types;
    for (int i = 0; i < meta->propertyCount(); ++i)
        if (qstricmp(meta->property(i).name(), key.constData()) == 0)
            types << TypeNameOf(meta->property(i));
    if (types.isEmpty())
        return nullptr;
    const auto &editors = TheRegistry().editors;
    for (auto it = editors.rbegin(); it != editors.rend(); ++it) {
        if (!types.contains(it->propertyType, Qt::CaseInsensitive))
            continue;
        if (it->componentClass && !Inherits(meta, it->componentClass))
            continue;
        if (!it->propertyName.isEmpty() &&
            it->propertyName.compare(propertyName, Qt::CaseInsensitive) != 0)
            continue;
        return it->factory({component}, propertyName);
    }
    return nullptr;
}

void ClearRegistry()
{
    TheRegistry() = Registry{};
}

QString DesignerSettingsFileName()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/jxtpack/designer.ini");
}

// TPropertyEditor

TPropertyEditor::TPropertyEditor(std::vector<TComponent *> components, const QString &propertyName)
    : m_components(std::move(components)), m_propertyName(propertyName)
{}

TComponent *TPropertyEditor::GetComponent(int index) const
{
    if (index < 0 || index >= int(m_components.size()))
        return nullptr;
    return m_components[std::size_t(index)];
}

namespace {

/// The component's own declaration of a property: the first in its class chain (a subclass
/// may show it again in another form).
QMetaProperty OwnProperty(const QObject *object, const QString &name)
{
    const QMetaObject *meta = object->metaObject();
    const QByteArray key = name.toLatin1();
    for (int i = 0; i < meta->propertyCount(); ++i)
        if (qstricmp(meta->property(i).name(), key.constData()) == 0)
            return meta->property(i);
    return QMetaProperty();
}

} // namespace

QString TPropertyEditor::GetStrValue() const
{
    TComponent *c = GetComponent(0);
    return c ? OwnProperty(c, m_propertyName).read(c).toString() : QString();
}

void TPropertyEditor::SetStrValue(const QString &value)
{
    for (TComponent *c : m_components)
        OwnProperty(c, m_propertyName).write(c, value);
}

} // namespace jxt
