// SPDX-License-Identifier: MIT
#include "DesignerValues.h"

#include <QtDesigner/QDesignerPropertySheetExtension>

#include <new>

// The constructors and the accessor Designer's library exports for its sheet values. Only
// these members are named here, and no object of these classes is made with this file's
// idea of their size: each is built in place in storage its registered meta-type allocated.
namespace qdesigner_internal {
class PropertySheetStringValue
{
public:
    PropertySheetStringValue(const QString &value, bool translatable, const QString &disambiguation,
                             const QString &comment);
};
class PropertySheetStringListValue
{
public:
    PropertySheetStringListValue(const QStringList &value, bool translatable,
                                 const QString &disambiguation, const QString &comment);
};
class PropertySheetPixmapValue
{
public:
    PropertySheetPixmapValue(const QString &path);
    QString path() const;
};
} // namespace qdesigner_internal

namespace jxt {
namespace designer {

namespace {

const char *const kStringValueType = "qdesigner_internal::PropertySheetStringValue";
const char *const kStringListValueType = "qdesigner_internal::PropertySheetStringListValue";
const char *const kPixmapValueType = "qdesigner_internal::PropertySheetPixmapValue";

/// A value of the meta-type of example (which must be typeName), default-constructed, whose
/// storage then takes a new object made by make.
template <typename Make> QVariant Rebuild(const QVariant &example, const char *typeName, Make make)
{
    const QMetaType type = example.metaType();
    if (!type.isValid() || qstrcmp(type.name(), typeName) != 0)
        return QVariant();
    QVariant value(type);
    void *storage = value.data();
    type.destruct(storage);
    make(storage);
    return value;
}

} // namespace

QVariant SheetText(QDesignerPropertySheetExtension *sheet, int index, const QString &text,
                   bool translatable)
{
    if (!sheet || index < 0)
        return text;
    const QVariant value = Rebuild(sheet->property(index), kStringValueType, [&](void *at) {
        new (at)
            qdesigner_internal::PropertySheetStringValue(text, translatable, QString(), QString());
    });
    return value.isValid() ? value : QVariant(text);
}

QVariant SheetTextList(QDesignerPropertySheetExtension *sheet, int index, const QStringList &texts,
                       bool translatable)
{
    if (!sheet || index < 0)
        return texts;
    const QVariant value = Rebuild(sheet->property(index), kStringListValueType, [&](void *at) {
        new (at) qdesigner_internal::PropertySheetStringListValue(texts, translatable, QString(),
                                                                  QString());
    });
    return value.isValid() ? value : QVariant(texts);
}

QVariant SheetPixmap(QDesignerPropertySheetExtension *sheet, int index, const QString &path)
{
    if (!sheet || index < 0)
        return QVariant();
    return Rebuild(sheet->property(index), kPixmapValueType,
                   [&](void *at) { new (at) qdesigner_internal::PropertySheetPixmapValue(path); });
}

QString SheetPixmapPath(const QVariant &value)
{
    if (qstrcmp(value.metaType().name(), kPixmapValueType) != 0)
        return QString();
    return static_cast<const qdesigner_internal::PropertySheetPixmapValue *>(value.constData())
        ->path();
}

} // namespace designer
} // namespace jxt
