// SPDX-License-Identifier: MIT
// What the Designer widget classes share: colours, fonts, pictures and the about entry in
// the types Designer and .ui files use.
#include "package/JXDesignerWidgets.h"

#include "host/designer/DesignRegistry.h"

#include <QGuiApplication>
#include <QPointer>
#include <QTimer>

namespace jxt {
namespace ui {

namespace {

/// The highest system colour index a QColor can name (254 - 63 is the lowest marker alpha).
constexpr int kMaxSystemIndex = 63;
constexpr int kNoneAlpha = 0;
constexpr int kDefaultAlpha = 1;

int SystemIndex(TColor color)
{
    return (quint32(color) & 0x80000000u) ? int(quint32(color) & 0xFFu) : -1;
}

QColor Opaque(TColor rgb)
{
    return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

/// Texts of older forms that kept colours as names or "#RRGGBB": a QString the conversion
/// to QColor of Qt itself does not take comes here.
bool TextToDesignerColor(const void *from, void *to)
{
    TColor color = clBlack;
    if (!TColorValue::FromString(*static_cast<const QString *>(from), color))
        return false;
    *static_cast<QColor *>(to) = DesignerColor(color);
    return true;
}

const bool kTextColoursRegistered = [] {
    QMetaType::registerConverterFunction(&TextToDesignerColor, QMetaType::fromType<QString>(),
                                         QMetaType::fromType<QColor>());
    return true;
}();

} // namespace

QColor DesignerColor(TColor color)
{
    if (color == clNone)
        return QColor(255, 255, 255, kNoneAlpha);
    if (color == clDefault)
        return QColor(0, 0, 0, kDefaultAlpha);
    const int index = SystemIndex(color);
    if (index >= 0 && index <= kMaxSystemIndex) {
        QColor shown = Opaque(ColorToRGB(color));
        shown.setAlpha(254 - index);
        return shown;
    }
    return Opaque(ColorToRGB(color));
}

TColor ColorFromDesigner(const QColor &color, TColor current, bool designing)
{
    (void)kTextColoursRegistered;
    if (!color.isValid())
        return current;
    const TColor rgb = RGB(color.red(), color.green(), color.blue());
    const int alpha = color.alpha();
    if (alpha == kNoneAlpha)
        return clNone;
    if (alpha == kDefaultAlpha)
        return clDefault;
    const int index = 254 - alpha;
    if (index < 0 || index > kMaxSystemIndex)
        return rgb;
    const TColor system = TColor(0x80000000u | quint32(index));
    // The colour dialog keeps the alpha it opened with: a new RGB on the same system colour
    // is a colour picked there.
    if (designing && current == system && rgb != ColorToRGB(system))
        return rgb;
    return system;
}

QString AboutEntryText()
{
    return QStringLiteral("Klick me..");
}

void AboutEntryEdited(TComponent *component, const QString &text)
{
    if (!component || text == AboutEntryText() ||
        !component->ComponentState().Contains(csDesigning))
        return;
    // The about form opens once the property editor has finished with the edit.
    const QPointer<TComponent> alive(component);
    QTimer::singleShot(0, component, [alive] {
        if (!alive)
            return;
        if (auto editor = CreatePropertyEditor(alive, QStringLiteral("About_JXTools")))
            editor->Edit();
    });
}

QFont FontValue(const TFont *font)
{
    if (!font)
        return QFont();
    // The family the font draws with, which Designer's font list knows ("MS Sans Serif" shows
    // as Liberation Sans).
    QFont f(FontFamily(font->Name()));
    if (font->Size() > 0)
        f.setPointSize(font->Size());
    f.setBold(font->Style().Contains(fsBold));
    f.setItalic(font->Style().Contains(fsItalic));
    f.setUnderline(font->Style().Contains(fsUnderline));
    f.setStrikeOut(font->Style().Contains(fsStrikeOut));
    return f;
}

void SetFontValue(TFont *font, const QFont &f)
{
    if (!font)
        return;
    // The family shown for the name keeps the name; another family replaces it.
    if (!f.family().isEmpty() &&
        f.family().compare(FontFamily(font->Name()), Qt::CaseInsensitive) != 0)
        font->SetName(f.family());
    if (f.pointSize() > 0)
        font->SetSize(f.pointSize());
    TFontStyles style;
    if (f.bold())
        style.Include(fsBold);
    if (f.italic())
        style.Include(fsItalic);
    if (f.underline())
        style.Include(fsUnderline);
    if (f.strikeOut())
        style.Include(fsStrikeOut);
    font->SetStyle(style);
}

QPixmap PicturePixmap(const QVariant &picture)
{
    QImage image;
    if (const TBitmap *bitmap = picture.value<TBitmap *>())
        image = bitmap->Image();
    else if (const TIcon *icon = picture.value<TIcon *>())
        image = icon->Image();
    return image.isNull() ? QPixmap() : QPixmap::fromImage(image);
}

void WritePicture(QObject *object, const QMetaProperty &property, const QPixmap &pixmap)
{
    const QImage image = pixmap.isNull() ? QImage() : pixmap.toImage();
    if (property.metaType() == QMetaType::fromType<TIcon *>()) {
        TIcon icon;
        icon.SetImage(image);
        property.write(object, QVariant::fromValue(&icon));
        return;
    }
    TBitmap bitmap;
    if (!image.isNull())
        bitmap.SetImage(image.convertToFormat(QImage::Format_RGB32));
    property.write(object, QVariant::fromValue(&bitmap));
}

} // namespace ui
} // namespace jxt
