// SPDX-License-Identifier: MIT
// TJXFontCombo: the list of the screen's fonts, the linked control, and the filtered font
// enumeration through fontconfig.
#include "controls/JXFontCombo.h"

#include "host/controls/Forms.h"

#include <QPointer>

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <map>

namespace jxt {

TCharSet fontCharSet = ALL;
TPitch fontPitch = piALL;
bool fontTrueTypeOnly = false;

namespace {

// Letters and digits of Western text and the German umlauts and sharp s.
bool CoversWesternText(FcCharSet *cs)
{
    for (FcChar32 c = '0'; c <= '9'; ++c)
        if (!FcCharSetHasChar(cs, c))
            return false;
    for (FcChar32 c = 'A'; c <= 'Z'; ++c)
        if (!FcCharSetHasChar(cs, c) || !FcCharSetHasChar(cs, c + 32))
            return false;
    for (FcChar32 c : {0xC4u, 0xD6u, 0xDCu, 0xDFu, 0xE4u, 0xF6u, 0xFCu})
        if (!FcCharSetHasChar(cs, c))
            return false;
    return true;
}

// The single and double line-drawing characters and the shades of the DOS character set.
bool CoversLineDrawing(FcCharSet *cs)
{
    for (FcChar32 c : {0x2500u, 0x2502u, 0x250Cu, 0x2510u, 0x2514u, 0x2518u, 0x2550u, 0x2551u,
                       0x2554u, 0x2557u, 0x255Au, 0x255Du, 0x2591u, 0x2592u, 0x2593u, 0x2588u})
        if (!FcCharSetHasChar(cs, c))
            return false;
    return true;
}

bool IsSymbolFont(FcPattern *font, FcCharSet *cs)
{
    FcBool symbol = FcFalse;
    if (FcPatternGetBool(font, FC_SYMBOL, 0, &symbol) == FcResultMatch)
        return symbol == FcTrue;
    // Older fontconfig: a font without Latin capitals that maps the symbol area.
    return cs && !FcCharSetHasChar(cs, 'A') && FcCharSetHasChar(cs, 0xF041);
}

bool PassesCharSet(FcPattern *font, TCharSet charSet)
{
    if (charSet == ALL)
        return true;
    FcCharSet *cs = nullptr;
    if (FcPatternGetCharSet(font, FC_CHARSET, 0, &cs) != FcResultMatch)
        cs = nullptr;
    switch (charSet) {
    case ANSI: return cs && CoversWesternText(cs) && !IsSymbolFont(font, cs);
    case SYMBOL: return IsSymbolFont(font, cs);
    case OEM: return cs && CoversLineDrawing(cs) && !IsSymbolFont(font, cs);
    case ALL: break;
    }
    return true;
}

bool PassesPitch(FcPattern *font, TPitch pitch)
{
    if (pitch == piALL)
        return true;
    // Fontconfig records a spacing only for fonts that are not proportional.
    int spacing = FC_PROPORTIONAL;
    FcPatternGetInteger(font, FC_SPACING, 0, &spacing);
    const bool fixed = spacing == FC_MONO || spacing == FC_CHARCELL || spacing == FC_DUAL;
    return pitch == piFIXED ? fixed : !fixed;
}

bool IsScalableOutline(FcPattern *font)
{
    FcBool outline = FcFalse, scalable = FcFalse;
    FcPatternGetBool(font, FC_OUTLINE, 0, &outline);
    FcPatternGetBool(font, FC_SCALABLE, 0, &scalable);
    return outline == FcTrue && scalable == FcTrue;
}

} // namespace

QStringList EnumerateFonts(TCharSet charSet, TPitch pitch, bool trueTypeOnly)
{
    QStringList result;
    if (!FcInit())
        return result;
    FcPattern *pattern = FcPatternCreate();
    // Only what the filters look at is fetched: character sets are large to copy.
    FcObjectSet *objects = FcObjectSetCreate();
    if (objects) {
        FcObjectSetAdd(objects, FC_FAMILY);
        if (pitch != piALL)
            FcObjectSetAdd(objects, FC_SPACING);
        if (trueTypeOnly) {
            FcObjectSetAdd(objects, FC_OUTLINE);
            FcObjectSetAdd(objects, FC_SCALABLE);
        }
        if (charSet != ALL) {
            FcObjectSetAdd(objects, FC_CHARSET);
            FcObjectSetAdd(objects, FC_SYMBOL);
        }
    }
    FcFontSet *fonts = pattern && objects ? FcFontList(nullptr, pattern, objects) : nullptr;
    // Families by their name ignoring case; a family passes when one of its faces does.
    std::map<QString, QString> families;
    for (int i = 0; fonts && i < fonts->nfont; ++i) {
        FcPattern *font = fonts->fonts[i];
        FcChar8 *family = nullptr;
        if (FcPatternGetString(font, FC_FAMILY, 0, &family) != FcResultMatch || !family)
            continue;
        const QString name = QString::fromUtf8(reinterpret_cast<const char *>(family));
        const QString key = name.toCaseFolded();
        if (name.isEmpty() || families.count(key))
            continue;
        if (!PassesCharSet(font, charSet) || !PassesPitch(font, pitch))
            continue;
        if (trueTypeOnly && !IsScalableOutline(font))
            continue;
        families.emplace(key, name);
    }
    if (fonts)
        FcFontSetDestroy(fonts);
    if (objects)
        FcObjectSetDestroy(objects);
    if (pattern)
        FcPatternDestroy(pattern);
    result.reserve(int(families.size()));
    for (const auto &entry : families)
        result.append(entry.second);
    return result;
}

TJXFontCombo::TJXFontCombo(TComponent *owner) : TCustomComboBox(owner)
{
    SetStyle(csOwnerDrawVariable);
}

TJXFontCombo::~TJXFontCombo() = default;

void TJXFontCombo::SetCharSet(TCharSet value)
{
    m_charSet = value;
    fontCharSet = value;
    m_fonts.Clear();
}

void TJXFontCombo::SetPitch(TPitch value)
{
    m_pitch = value;
    fontPitch = value;
}

void TJXFontCombo::SetTrueTypeOnly(bool value)
{
    m_trueTypeOnly = value;
    fontTrueTypeOnly = value;
    m_fonts.Clear();
}

void TJXFontCombo::SetControl(TWinControl *value)
{
    if (value == m_control)
        return;
    m_control = value;
    if (value) {
        value->FreeNotification(this);
        SetSelFont(value->Font()->Name());
    }
}

void TJXFontCombo::SetSelFont(const QString &value)
{
    m_selFont = value;
    SetItemIndex(value);
}

void TJXFontCombo::Notification(TComponent *component, TOperation operation)
{
    TCustomComboBox::Notification(component, operation);
    if (operation == opRemove && component == m_control)
        m_control = nullptr;
}

TStrings *TJXFontCombo::Fonts()
{
    m_fonts.Clear();
    UpdateFontList();
    return &m_fonts;
}

QStringList TJXFontCombo::FontNames()
{
    const TStrings *fonts = Fonts();
    QStringList names;
    names.reserve(fonts->Count());
    for (int i = 0; i < fonts->Count(); ++i)
        names.append(fonts->Get(i));
    return names;
}

void TJXFontCombo::UpdateFontList()
{
    m_fonts.BeginUpdate();
    for (const QString &name : EnumerateFonts(fontCharSet, fontPitch, fontTrueTypeOnly))
        m_fonts.Add(name);
    m_fonts.EndUpdate();
}

void TJXFontCombo::Loaded()
{
    TCustomComboBox::Loaded();
    FillList();
}

void TJXFontCombo::showEvent(QShowEvent *event)
{
    TCustomComboBox::showEvent(event);
    if (!m_filled)
        FillList();
}

void TJXFontCombo::FillList()
{
    m_filled = true;
    Items()->BeginUpdate();
    Items()->Clear();
    for (const QString &name : Screen()->Fonts())
        Items()->Add(name);
    // Sorted once; names added later keep their place.
    SetSorted(true);
    SetSorted(false);
    Items()->EndUpdate();
    SetItemIndex(m_selFont);
}

void TJXFontCombo::SetItemIndex(const QString &name)
{
    if (name.isEmpty())
        return;
    const QString wanted = name.toUpper();
    for (int i = 0; i < Items()->Count(); ++i) {
        if (Items()->Get(i).toUpper() == wanted) {
            TCustomComboBox::SetItemIndex(i);
            Change();
            return;
        }
    }
}

void TJXFontCombo::Change()
{
    if (m_control)
        m_control->Font()->SetName(Text());
    const QPointer<TJXFontCombo> alive(this);
    TCustomComboBox::Change();
    if (alive)
        Q_EMIT onChange(this);
}

void TJXFontCombo::KeyDown(int &key, TShiftState shift)
{
    const QPointer<TJXFontCombo> alive(this);
    TCustomComboBox::KeyDown(key, shift);
    if (alive && key == Qt::Key_Escape)
        SetItemIndex(m_selFont);
}

} // namespace jxt
