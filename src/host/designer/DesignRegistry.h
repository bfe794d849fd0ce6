// SPDX-License-Identifier: MIT
// The design-time registry: which component classes go on which palette page, and which
// property editor edits which property. The Qt Designer plugin and the gallery read it.
#pragma once

#include "base/Export.h"

#include "host/core/Component.h"

#include <QMetaObject>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

namespace jxt {

/// A component class as the registry keeps it: its meta-object and a factory.
struct JXT_EXPORT TComponentClass
{
    const QMetaObject *meta = nullptr;
    std::function<TComponent *(TComponent *owner)> create;
    QString Name() const;
    bool operator==(const TComponentClass &o) const { return meta == o.meta; }
};

template <typename T> TComponentClass ClassOf()
{
    return TComponentClass{&T::staticMetaObject,
                           [](TComponent *owner) -> TComponent * { return new T(owner); }};
}

enum TPropertyAttribute {
    paValueList,
    paSubProperties,
    paDialog,
    paMultiSelect,
    paAutoUpdate,
    paSortList,
    paReadOnly,
    paRevertable
};
using TPropertyAttributes = TSet<TPropertyAttribute>;

/// Edits one property of the components selected in the designer.
class JXT_EXPORT TPropertyEditor : public TObject
{
public:
    TPropertyEditor(std::vector<TComponent *> components, const QString &propertyName);
    virtual TPropertyAttributes GetAttributes() const { return {}; }
    /// The text the inspector shows.
    virtual QString GetValue() const { return GetStrValue(); }
    virtual void SetValue(const QString &value) { SetStrValue(value); }
    /// Opens the editor's dialog (for paDialog editors).
    virtual void Edit() {}
    TComponent *GetComponent(int index) const;
    int PropCount() const { return int(m_components.size()); }
    QString PropertyName() const { return m_propertyName; }
    /// The property of the first component as text / set on every component.
    QString GetStrValue() const;
    void SetStrValue(const QString &value);

private:
    std::vector<TComponent *> m_components;
    QString m_propertyName;
};

/// An editor for string properties.
class JXT_EXPORT TStringProperty : public TPropertyEditor
{
public:
    using TPropertyEditor::TPropertyEditor;
    TPropertyAttributes GetAttributes() const override { return {paMultiSelect, paRevertable}; }
};

using TPropertyEditorFactory =
    std::function<std::unique_ptr<TPropertyEditor>(std::vector<TComponent *>, const QString &)>;

template <typename E> TPropertyEditorFactory EditorOf()
{
    return [](std::vector<TComponent *> components, const QString &name) {
        return std::unique_ptr<TPropertyEditor>(new E(std::move(components), name));
    };
}

struct JXT_EXPORT TRegisteredEditor
{
    QString propertyType;              ///< type name, e.g. "TJXAboutString" or "string"
    const QMetaObject *componentClass; ///< nullptr: every class
    QString propertyName;              ///< empty: every property of the type
    QString editorName;                ///< class name of the editor
    TPropertyEditorFactory factory;
};

/// Puts classes on a palette page in the given order; a class already registered keeps its
/// first place.
JXT_EXPORT void RegisterComponents(const QString &page,
                                   const std::vector<TComponentClass> &classes);
/// Binds an editor; registering the same binding twice has no further effect.
JXT_EXPORT void RegisterPropertyEditor(const QString &propertyType,
                                       const QMetaObject *componentClass,
                                       const QString &propertyName, const QString &editorName,
                                       TPropertyEditorFactory factory);

/// The pages in the order they were first used, and the classes of one page.
JXT_EXPORT QStringList RegisteredPages();
JXT_EXPORT std::vector<TComponentClass> RegisteredComponents(const QString &page);
JXT_EXPORT const std::vector<TRegisteredEditor> &RegisteredEditors();
/// The registered class of that name, or nullptr.
JXT_EXPORT const TComponentClass *FindRegisteredClass(const QString &className);
/// The editor bound to the property of component (the most recent matching registration),
/// or nullptr.
JXT_EXPORT std::unique_ptr<TPropertyEditor> CreatePropertyEditor(TComponent *component,
                                                                 const QString &propertyName);
/// Empties the registry (tests).
JXT_EXPORT void ClearRegistry();

/// The designer's own settings file, where design-time editors keep what they remember
/// between sessions: "jxtpack/designer.ini" in the user's configuration folder
/// (QStandardPaths::GenericConfigLocation, so $XDG_CONFIG_HOME where it is set).
JXT_EXPORT QString DesignerSettingsFileName();

} // namespace jxt
