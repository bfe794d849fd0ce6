// SPDX-License-Identifier: MIT
// Dot-matrix display: glyphs copied from a font bitmap into a grid of cells, or scrolled.
#include "display/JXDOTPanel.h"

#include "host/core/Events.h"

#include "host/core/Timer.h"
#include "host/graphics/OffscreenCopy.h"
#include "util/Jxutil.h"

#include <algorithm>
#include <cstring>

namespace jxt {

namespace {

const QString kFontResource = QStringLiteral("JXDOTFNT");

// The colours the built-in font is drawn in; a panel with these colours uses it unchanged.
constexpr TColor kResourceBackground = clBlack;
constexpr TColor kResourceLit = 0x00FF00;
constexpr TColor kDefaultUnlit = 0x004000;

// Where the built-in font shows its three colours: background, an unlit dot of the outer
// ring, a lit dot of "!".
constexpr int kBackgroundSampleX = 0, kBackgroundSampleY = 0;
constexpr int kUnlitSampleX = 1, kUnlitSampleY = 1;
constexpr int kLitSampleX = 31, kLitSampleY = 4;

QString DefaultCharSet()
{
    QString set;
    for (char c = ' '; c <= '@'; ++c)
        set += QLatin1Char(c);
    for (char c = 'a'; c <= 'z'; ++c)
        set += QLatin1Char(c);
    return set + QStringLiteral("[\\]^_");
}

QRgb OpaqueRgb(TColor color)
{
    const TColor rgb = ColorToRGB(color);
    return qRgb(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

} // namespace

TJXDOTPanel::TJXDOTPanel(TComponent *owner)
    : TCustomControl(owner), m_dotCharSet(DefaultCharSet()), m_font(std::make_unique<TBitmap>()),
      m_timer(std::make_unique<TTimer>())
{
    setFocusPolicy(Qt::NoFocus); // a display: nothing to type into
    TControl::SetColor(clBlack);
    SetBounds(Left(), Top(), 10, 10);
    m_items.Add(QStringLiteral("JXDOTPanel"));
    m_items.OnChange = [this](TObject *) { Invalidate(); };
    try {
        m_font->LoadFromResourceName(kFontResource);
    } catch (const Exception &) {
        // Without its font the panel only paints its background.
        m_font.reset();
    }
    m_timer->SetEnabled(false);
    m_timer->SetInterval(0);
    m_timer->OnTimer = [this](TObject *) { JXOnTime(); };
    UpdateSizePolicy();
}

TJXDOTPanel::~TJXDOTPanel()
{
    m_timer->SetEnabled(false);
    m_timer->OnTimer = nullptr;
}

void TJXDOTPanel::SetAdjustToParent(bool value)
{
    m_adjustToParent = value;
    Invalidate();
}

void TJXDOTPanel::SetCaption(const QString &caption)
{
    TCustomControl::SetCaption(caption);
    if (!caption.isEmpty()) {
        m_items.BeginUpdate();
        m_items.Clear();
        m_items.Add(caption);
        m_items.EndUpdate();
    }
    m_scrollOffset = 0;
    m_scrollPos = 1;
    Invalidate();
}

void TJXDOTPanel::SetColor(TColor color)
{
    TCustomControl::SetColor(color);
    SetDOTColor();
    Invalidate();
}

void TJXDOTPanel::SetColumns(int value)
{
    // A byte property: at least one column, at most 255.
    m_columns = std::clamp(value, 1, 255);
    updateGeometry();
    Invalidate();
}

void TJXDOTPanel::SetDOTImage(TImage *image)
{
    if (m_dotImage && m_dotImage != image)
        RemoveFreeNotification(m_dotImage);
    m_dotImage = image;
    if (image) {
        FreeNotification(image);
        SetDOTBitmap(image->Picture()->Bitmap());
    }
}

void TJXDOTPanel::SetDOTHiColor(TColor color)
{
    m_dotHiColor = color;
    SetDOTColor();
    Invalidate();
}

void TJXDOTPanel::SetDOTLoColor(TColor color)
{
    m_dotLoColor = color;
    SetDOTColor();
    Invalidate();
}

void TJXDOTPanel::SetDOTCharSet(const QString &charSet)
{
    m_dotCharSet = charSet;
    Invalidate();
}

void TJXDOTPanel::SetDOTColumns(int value)
{
    m_dotColumns = std::max(1, value);
    updateGeometry();
    Invalidate();
}

void TJXDOTPanel::SetDOTRows(int value)
{
    m_dotRows = std::max(1, value);
    updateGeometry();
    Invalidate();
}

void TJXDOTPanel::SetDOTSpace(int value)
{
    // Gaps wider than any screen would only ask for off-screen pictures of gigabytes.
    m_dotSpace = std::clamp(value, -kMaxDOTSpace, kMaxDOTSpace);
    updateGeometry();
    Invalidate();
}

void TJXDOTPanel::SetDotStretch(bool value)
{
    m_dotStretch = value;
    UpdateSizePolicy();
    Invalidate();
}

void TJXDOTPanel::SetItems(const TStrings *items)
{
    if (items)
        m_items.Assign(items);
    Invalidate();
}

void TJXDOTPanel::SetItemLines(const QStringList &lines)
{
    m_items.SetStrings(lines);
    Invalidate();
}

void TJXDOTPanel::SetRows(int value)
{
    m_rows = std::clamp(value, 1, 50);
    updateGeometry();
    Invalidate();
}

void TJXDOTPanel::SetInterval(int value)
{
    if (value < 0) {
        m_scrollOffset = 0;
        m_scrollPos = 1;
        Invalidate();
        value = 0;
    } else if (value >= 1 && value <= 19) {
        value = 20;
    }
    // Switching between the static grid and the scrolling line needs a fresh picture.
    const bool modeChanged = (value >= 1) != (m_interval >= 1);
    m_interval = value;
    m_timer->SetInterval(value);
    m_timer->SetEnabled(value >= 1);
    if (modeChanged)
        Invalidate();
}

void TJXDOTPanel::SetDOTBitmap(const TBitmap *bitmap)
{
    if (!bitmap)
        return;
    if (!m_font)
        m_font = std::make_unique<TBitmap>();
    m_font->Assign(bitmap);
    m_userFont = true;
    updateGeometry();
    Invalidate();
}

void TJXDOTPanel::UseBuiltInFont()
{
    if (!m_userFont || m_dotImage)
        return;
    m_userFont = false;
    if (!m_font)
        m_font = std::make_unique<TBitmap>();
    SetDOTColor();
    updateGeometry();
    Invalidate();
}

void TJXDOTPanel::Notification(TComponent *component, TOperation operation)
{
    TCustomControl::Notification(component, operation);
    if (operation == opRemove && m_dotImage && component == m_dotImage)
        SetDOTImage(nullptr); // the font keeps the copied picture
}

void TJXDOTPanel::Loaded()
{
    TCustomControl::Loaded();
    // Stored colours show as soon as the form is loaded.
    SetDOTColor();
    Invalidate();
}

void TJXDOTPanel::ParentChanged()
{
    const TColor before = Color();
    TCustomControl::ParentChanged();
    if (Color() != before)
        SetDOTColor();
}

void TJXDOTPanel::SetDOTColor()
{
    // A user font (from DOTImage or SetDOTBitmap) keeps its own colours.
    if (ComponentState().Contains(csLoading) || m_dotImage || m_userFont || !m_font)
        return;
    try {
        m_font->LoadFromResourceName(kFontResource);
    } catch (const Exception &) {
        return;
    }
    if (Color() == kResourceBackground && m_dotHiColor == kResourceLit &&
        m_dotLoColor == kDefaultUnlit)
        return;

    QImage image = m_font->Image().convertToFormat(QImage::Format_RGB32);
    if (image.width() <= kLitSampleX || image.height() <= kLitSampleY)
        return;
    const QRgb background = image.pixel(kBackgroundSampleX, kBackgroundSampleY) & RGB_MASK;
    const QRgb unlit = image.pixel(kUnlitSampleX, kUnlitSampleY) & RGB_MASK;
    const QRgb lit = image.pixel(kLitSampleX, kLitSampleY) & RGB_MASK;
    const QRgb newBackground = OpaqueRgb(Color());
    const QRgb newUnlit = OpaqueRgb(m_dotLoColor);
    const QRgb newLit = OpaqueRgb(m_dotHiColor);
    // Every pixel is judged by its colour before recolouring, background first, so a sample
    // colour shared by two roles takes the first role.
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = line[x] & RGB_MASK;
            if (pixel == background)
                line[x] = newBackground;
            else if (pixel == unlit)
                line[x] = newUnlit;
            else if (pixel == lit)
                line[x] = newLit;
        }
    }
    m_font->SetImage(image);
}

void TJXDOTPanel::DrawDOT(TCanvas *canvas, const TRect &rect, QChar ch)
{
    if (!HasFont() || !canvas)
        return;
    int index = m_dotCharSet.indexOf(ch);
    if (index < 0) {
        const QChar upper = ch.toUpper();
        for (int i = 0; i < m_dotCharSet.size() && index < 0; ++i)
            if (m_dotCharSet.at(i).toUpper() == upper)
                index = i;
    }
    if (index < 0)
        index = m_dotCharSet.indexOf(QLatin1Char(' '));
    if (index < 0)
        return;
    const int gw = GlyphWidth();
    const int gh = GlyphHeight();
    const TRect source = Bounds(index % m_dotColumns * gw, index / m_dotColumns * gh, gw, gh);
    canvas->SetCopyMode(cmSrcCopy);
    canvas->CopyRect(rect, m_font->Canvas(), source);
    m_lastGlyph = source;
}

QSize TJXDOTPanel::GlyphSize() const
{
    // The glyphs at their own size, cells DOTSpace apart; a size beyond any screen (a huge
    // DOTSpace) or below nothing is not wanted (-1).
    if (!HasFont())
        return QSize(-1, -1);
    const auto side = [](long long value) {
        return value >= 0 && value <= kMaxSide ? int(value) : -1;
    };
    const long long width = (long long)m_font->Width() * m_columns / m_dotColumns +
                            (long long)(m_columns - 1) * m_dotSpace;
    const long long height =
        (long long)m_font->Height() * m_rows / m_dotRows + (long long)(m_rows - 1) * m_dotSpace;
    return QSize(side(width), side(height));
}

QSize TJXDOTPanel::ContentSize(const QSize &current) const
{
    // Without stretching the control takes the size of its glyphs.
    if (m_dotStretch || !HasFont())
        return current;
    const QSize glyphs = GlyphSize();
    return QSize(glyphs.width() >= 0 ? glyphs.width() : current.width(),
                 glyphs.height() >= 0 ? glyphs.height() : current.height());
}

QSize TJXDOTPanel::sizeHint() const
{
    const QSize glyphs = GlyphSize();
    return glyphs.isValid() ? glyphs.expandedTo(QSize(1, 1)) : QSize(m_columns * 21, m_rows * 27);
}

QSize TJXDOTPanel::minimumSizeHint() const
{
    if (!m_dotStretch)
        return sizeHint();
    // Stretched glyphs stay legible down to one pixel per dot of a 7 x 9 grid.
    const long long width =
        7LL * m_columns + std::max(0LL, (long long)(m_columns - 1) * m_dotSpace);
    const long long height = 9LL * m_rows + std::max(0LL, (long long)(m_rows - 1) * m_dotSpace);
    return QSize(int(std::min<long long>(width, kMaxSide)),
                 int(std::min<long long>(height, kMaxSide)));
}

void TJXDOTPanel::UpdateSizePolicy()
{
    // Unstretched glyphs have one size: layouts give exactly that.
    const QSizePolicy::Policy policy = m_dotStretch ? QSizePolicy::Preferred : QSizePolicy::Fixed;
    setSizePolicy(policy, policy);
    updateGeometry();
}

void TJXDOTPanel::Paint()
{
    // The composed line covers the control; only without one is the background filled.
    if (ComponentState().Contains(csLoading) || !HasFont()) {
        TCanvas *canvas = Canvas();
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(ClientRect());
        return;
    }
    PaintItems();
    if (const int covered = m_scrollOffset + m_line.Width(); covered < Width()) {
        TCanvas *canvas = Canvas();
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(Rect(covered, 0, Width(), Height()));
    }
    if (m_line.Height() < Height()) {
        TCanvas *canvas = Canvas();
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(Rect(0, m_line.Height(), Width(), Height()));
    }
}

void TJXDOTPanel::PaintItems()
{
    if (ComponentState().Contains(csLoading) || !HasFont())
        return;
    // One off-screen line wider than the control by a cell, so the scrolling cell that is
    // half in view is drawn too, then one copy to the control.
    const TLineKey key{std::max(1, Width() + GlyphWidth() + m_columns * m_dotSpace),
                       std::max(1, Height()),
                       m_columns,
                       m_rows,
                       m_dotSpace,
                       m_dotColumns,
                       m_dotRows,
                       ColorToRGB(Color()),
                       m_font->Image().cacheKey(),
                       m_dotCharSet,
                       m_timer->Interval() >= 1};
    if (!key.scrolling)
        ComposeGrid(key);
    else
        ComposeScrollLine(key);
    TCanvas *canvas = Canvas();
    canvas->SetCopyMode(cmSrcCopy);
    display::CopyBitmap(canvas, m_scrollOffset, 0, m_line);
}

void TJXDOTPanel::StartLine(const TLineKey &key)
{
    m_line.SetSize(key.width, key.height);
    display::FillBitmap(m_line, Color());
    m_lineKey = key;
    m_lineWindow.clear();
}

void TJXDOTPanel::ComposeGrid(const TLineKey &key)
{
    StartLine(key);
    TCanvas *target = m_line.Canvas();
    const int innerWidth = Width() - (m_columns - 1) * m_dotSpace;
    const int innerHeight = Height() - (m_rows - 1) * m_dotSpace;
    for (int r = 0; r < m_rows; ++r) {
        const QString line = r < m_items.Count() ? m_items.Get(r) : QString();
        for (int c = 0; c < m_columns; ++c) {
            const TRect cell = Bounds(c * innerWidth / m_columns + c * m_dotSpace,
                                      r * innerHeight / m_rows + r * m_dotSpace,
                                      innerWidth / m_columns, innerHeight / m_rows);
            DrawDOT(target, cell, c < line.size() ? line.at(c) : QLatin1Char(' '));
        }
    }
}

void TJXDOTPanel::ComposeScrollLine(const TLineKey &key)
{
    const int pitch = Width() / m_columns;
    const int cellWidth = (Width() - (m_columns - 1) * m_dotSpace) / m_columns;
    const auto cellAt = [&](int i) { return Bounds(i * pitch, 0, cellWidth, Height() / m_rows); };
    const auto charAt = [&](int i) {
        return i < m_scrollWindow.size() ? m_scrollWindow.at(i) : QLatin1Char(' ');
    };
    QString window(m_columns + 1, QLatin1Char(' '));
    for (int i = 0; i <= m_columns; ++i)
        window[i] = charAt(i);

    const bool sameLine = m_lineKey == key && !m_lineWindow.isNull();
    if (sameLine && window == m_lineWindow)
        return; // a pixel step within a cell: the line is the same, only its place moves
    // The window moved on by one character: the line moves left by a cell and only the
    // cell that comes into view is drawn. Cells do not overlap while DOTSpace >= 0.
    if (sameLine && m_dotSpace >= 0 && pitch > 0 &&
        QStringView(window).left(m_columns) == QStringView(m_lineWindow).mid(1)) {
        QImage &image = m_line.Image();
        const int keep = image.width() - pitch;
        for (int y = 0; y < image.height(); ++y) {
            auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
            std::memmove(row, row + pitch, std::size_t(keep) * sizeof(QRgb));
        }
        const TColor rgb = ColorToRGB(Color());
        const QRgb background = qRgb(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
        const int from = std::min(m_columns * pitch, keep);
        for (int y = 0; y < image.height(); ++y) {
            auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
            std::fill(row + from, row + image.width(), background);
        }
        DrawDOT(m_line.Canvas(), cellAt(m_columns), window.at(m_columns));
        m_lineWindow = window;
        return;
    }
    StartLine(key);
    TCanvas *target = m_line.Canvas();
    for (int i = 0; i <= m_columns; ++i)
        DrawDOT(target, cellAt(i), window.at(i));
    m_lineWindow = window;
}

QString TJXDOTPanel::ScrollText() const
{
    QString text = m_items.Text();
    jxtReplaceString(text, QStringLiteral("\r\n"), QStringLiteral(" "));
    return text;
}

void TJXDOTPanel::JXOnTime()
{
    if (!HasFont())
        return;
    const int pitch = Width() / m_columns;
    m_scrollOffset -= m_scrollChar ? pitch : 1;
    const QString text = ScrollText();
    if (m_scrollOffset < 1 - pitch) {
        // A whole cell has passed: the window moves on by one character.
        m_scrollOffset = 0;
        ++m_scrollPos;
        if (m_scrollPos > text.size() + m_columns) {
            m_scrollPos = 1;
            if (!FireEvent(this, OnStartText, &TJXDOTPanel::onStartText, this))
                return;
        }
    }
    const QString blanks(m_columns, QLatin1Char(' '));
    m_scrollWindow = (blanks + text).mid(m_scrollPos - 1, m_columns + 1) + blanks;
    if (!FireEvent(this, OnScroll, &TJXDOTPanel::onScroll, this))
        return;
    Q_EMIT scrollPositionChanged();
    if (!Showing()) {
        Invalidate(); // drawn when shown again
        return;
    }
    const bool running = m_timer->Enabled();
    m_timer->SetEnabled(false);
    PaintItems();
    m_timer->SetEnabled(running);
}

TAccessibleInfo TJXDOTPanel::AccessibleInfo() const
{
    // The whole text, also the part scrolled out of sight, without the blank that ends the
    // scrolling text.
    return {QAccessible::StaticText, ScrollText().trimmed()};
}

} // namespace jxt
