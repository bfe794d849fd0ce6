// SPDX-License-Identifier: MIT
// TJXDOTPanel: a dot-matrix display that draws text from a bitmap font, static or scrolling.
#pragma once

#include "base/Export.h"

#include "host/controls/Controls.h"
#include "host/controls/ExtCtrls.h"
#include "host/core/About.h"
#include "host/core/Strings.h"
#include "util/JXVersions.h"

#include <QStringList>

#include <memory>

namespace jxt {

class TTimer;

/// Imitates a dot-matrix display. Each character is a glyph cut out of a font bitmap (the
/// built-in JXDOTFNT resource, or a picture supplied through DOTImage) and copied into its
/// cell. With Interval 0 the control shows Rows lines of Columns characters from Items; with a
/// positive Interval it scrolls the text of Items from right to left on one line, by whole
/// characters or by single pixels, one step per timer tick.
class JXT_EXPORT TJXDOTPanel : public TCustomControl
{
    Q_OBJECT
    Q_PROPERTY(jxt::TJXAboutString About_JXTools READ GetAboutJXT WRITE SetAboutJXT)
    /// Default false; stored and repainted only.
    Q_PROPERTY(bool AdjustToParent READ AdjustToParent WRITE SetAdjustToParent)
    /// Default empty; a non-empty caption replaces Items and restarts the scrolling.
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    /// Background; default clBlack; recolours the built-in font at once; repaints.
    Q_PROPERTY(jxt::TColorValue Color READ Color WRITE SetColor)
    /// Characters per line; default 10, 0 becomes 1; repaints.
    Q_PROPERTY(int Columns READ Columns WRITE SetColumns)
    /// Optional image holding a user font bitmap; default none.
    Q_PROPERTY(jxt::TImage *DOTImage READ DOTImage WRITE SetDOTImage)
    /// Lit dots; default clLime; recolours the built-in font at once; repaints.
    Q_PROPERTY(jxt::TColorValue DOTHiColor READ DOTHiColor WRITE SetDOTHiColor)
    /// Unlit dots; default 0x004000; recolours the built-in font at once; repaints.
    Q_PROPERTY(jxt::TColorValue DOTLoColor READ DOTLoColor WRITE SetDOTLoColor)
    /// The characters of the font in glyph order; repaints.
    Q_PROPERTY(QString DOTCharSet READ DOTCharSet WRITE SetDOTCharSet)
    /// Glyphs per row of the font bitmap; default 32, at least 1; repaints.
    Q_PROPERTY(int DOTColumns READ DOTColumns WRITE SetDOTColumns)
    /// Glyph rows of the font bitmap; default 2, at least 1; repaints.
    Q_PROPERTY(int DOTRows READ DOTRows WRITE SetDOTRows)
    /// Gap in pixels between cells; default 0; repaints.
    Q_PROPERTY(int DOTSpace READ DOTSpace WRITE SetDOTSpace)
    /// True stretches glyphs to the cells, false sizes the control to the glyphs (except a
    /// side its alignment in a parent sets); default false; repaints.
    Q_PROPERTY(bool DOTStretch READ DOTStretch WRITE SetDotStretch)
    /// The text, one display line per item; default one line "JXDOTPanel"; repaints.
    Q_PROPERTY(QStringList Items READ ItemLines WRITE SetItemLines)
    /// Lines; default 1, held within 1 to 50; repaints.
    Q_PROPERTY(int Rows READ Rows WRITE SetRows)
    /// Scroll by whole characters (true, default) or by single pixels.
    Q_PROPERTY(bool ScrollChar READ ScrollChar WRITE SetScrollChar)
    /// Milliseconds per scroll step; default 0 (static); 1 to 19 become 20; negative values
    /// restart the text and count as 0.
    Q_PROPERTY(int Interval READ Interval WRITE SetInterval)
    Q_PROPERTY(bool ShowHint READ ShowHint WRITE SetShowHint)
    Q_PROPERTY(bool ParentShowHint READ ParentShowHint WRITE SetParentShowHint)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    /// The scroll state, which every scroll step changes (not stored in forms).
    Q_PROPERTY(int ScrollPosition READ ScrollPosition NOTIFY scrollPositionChanged
                   STORED false DESIGNABLE false)
    Q_PROPERTY(int ScrollOffset READ ScrollOffset NOTIFY scrollPositionChanged
                   STORED false DESIGNABLE false)
    Q_CLASSINFO("ToolTip", "Dot-matrix display")
    Q_CLASSINFO("WhatsThis",
                "Text drawn from a bitmap font in a grid of character cells, static or "
                "scrolling by whole characters or single pixels.")
    JXT_ABOUT(JXDOTPanelVersion)

public:
    explicit TJXDOTPanel(TComponent *owner = nullptr);
    TAccessibleInfo AccessibleInfo() const override;
    ~TJXDOTPanel() override;

    bool AdjustToParent() const { return m_adjustToParent; }
    void SetAdjustToParent(bool value);
    void SetCaption(const QString &caption) override;
    void SetColor(TColor color) override;
    int Columns() const { return m_columns; }
    void SetColumns(int value);
    TImage *DOTImage() const { return m_dotImage; }
    void SetDOTImage(TImage *image);
    TColor DOTHiColor() const { return m_dotHiColor; }
    void SetDOTHiColor(TColor color);
    TColor DOTLoColor() const { return m_dotLoColor; }
    void SetDOTLoColor(TColor color);
    QString DOTCharSet() const { return m_dotCharSet; }
    void SetDOTCharSet(const QString &charSet);
    int DOTColumns() const { return m_dotColumns; }
    void SetDOTColumns(int value);
    int DOTRows() const { return m_dotRows; }
    void SetDOTRows(int value);
    /// Gap in pixels between character cells; held within -kMaxDOTSpace..kMaxDOTSpace.
    static constexpr int kMaxDOTSpace = 1000;
    int DOTSpace() const { return m_dotSpace; }
    void SetDOTSpace(int value);
    //!@{
    bool DOTStretch() const { return m_dotStretch; }
    void SetDotStretch(bool value);
    //!@}
    /// The text as a string list (ItemLines and SetItemLines as a QStringList); SetItems
    /// copies items into it.
    //!@{
    TStringList *Items() { return &m_items; }
    const TStringList *Items() const { return &m_items; }
    void SetItems(const TStrings *items);
    //!@}
    QStringList ItemLines() const { return m_items.ToStringList(); }
    void SetItemLines(const QStringList &lines);
    int Rows() const { return m_rows; }
    void SetRows(int value);
    bool ScrollChar() const { return m_scrollChar; }
    void SetScrollChar(bool value) { m_scrollChar = value; }
    int Interval() const { return m_interval; }
    void SetInterval(int value);

    /// The font bitmap takes a copy of bitmap, which keeps its own colours; repaints.
    void SetDOTBitmap(const TBitmap *bitmap);
    /// Goes back from a user font set with SetDOTBitmap to the built-in font; repaints.
    void UseBuiltInFont();
    /// The font bitmap in use (the built-in font, recoloured, or a user font).
    const TBitmap *DOTBitmap() const { return m_font.get(); }
    /// Reloads the built-in font and recolours it to Color, DOTLoColor and DOTHiColor.
    /// Runs whenever one of them changes and after loading; does nothing while loading or
    /// while a user font (DOTImage or SetDOTBitmap) is in use.
    void SetDOTColor();
    /// Copies the glyph of ch into rect of canvas (stretched to rect). Characters missing
    /// from DOTCharSet are looked up again ignoring case and then drawn as the blank.
    void DrawDOT(TCanvas *canvas, const TRect &rect, QChar ch);
    /// Composes all cells off-screen and copies them to the control at the scroll offset.
    void PaintItems();
    /// One scroll step, as the timer runs it.
    void JXOnTime();

    /// Scroll state: the offset in pixels (0 or negative), the 1-based position of the
    /// window in the blank-padded text, and the characters of the cells shown.
    //!@{
    int ScrollOffset() const { return m_scrollOffset; }
    int ScrollPosition() const { return m_scrollPos; }
    QString ScrollWindow() const { return m_scrollWindow; }
    //!@}
    /// The font bitmap rectangle of the glyph DrawDOT copied last.
    TRect LastGlyphRect() const { return m_lastGlyph; }
    /// The scroll timer (enabled while Interval is above 0).
    TTimer *Timer() const { return m_timer.get(); }

    /// The text moved one scroll step.
    TNotifyEvent OnScroll;
    /// The scrolling text starts again from its beginning.
    TNotifyEvent OnStartText;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
signals:
    void onScroll(jxt::TObject *sender);
    void onStartText(jxt::TObject *sender);
    /// ScrollPosition or ScrollOffset changed by a scroll step.
    void scrollPositionChanged();

protected:
    void Paint() override;
    QSize ContentSize(const QSize &current) const override;
    void Loaded() override;
    void ParentChanged() override;
    void Notification(TComponent *component, TOperation operation) override;

private:
    /// Whether a usable font bitmap is loaded.
    bool HasFont() const { return m_font && !m_font->Empty(); }
    /// Glyph cell size in the font bitmap.
    int GlyphWidth() const { return m_font->Width() / m_dotColumns; }
    int GlyphHeight() const { return m_font->Height() / m_dotRows; }
    /// The size of Rows lines of Columns glyphs at the font's own size; a side out of range
    /// is -1.
    QSize GlyphSize() const;
    void UpdateSizePolicy();
    /// What the composed line picture depends on besides the characters.
    struct TLineKey
    {
        int width = 0, height = 0, columns = 0, rows = 0, space = 0, dotColumns = 0, dotRows = 0;
        TColor background = 0;
        qint64 font = 0;
        QString charSet;
        bool scrolling = false;
        bool operator==(const TLineKey &o) const
        {
            return width == o.width && height == o.height && columns == o.columns &&
                   rows == o.rows && space == o.space && dotColumns == o.dotColumns &&
                   dotRows == o.dotRows && background == o.background && font == o.font &&
                   scrolling == o.scrolling && charSet == o.charSet;
        }
    };
    void StartLine(const TLineKey &key);
    /// The static grid of Rows lines.
    void ComposeGrid(const TLineKey &key);
    /// The scrolling line: kept while the window is the same, moved by a cell when it moved
    /// on by one character, composed anew otherwise.
    void ComposeScrollLine(const TLineKey &key);
    /// The text that scrolls: all lines of Items joined by blanks.
    QString ScrollText() const;

    bool m_adjustToParent = false;
    int m_columns = 10;
    TImage *m_dotImage = nullptr;
    TColor m_dotHiColor = clLime;
    TColor m_dotLoColor = 0x004000;
    QString m_dotCharSet;
    int m_dotColumns = 32;
    int m_dotRows = 2;
    int m_dotSpace = 0;
    bool m_dotStretch = false;
    TStringList m_items;
    int m_rows = 1;
    bool m_scrollChar = true;
    int m_interval = 0;

    std::unique_ptr<TBitmap> m_font;
    bool m_userFont = false; // the font bitmap came from the user, not the resource
    std::unique_ptr<TTimer> m_timer;
    int m_scrollOffset = 0;
    // The window position runs over the whole padded text; a full-width counter lets texts
    // of any length scroll to their end.
    int m_scrollPos = 1;
    QString m_scrollWindow;
    TBitmap m_line;       // the composed line (or grid) of the last paint
    TLineKey m_lineKey;   // what it was composed for
    QString m_lineWindow; // the characters of its cells while scrolling
    TRect m_lastGlyph;
};

} // namespace jxt
