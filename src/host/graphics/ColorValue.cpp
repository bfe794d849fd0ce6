// SPDX-License-Identifier: MIT
#include "host/graphics/ColorValue.h"

#include <QColor>

namespace jxt {

QString TColorValue::ToString() const
{
    const QString name = ColorToString(Value);
    if (!name.startsWith(QLatin1Char('$')))
        return name;
    if ((quint32(Value) & 0xFF000000u) == 0)
        return QColor(GetRValue(Value), GetGValue(Value), GetBValue(Value)).name().toUpper();
    return name;
}

bool TColorValue::FromString(const QString &text, TColor &color)
{
    const QString t = text.trimmed();
    if (t.startsWith(QLatin1Char('#'))) {
        // Only the six-digit form: "#RGB" and the forms with alpha mean something else to
        // Qt and have no place in a 0x00BBGGRR value.
        if (t.size() != 7)
            return false;
        bool ok = false;
        const uint rgb = t.mid(1).toUInt(&ok, 16);
        if (!ok)
            return false;
        color = RGB(int(rgb >> 16), int(rgb >> 8), int(rgb));
        return true;
    }
    return IdentToColor(t, color);
}

void RegisterColorValueType()
{
    static const bool registered = [] {
        QMetaType::registerConverter<TColorValue, QString>(&TColorValue::ToString);
        // A text that names no colour fails the conversion, so setProperty reports false
        // and leaves the property alone.
        QMetaType::registerConverterFunction(
            [](const void *from, void *to) {
                TColor c = clBlack;
                if (!TColorValue::FromString(*static_cast<const QString *>(from), c))
                    return false;
                *static_cast<TColorValue *>(to) = TColorValue(c);
                return true;
            },
            QMetaType::fromType<QString>(), QMetaType::fromType<TColorValue>());
        QMetaType::registerConverter<TColorValue, int>([](TColorValue c) { return int(c.Value); });
        QMetaType::registerConverter<int, TColorValue>([](int v) { return TColorValue(v); });
        QMetaType::registerConverter<uint, TColorValue>(
            [](uint v) { return TColorValue(TColor(v)); });
        QMetaType::registerConverter<qlonglong, TColorValue>(
            [](qlonglong v) { return TColorValue(TColor(quint32(v))); });
        QMetaType::registerConverter<TColorValue, QColor>(
            [](TColorValue c) { return ColorToQColor(c.Value); });
        QMetaType::registerConverter<QColor, TColorValue>(
            [](const QColor &c) { return TColorValue(QColorToColor(c)); });
        return true;
    }();
    (void)registered;
}

namespace {
// Registered when the library is loaded, before any form can be read.
const bool kRegistered = (RegisterColorValueType(), true);
} // namespace

} // namespace jxt
