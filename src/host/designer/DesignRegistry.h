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
    const QMetaObject *meta = nullptr;                     ///< The class's meta-object.
    std::function<TComponent *(TComponent *owner)> create; ///< Makes a component of it.
    /// The class name without namespace ("TJXGauge"); empty without a meta-object.
    QString Name() const;
    /// The same class when the meta-objects are the same.
    bool operator==(const TComponentClass &o) const { return meta == o.meta; }
};

/// The registry's entry for component class T.
template <typename T> TComponentClass ClassOf()
{
    return TComponentClass{&T::staticMetaObject,
                           [](TComponent *owner) -> TComponent * { return new T(owner); }};
}

/// What the inspector offers for a property: a list of values, sub-properties, a dialog
/// (Edit), editing several components at once, and so on.
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
/// A set of property attributes.
using TPropertyAttributes = TSet<TPropertyAttribute>;

/// Edits one property of the components selected in the designer.
class JXT_EXPORT TPropertyEditor : public TObject
{
public:
    /// An editor of propertyName on the components selected.
    TPropertyEditor(std::vector<TComponent *> components, const QString &propertyName);
    /// What the inspector offers for the property; default none.
    virtual TPropertyAttributes GetAttributes() const { return {}; }
    /// The text the inspector shows.
    virtual QString GetValue() const { return GetStrValue(); }
    /// Takes the text typed into the inspector.
    virtual void SetValue(const QString &value) { SetStrValue(value); }
    /// Opens the editor's dialog (for paDialog editors).
    virtual void Edit() {}
    /// The selected component at index, or nullptr outside 0..PropCount - 1.
    TComponent *GetComponent(int index) const;
    /// The number of components selected.
    int PropCount() const { return int(m_components.size()); }
    /// The name of the property edited.
    QString PropertyName() const { return m_propertyName; }
    /// The property of the first component as text / set on every component.
    //!@{
    QString GetStrValue() const;
    void SetStrValue(const QString &value);
    //!@}

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

/// Makes an editor for the components selected and a property name.
using TPropertyEditorFactory =
    std::function<std::unique_ptr<TPropertyEditor>(std::vector<TComponent *>, const QString &)>;

/// The factory of editor class E.
template <typename E> TPropertyEditorFactory EditorOf()
{
    return [](std::vector<TComponent *> components, const QString &name) {
        return std::unique_ptr<TPropertyEditor>(new E(std::move(components), name));
    };
}

/// A property editor as the registry keeps it: which properties it edits, and its factory.
struct JXT_EXPORT TRegisteredEditor
{
    QString propertyType;              ///< type name, e.g. "TJXAboutString" or "string"
    const QMetaObject *componentClass; ///< nullptr: every class
    QString propertyName;              ///< empty: every property of the type
    QString editorName;                ///< class name of the editor
    TPropertyEditorFactory factory;    ///< makes the editor
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
