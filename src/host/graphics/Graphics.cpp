// SPDX-License-Identifier: MIT
// Colours, pens, brushes, fonts and Frame3D of the host layer.
#include "host/graphics/Graphics.h"

#include <QCoreApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHash>
#include <QMutex>
#include <QPalette>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace jxt {

namespace {

struct TSystemColorRole
{
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
    TColor fallback; // classic desktop value, used when no application palette exists
};

// System colour index -> palette role. The fallbacks are the classic grey desktop.
const TSystemColorRole kSystemColorRoles[] = {
    {QPalette::Active, QPalette::Button, 0xC8D0D4},          // 0 clScrollBar
    {QPalette::Active, QPalette::Dark, 0x808000},            // 1 clBackground
    {QPalette::Active, QPalette::Highlight, 0x800000},       // 2 clActiveCaption
    {QPalette::Active, QPalette::Mid, 0x808080},             // 3 clInactiveCaption
    {QPalette::Active, QPalette::Window, 0xC0C0C0},          // 4 clMenu
    {QPalette::Active, QPalette::Base, 0xFFFFFF},            // 5 clWindow
    {QPalette::Active, QPalette::Shadow, 0x000000},          // 6 clWindowFrame
    {QPalette::Active, QPalette::WindowText, 0x000000},      // 7 clMenuText
    {QPalette::Active, QPalette::Text, 0x000000},            // 8 clWindowText
    {QPalette::Active, QPalette::HighlightedText, 0xFFFFFF}, // 9 clCaptionText
    {QPalette::Active, QPalette::Button, 0xC0C0C0},          // 10 clActiveBorder
    {QPalette::Active, QPalette::Button, 0xC0C0C0},          // 11 clInactiveBorder
    {QPalette::Active, QPalette::Mid, 0x808080},             // 12 clAppWorkSpace
    {QPalette::Active, QPalette::Highlight, 0x800000},       // 13 clHighlight
    {QPalette::Active, QPalette::HighlightedText, 0xFFFFFF}, // 14 clHighlightText
    {QPalette::Active, QPalette::Button, 0xC0C0C0},          // 15 clBtnFace
    {QPalette::Active, QPalette::Dark, 0x808080},            // 16 clBtnShadow
    {QPalette::Active, QPalette::PlaceholderText, 0x808080}, // 17 clGrayText
    {QPalette::Active, QPalette::ButtonText, 0x000000},      // 18 clBtnText
    {QPalette::Active, QPalette::Button, 0xC0C0C0},          // 19 clInactiveCaptionText
    {QPalette::Active, QPalette::Light, 0xFFFFFF},           // 20 clBtnHighlight
    {QPalette::Active, QPalette::Shadow, 0x000000},          // 21 cl3DDkShadow
    {QPalette::Active, QPalette::Midlight, 0xDFDFDF},        // 22 cl3DLight
    {QPalette::Active, QPalette::ToolTipText, 0x000000},     // 23 clInfoText
    {QPalette::Active, QPalette::ToolTipBase, 0xE1FFFF},     // 24 clInfoBk
    {QPalette::Active, QPalette::Button, 0xC0C0C0},          // 25 (unused)
    {QPalette::Active, QPalette::Link, 0xFF0000},            // 26 clHotLight
    {QPalette::Active, QPalette::Highlight, 0x800000},       // 27 clGradientActiveCaption
    {QPalette::Active, QPalette::Mid, 0x808080},             // 28 clGradientInactiveCaption
    {QPalette::Active, QPalette::Highlight, 0x800000},       // 29 clMenuHighlight
    {QPalette::Active, QPalette::Window, 0xC0C0C0},          // 30 clMenuBar
};
constexpr int kSystemColorCount = int(sizeof(kSystemColorRoles) / sizeof(kSystemColorRoles[0]));

struct TColorName
{
    TColor color;
    const char *name;
};

const TColorName kColorNames[] = {
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    // Aliases: found by IdentToColor, never produced by ColorToString.
    {clLtGray, "clLtGray"},
    {clDkGray, "clDkGray"},
    {clNone, "clNone"},
    {clDefault, "clDefault"},
    {clScrollBar, "clScrollBar"},
    {clBackground, "clBackground"},
    {clActiveCaption, "clActiveCaption"},
    {clInactiveCaption, "clInactiveCaption"},
    {clMenu, "clMenu"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clMenuText, "clMenuText"},
    {clWindowText, "clWindowText"},
    {clCaptionText, "clCaptionText"},
    {clActiveBorder, "clActiveBorder"},
    {clInactiveBorder, "clInactiveBorder"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clBtnFace, "clBtnFace"},
    {clBtnShadow, "clBtnShadow"},
    {clGrayText, "clGrayText"},
    {clBtnText, "clBtnText"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clBtnHighlight, "clBtnHighlight"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clInfoText, "clInfoText"},
    {clInfoBk, "clInfoBk"},
};

bool IsAlias(TColor c, const char *name)
{
    return (c == clLtGray && qstrcmp(name, "clLtGray") == 0) ||
           (c == clDkGray && qstrcmp(name, "clDkGray") == 0);
}

// Rounds a * b / c to the nearest integer, halves away from zero, as the Windows
// MulDiv does.
int MulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    const long long num = (long long)a * b;
    long long q = (std::llabs(num) * 2 + std::llabs(c)) / (2 * std::llabs(c));
    return int(((num < 0) != (c < 0)) ? -q : q);
}

// Windows face names and the metric-compatible free families that stand in for them.
QString SubstituteFamily(const QString &name)
{
    static const QHash<QString, QString> kSubstitutes = {
        {QStringLiteral("ms sans serif"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("ms shell dlg"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("ms shell dlg 2"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("arial"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("helvetica"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("tahoma"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("verdana"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("system"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("small fonts"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("times new roman"), QStringLiteral("Liberation Serif")},
        {QStringLiteral("times"), QStringLiteral("Liberation Serif")},
        {QStringLiteral("ms serif"), QStringLiteral("Liberation Serif")},
        {QStringLiteral("courier new"), QStringLiteral("Liberation Mono")},
        {QStringLiteral("courier"), QStringLiteral("Liberation Mono")},
        {QStringLiteral("fixedsys"), QStringLiteral("Liberation Mono")},
        {QStringLiteral("terminal"), QStringLiteral("Liberation Mono")},
        {QStringLiteral("lucida console"), QStringLiteral("Liberation Mono")},
    };
    return kSubstitutes.value(name.trimmed().toLower());
}

// The DejaVu family that stands in where a Liberation family is not installed.
QString FallbackFamily(const QString &liberation)
{
    if (liberation == QLatin1String("Liberation Serif"))
        return QStringLiteral("DejaVu Serif");
    if (liberation == QLatin1String("Liberation Mono"))
        return QStringLiteral("DejaVu Sans Mono");
    return QStringLiteral("DejaVu Sans");
}

QString ResolveFamily(const QString &name)
{
    static QMutex mutex;
    static QHash<QString, QString> cache;
    const QMutexLocker lock(&mutex);
    const auto it = cache.constFind(name);
    if (it != cache.constEnd())
        return *it;
    QString family = name;
    if (!QFontDatabase::hasFamily(name)) {
        const QString substitute = SubstituteFamily(name);
        if (!substitute.isEmpty()) {
            family = substitute;
            if (!QFontDatabase::hasFamily(substitute) &&
                QFontDatabase::hasFamily(FallbackFamily(substitute)))
                family = FallbackFamily(substitute);
        }
    }
    cache.insert(name, family);
    return family;
}

// Qt learns the Windows face names too, so a QFont made anywhere in the application with
// one of them (a form's font, a style sheet, Designer) draws with the same family.
void InstallSubstitutions()
{
    static const char *const kNames[] = {
        "MS Sans Serif", "MS Shell Dlg",   "MS Shell Dlg 2", "Arial",       "Helvetica",
        "Tahoma",        "Verdana",        "System",         "Small Fonts", "Times New Roman",
        "Times",         "MS Serif",       "Courier New",    "Courier",     "Fixedsys",
        "Terminal",      "Lucida Console",
    };
    // Qt looks at substitutions only when the face itself is not installed.
    for (const char *name : kNames) {
        const QString face = QString::fromLatin1(name);
        const QString substitute = SubstituteFamily(face);
        QFont::insertSubstitutions(face, {substitute, FallbackFamily(substitute)});
    }
}

Q_COREAPP_STARTUP_FUNCTION(InstallSubstitutions)

} // namespace

namespace {
// The palette system colours resolve through while a control paints (its own palette).
thread_local const QPalette *t_palette = nullptr;
} // namespace

TPaletteScope::TPaletteScope(const QPalette &palette) : m_previous(t_palette)
{
    t_palette = &palette;
}

TPaletteScope::~TPaletteScope()
{
    t_palette = m_previous;
}

TColor ColorToRGB(TColor color)
{
    if (color == clNone)
        return clWhite; // drawing with "no colour" has always produced white
    if (color == clDefault)
        return ColorToRGB(clWindow);
    if (color < 0) {
        const int index = color & 0xFF;
        if (index >= kSystemColorCount)
            return clBlack;
        const TSystemColorRole &role = kSystemColorRoles[index];
        if (t_palette)
            return QColorToColor(t_palette->color(role.group, role.role));
        if (!qGuiApp)
            return role.fallback;
        return QColorToColor(QGuiApplication::palette().color(role.group, role.role));
    }
    return color & 0x00FFFFFF;
}

QColor ColorToQColor(TColor color)
{
    const TColor rgb = ColorToRGB(color);
    return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

TColor QColorToColor(const QColor &color)
{
    return RGB(color.red(), color.green(), color.blue());
}

namespace {

double RelativeLuminance(TColor color)
{
    const TColor rgb = ColorToRGB(color);
    const auto channel = [](int value) {
        const double c = value / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(GetRValue(rgb)) + 0.7152 * channel(GetGValue(rgb)) +
           0.0722 * channel(GetBValue(rgb));
}

} // namespace

double ContrastRatio(TColor a, TColor b)
{
    const double la = RelativeLuminance(a), lb = RelativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TColor ReadableTextColor(TColor text, TColor background)
{
    const bool textFromPalette = text < 0;
    const bool backgroundFixed = background >= 0 && background != clNone && background != clDefault;
    if (!textFromPalette || !backgroundFixed || ContrastRatio(text, background) >= 3.0)
        return text;
    return ContrastRatio(clBlack, background) >= ContrastRatio(clWhite, background) ? clBlack
                                                                                    : clWhite;
}

QString ColorToString(TColor color)
{
    for (const TColorName &entry : kColorNames)
        if (entry.color == color && !IsAlias(entry.color, entry.name))
            return QString::fromLatin1(entry.name);
    return QStringLiteral("$%1").arg(quint32(color), 8, 16, QLatin1Char('0')).toUpper();
}

QStringList ColorNames()
{
    QStringList names;
    for (const TColorName &entry : kColorNames)
        if (!IsAlias(entry.color, entry.name))
            names << QString::fromLatin1(entry.name);
    return names;
}

bool IdentToColor(const QString &ident, TColor &color)
{
    const QString text = ident.trimmed();
    for (const TColorName &entry : kColorNames) {
        if (text.compare(QLatin1String(entry.name), Qt::CaseInsensitive) == 0) {
            color = entry.color;
            return true;
        }
    }
    bool ok = false;
    qlonglong value = 0;
    if (text.startsWith(QLatin1Char('$')))
        value = text.mid(1).toLongLong(&ok, 16);
    else if (text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        value = text.mid(2).toLongLong(&ok, 16);
    else
        value = text.toLongLong(&ok, 10);
    if (!ok || value < -2147483648LL || value > 0xFFFFFFFFLL)
        return false;
    color = TColor(quint32(value));
    return true;
}

// --- graphics objects -----------------------------------------------------------------------

void TGraphicsObject::Changed()
{
    if (OnChange)
        OnChange(this);
}

void TPen::SetColor(TColor c)
{
    if (c == m_color)
        return;
    m_color = c;
    Changed();
}

void TPen::SetWidth(int w)
{
    w = qMax(1, w);
    if (w == m_width)
        return;
    m_width = w;
    Changed();
}

void TPen::SetStyle(TPenStyle s)
{
    if (s == m_style)
        return;
    m_style = s;
    Changed();
}

void TPen::SetMode(TPenMode m)
{
    if (m == m_mode)
        return;
    m_mode = m;
    Changed();
}

void TPen::Assign(const TPersistent *source)
{
    if (const auto *pen = dynamic_cast<const TPen *>(source)) {
        m_color = pen->m_color;
        m_width = pen->m_width;
        m_style = pen->m_style;
        m_mode = pen->m_mode;
        Changed();
        return;
    }
    TPersistent::Assign(source);
}

TBrush::TBrush() = default;
TBrush::~TBrush() = default;

void TBrush::SetColor(TColor c)
{
    if (c == m_color && m_style != bsClear)
        return;
    m_color = c;
    // Giving a clear brush a colour makes it solid again.
    if (m_style == bsClear)
        m_style = bsSolid;
    Changed();
}

void TBrush::SetStyle(TBrushStyle s)
{
    if (s == m_style)
        return;
    m_style = s;
    Changed();
}

void TBrush::SetBitmap(const TBitmap *bitmap)
{
    if (bitmap && !bitmap->Empty()) {
        auto copy = std::make_unique<TBitmap>();
        copy->Assign(bitmap);
        m_bitmap = std::move(copy);
    } else {
        m_bitmap.reset();
    }
    Changed();
}

void TBrush::Assign(const TPersistent *source)
{
    if (const auto *brush = dynamic_cast<const TBrush *>(source)) {
        if (brush == this)
            return;
        m_color = brush->m_color;
        m_style = brush->m_style;
        if (brush->m_bitmap) {
            m_bitmap = std::make_unique<TBitmap>();
            m_bitmap->Assign(brush->m_bitmap.get());
        } else {
            m_bitmap.reset();
        }
        Changed();
        return;
    }
    TPersistent::Assign(source);
}

void TFont::SetName(const QString &name)
{
    if (name.isEmpty() || name == m_name)
        return;
    m_name = name;
    Changed();
}

int TFont::Size() const
{
    if (m_height < 0)
        return -MulDiv(m_height, 72, PixelsPerInch());
    if (m_height == 0)
        return 0;
    // A positive height is the cell height, internal leading included.
    const QFontMetrics metrics(ToQFont());
    const int leading = qMax(0, metrics.height() - ToQFont().pixelSize());
    return MulDiv(qMax(0, m_height - leading), 72, PixelsPerInch());
}

void TFont::SetSize(int points)
{
    SetHeight(-MulDiv(points, PixelsPerInch(), 72));
}

void TFont::SetHeight(int height)
{
    if (height == m_height)
        return;
    m_height = height;
    Changed();
}

void TFont::SetColor(TColor c)
{
    if (c == m_color)
        return;
    m_color = c;
    Changed();
}

void TFont::SetStyle(TFontStyles s)
{
    if (s == m_style)
        return;
    m_style = s;
    Changed();
}

void TFont::SetCharset(TFontCharset c)
{
    if (c == m_charset)
        return;
    m_charset = c;
    Changed();
}

void TFont::SetPitch(TFontPitch p)
{
    if (p == m_pitch)
        return;
    m_pitch = p;
    Changed();
}

QFont TFont::ToQFont() const
{
    QFont font(ResolveFamily(m_name));
    const QString lower = m_name.toLower();
    if (m_pitch == fpFixed || lower.contains(QLatin1String("courier")) ||
        lower.contains(QLatin1String("mono"))) {
        font.setStyleHint(QFont::TypeWriter, QFont::NoAntialias);
        font.setFixedPitch(true);
    } else if (lower.contains(QLatin1String("times")) ||
               (lower.contains(QLatin1String("serif")) && !lower.contains(QLatin1String("sans")))) {
        font.setStyleHint(QFont::Serif, QFont::NoAntialias);
    } else {
        font.setStyleHint(QFont::SansSerif, QFont::NoAntialias);
    }
    font.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::NoSubpixelAntialias));
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setKerning(false);

    // Negative heights give the character height (the em size); positive heights the
    // cell height including the internal leading, which is found by measuring.
    int pixels = 11;
    if (m_height < 0) {
        pixels = -m_height;
    } else if (m_height > 0) {
        pixels = m_height;
        font.setPixelSize(qBound(1, pixels, 4096));
        const int cell = QFontMetrics(font).height();
        if (cell > 0 && cell != m_height)
            pixels = qMax(1, int(std::lround(double(m_height) * m_height / cell)));
    }
    font.setPixelSize(qBound(1, pixels, 4096));
    font.setBold(m_style.Contains(fsBold));
    font.setItalic(m_style.Contains(fsItalic));
    font.setUnderline(m_style.Contains(fsUnderline));
    font.setStrikeOut(m_style.Contains(fsStrikeOut));
    return font;
}

void InstallFontSubstitutions()
{
    static const bool installed = [] {
        InstallSubstitutions();
        return true;
    }();
    (void)installed;
}

QString FontFamily(const QString &name)
{
    return ResolveFamily(name);
}

void TFont::AssignQFont(const QFont &font)
{
    const QString family = font.family();
    // A family that the current name already resolves to keeps the name ("Arial" is drawn
    // with Liberation Sans, and Liberation Sans read back stays "Arial").
    if (!family.isEmpty() && family.compare(ResolveFamily(m_name), Qt::CaseInsensitive) != 0 &&
        family.compare(m_name, Qt::CaseInsensitive) != 0)
        m_name = family;
    if (font.pixelSize() > 0)
        m_height = -font.pixelSize();
    else if (font.pointSizeF() > 0)
        m_height = -int(std::lround(font.pointSizeF() * PixelsPerInch() / 72.0));
    TFontStyles style;
    if (font.bold())
        style.Include(fsBold);
    if (font.italic())
        style.Include(fsItalic);
    if (font.underline())
        style.Include(fsUnderline);
    if (font.strikeOut())
        style.Include(fsStrikeOut);
    m_style = style;
    Changed();
}

void TFont::Assign(const TPersistent *source)
{
    if (const auto *font = dynamic_cast<const TFont *>(source)) {
        m_name = font->m_name;
        m_height = font->m_height;
        m_color = font->m_color;
        m_style = font->m_style;
        m_charset = font->m_charset;
        m_pitch = font->m_pitch;
        Changed();
        return;
    }
    TPersistent::Assign(source);
}

// --- Frame3D -------------------------------------------------------------------------------

void Frame3D(TCanvas *canvas, TRect &r, TColor topColor, TColor bottomColor, int width)
{
    if (!canvas)
        return;
    // Each ring: the left column and top row in topColor, the right column and bottom row
    // in bottomColor; the bottom-left and top-right corners belong to the bottom colour.
    for (int i = 0; i < width; ++i) {
        const int left = r.Left, top = r.Top, right = r.Right - 1, bottom = r.Bottom - 1;
        if (right >= left && bottom >= top) {
            canvas->FillSolid(Rect(left, top, left + 1, bottom), topColor);
            canvas->FillSolid(Rect(left, top, right, top + 1), topColor);
            canvas->FillSolid(Rect(right, top, right + 1, bottom + 1), bottomColor);
            canvas->FillSolid(Rect(left, bottom, right + 1, bottom + 1), bottomColor);
        }
        r.Inflate(-1, -1);
    }
}

QString FontStyleLetters(TFontStyles style)
{
    QString letters;
    if (style.Contains(fsBold))
        letters += QLatin1Char('B');
    if (style.Contains(fsItalic))
        letters += QLatin1Char('I');
    if (style.Contains(fsUnderline))
        letters += QLatin1Char('U');
    if (style.Contains(fsStrikeOut))
        letters += QLatin1Char('S');
    return letters;
}

TFontStyles FontStyleFromLetters(const QString &letters)
{
    TFontStyles style;
    if (letters.contains(QLatin1Char('B')))
        style.Include(fsBold);
    if (letters.contains(QLatin1Char('I')))
        style.Include(fsItalic);
    if (letters.contains(QLatin1Char('U')))
        style.Include(fsUnderline);
    if (letters.contains(QLatin1Char('S')))
        style.Include(fsStrikeOut);
    return style;
}

} // namespace jxt
