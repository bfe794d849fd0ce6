// SPDX-License-Identifier: MIT
// TJXPrinter: composes a printed document page by page in paper coordinates, records the
// pages as metafiles and shows them in a print preview, TfrmPrint, from which the user
// prints any range of pages.
#pragma once

#include "base/Export.h"
#include "host/controls/Forms.h"
#include "host/core/About.h"
#include "host/core/Component.h"
#include "host/core/Strings.h"
#include "host/graphics/Graphics.h"
#include "util/JXVersions.h"

#include <QPointer>

#include <functional>
#include <memory>

namespace jxt {

class TBitBtn;
class TPrintDialog;
class TScrollBox;
class TMetafileCanvas;
class TPanel;
class TJXPrinter;

/// The pages of the document last made: one entry per page, its string "Seite N" (N the page
/// number), its object the page's TMetafile (owned by the list). The list exists while at least one
/// TJXPrinter exists; all printers share it.
JXT_EXPORT extern TStringList *PageList;

/// The handler of TJXPrinter::OnPrint.
using TJXPrintEvent = std::function<void(TObject *sender)>;

/// A non-visual component through which an application composes a printed document. Every
/// position and size is in page units of a tenth of a millimetre, the origin at the top-left
/// corner of the printer's printable area, y growing downward. Execute starts a document,
/// fires OnPrint, in which the application draws with the methods below and calls NewPage
/// between pages, and shows the preview; nothing reaches the printer except from there.
///
/// Fonts are applied with the screen as reference: a font's pixel height at 96 dots per inch
/// is its height in page units (10 points give 13 units, 1.3 mm on paper).
///
/// Drawing methods called while no page is open (outside Execute, after Show) do nothing;
/// TextWidth and TextHeight measure all the same. LeftMargin and TopMargin give the
/// unprintable border of the paper at the left and the top, in page units.
class JXT_EXPORT TJXPrinter : public TComponent
{
    Q_OBJECT
    Q_PROPERTY(jxt::TJXAboutString About_JXTools READ GetAboutJXT WRITE SetAboutJXT)
    /// Placement of the footer line; default taCenter.
    Q_PROPERTY(jxt::TAlignment BottomAlignment READ BottomAlignment WRITE SetBottomAlignment)
    /// Footer text, "%Seite" standing for the page number; default empty (no footer).
    Q_PROPERTY(QString BottomCaption READ BottomCaption WRITE SetBottomCaption)
    /// Footer font; default "Times New Roman". Assigning copies.
    Q_PROPERTY(jxt::TFont *BottomFont READ BottomFont)
    /// Brush for areas; NewDoc resets it to white, solid.
    Q_PROPERTY(jxt::TBrush *Brush READ Brush)
    /// Font of all body text. Assigning copies.
    Q_PROPERTY(jxt::TFont *Font READ Font)
    /// Paper orientation, applied to the printer by NewDoc; default jxpoPortrait.
    Q_PROPERTY(
        jxt::TJXPrinter::TJXPrinterOrientation Orientation READ Orientation WRITE SetOrientation)
    /// Number of the page being drawn; 0 before the first page.
    Q_PROPERTY(int Page READ Page WRITE SetPage)
    /// Pen for lines and outlines.
    Q_PROPERTY(jxt::TPen *Pen READ Pen)
    /// Placement of the header line; default taCenter.
    Q_PROPERTY(jxt::TAlignment TopAlignment READ TopAlignment WRITE SetTopAlignment)
    /// Header text, "%Seite" standing for the page number; default empty (no header).
    Q_PROPERTY(QString TopCaption READ TopCaption WRITE SetTopCaption)
    /// Header font; default "Times New Roman". Assigning copies.
    Q_PROPERTY(jxt::TFont *TopFont READ TopFont)
    Q_CLASSINFO("ToolTip", "Printed document with print preview")
    Q_CLASSINFO("WhatsThis",
                "Records the pages an application draws in tenths of a millimetre, with "
                "header and footer lines, and shows them in a preview that prints any range "
                "of pages, to a printer or a PDF file.")
    JXT_ABOUT(JXPrinterVersion)

public:
    /// Paper orientation: upright or on its side.
    enum TJXPrinterOrientation { jxpoPortrait, jxpoLandscape };
    Q_ENUM(TJXPrinterOrientation)

    explicit TJXPrinter(TComponent *owner = nullptr);
    ~TJXPrinter() override;

    TAlignment BottomAlignment() const { return m_bottomAlignment; }
    void SetBottomAlignment(TAlignment value) { m_bottomAlignment = value; }
    QString BottomCaption() const { return m_bottomCaption; }
    void SetBottomCaption(const QString &value) { m_bottomCaption = value; }
    TFont *BottomFont() const { return m_bottomFont.get(); }
    void SetBottomFont(const TFont *font) { m_bottomFont->Assign(font); }
    TBrush *Brush() const { return m_brush.get(); }
    TFont *Font() const { return m_font.get(); }
    void SetFont(const TFont *font) { m_font->Assign(font); }
    TJXPrinterOrientation Orientation() const { return m_orientation; }
    void SetOrientation(TJXPrinterOrientation value) { m_orientation = value; }
    int Page() const { return m_page; }
    void SetPage(int value) { m_page = value; }
    TPen *Pen() const { return m_pen.get(); }
    TAlignment TopAlignment() const { return m_topAlignment; }
    void SetTopAlignment(TAlignment value) { m_topAlignment = value; }
    QString TopCaption() const { return m_topCaption; }
    void SetTopCaption(const QString &value) { m_topCaption = value; }
    TFont *TopFont() const { return m_topFont.get(); }
    void SetTopFont(const TFont *font) { m_topFont->Assign(font); }

    /// Runs a whole document: NewDoc, OnPrint, then the preview. Any error shows "Fehler beim
    /// erzeugen der Vorschau" and no preview.
    Q_INVOKABLE void Execute();
    /// Completes the open page without opening another, as Show and Execute do.
    void ClosePage();
    /// Starts an empty document with page 1 open.
    Q_INVOKABLE void NewDoc();
    /// Completes the open page and opens the next one.
    Q_INVOKABLE void NewPage();
    /// Completes the open page and shows the preview modally ("Keine Seite zum anzeigen"
    /// when there is no page).
    Q_INVOKABLE void Show();

    /// The unprintable border of the paper at the left, in page units.
    int LeftMargin() const;
    /// The height (width) of the printable area in page units, in the printer's orientation.
    //!@{
    int PageHeight() const;
    int PageWidth() const;
    //!@}
    /// The pen position on the open page; (0, 0) when no page is open.
    TPoint PenPos() const;
    /// Height of text followed by "X" in Font (an empty text has a line's height).
    int TextHeight(const QString &text) const;
    /// Width of text in Font, in page units.
    int TextWidth(const QString &text) const;
    /// The unprintable border of the paper at the top, in page units.
    int TopMargin() const;
    /// One line at the left edge at the pen's y; the pen moves down one line. Never starts a
    /// new page.
    void Print(const QString &text);
    /// Every line at the pen's x, one below the other; when the next line would start below
    /// PageHeight - bottomSpace, a new page begins and the lines go on at top.
    void PrintStrings(const TStrings *lines, int top, int bottomSpace);
    /// Writes text in Font with its top-left corner at (x, y).
    void TextOut(int x, int y, const QString &text);
    /// Writes text in Font at y, centred across the page width (at the left edge, against
    /// the right edge).
    //!@{
    void TextCenter(const QString &text, int y);
    void TextLeft(const QString &text, int y);
    void TextRight(const QString &text, int y);
    //!@}
    /// Moves the pen position to (x, y) without drawing.
    void MoveTo(int x, int y);
    /// Draws a line with Pen from the pen position to (x, y) and moves the pen position there.
    void LineTo(int x, int y);
    /// The graphic stretched to fill rect.
    void StretchDraw(const TRect &rect, const TGraphic *graphic);
    /// The graphic scaled with its aspect ratio kept and centred in rect.
    void StretchPropDraw(const TRect &rect, const TGraphic *graphic);
    /// An outline with Pen: four lines from the top-left corner clockwise back to it.
    void FrameRect(const TRect &rect);
    /// A rectangle (an ellipse in the rectangle), outlined with Pen and filled with Brush.
    //!@{
    void Rectangle(int x1, int y1, int x2, int y2);
    void Ellipse(int x1, int y1, int x2, int y2);
    //!@}
    /// A 1 cm grid over the page in color and style.
    void PrintRaster(TColor color, TPenStyle style);
    /// The pictures of files in a grid of columns x rows cells per page (counts below 1 count
    /// as 1), over as many pages as needed; captions puts each file's name under its
    /// picture; allIcons prints every icon of each file and skips files without icons.
    void PrintPicList(const TStrings *files, int columns, int rows, bool captions, bool allIcons);

    /// Replaces every occurrence of search in s by replace. The search starts again at the
    /// beginning after each replacement, unless replace itself holds search: then it goes on
    /// after the inserted text, so the loop always ends.
    static void ReplaceString(QString &s, const QString &search, const QString &replace);

    /// Height of the header and footer bands of the open page (0 without a caption).
    //!@{
    int TopBand() const { return m_topBand; }
    int BottomBand() const { return m_bottomBand; }
    //!@}
    /// The page canvas, or nullptr when no page is open.
    TMetafileCanvas *PageCanvas() const { return m_canvas.get(); }

    /// Execute asks for the document: the handler draws it, calling NewPage between pages.
    TJXPrintEvent OnPrint;

signals:
    void onPrint(jxt::TObject *sender);

private:
    void DrawHeader();
    void DrawFooter();
    void BandLine(const QString &caption, const TFont *font, TAlignment alignment, bool top);
    void SelectFont();
    void SelectBrushAndPen();

    TAlignment m_bottomAlignment = taCenter;
    QString m_bottomCaption;
    std::unique_ptr<TFont> m_bottomFont;
    std::unique_ptr<TBrush> m_brush;
    std::unique_ptr<TFont> m_font;
    TJXPrinterOrientation m_orientation = jxpoPortrait;
    int m_page = 0;
    std::unique_ptr<TPen> m_pen;
    TAlignment m_topAlignment = taCenter;
    QString m_topCaption;
    std::unique_ptr<TFont> m_topFont;
    std::unique_ptr<TMetafileCanvas> m_canvas;
    int m_topBand = 0;
    int m_bottomBand = 0;
};

constexpr TJXPrinter::TJXPrinterOrientation jxpoPortrait = TJXPrinter::jxpoPortrait;
constexpr TJXPrinter::TJXPrinterOrientation jxpoLandscape = TJXPrinter::jxpoLandscape;

class TPageView;

/// The print preview of PageList: one or two pages side by side, zoomed from the page's
/// width (zoom 0) over the whole page (10) to ten times the whole page (100), paged with
/// the buttons and keys, printed through the print dialog. Where no printer is installed the
/// pages go to a PDF file chosen by the user.
class JXT_EXPORT TfrmPrint : public TForm
{
    Q_OBJECT

public:
    explicit TfrmPrint(TComponent *owner = nullptr);
    ~TfrmPrint() override;

    /// Starts at the first page, single-page, zoom 0, and shows it.
    void FormCreate();
    /// Shows the pages at PageIndex (held within the document) and updates the page buttons
    /// and the "n/count" caption.
    void AssignMetaFile();
    /// Lays the pages out in the view for the zoom and page mode.
    void FormResize();
    /// What the toolbar buttons do, as a click on them: print (through the print dialog),
    /// zoom in and out by 10, close, switch between one and two pages, page back and
    /// forward, zoom to the page width (0) and to the whole page (10).
    //!@{
    void btnPrintClick();
    void btnZoomInClick();
    void btnZoomOutClick();
    void btnCloseClick();
    void btnPagesClick();
    void btnPageMinusClick();
    void btnPagePlusClick();
    void btnZoomWidthClick();
    void btnZoomFullClick();
    //!@}
    /// A click on the page: the left button zooms in, the right button zooms out.
    void imgMeta1MouseDown(TMouseButton button);
    /// The preview's keys; key becomes 0 when it was used.
    void FormKeyDown(int &key, Qt::KeyboardModifiers modifiers);

    /// Index of the page on the left (from 0), the zoom (0 to 100), single-page mode.
    //!@{
    int PageIndex() const { return m_pageIndex; }
    int Zoom() const { return m_zoom; }
    bool SinglePage() const { return m_singlePage; }
    //!@}

    /// The form's controls: the toolbar (panTool) with its buttons and the zoom and page
    /// indicators (panZoom, panPages), the scrolling view (scrView) with the left and right
    /// pages (imgMeta1, imgMeta2), and the print dialog.
    //!@{
    TPanel *panTool = nullptr;
    TBitBtn *btnPrint = nullptr;
    TBitBtn *btnPages = nullptr;
    TBitBtn *btnZoomWidth = nullptr;
    TBitBtn *btnZoomFull = nullptr;
    TBitBtn *btnZoomIn = nullptr;
    TPanel *panZoom = nullptr;
    TBitBtn *btnZoomOut = nullptr;
    TBitBtn *btnPageMinus = nullptr;
    TPanel *panPages = nullptr;
    TBitBtn *btnPagePlus = nullptr;
    TBitBtn *btnClose = nullptr;
    TPanel *Panel2 = nullptr;
    TScrollBox *scrView = nullptr;
    TPageView *imgMeta1 = nullptr;
    TPageView *imgMeta2 = nullptr;
    TPrintDialog *PrintDialog1 = nullptr;
    //!@}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void CreateToolBar();
    void DrawToolBarGlyphs();
    void CreatePageView();
    void PrintPages(int from, int to, const QString &fileName);

    int m_pageIndex = 0;
    int m_zoom = 0;
    bool m_singlePage = true;
};

/// One page of the preview: the metafile stretched to the control, with a cross cursor. Pages
/// up to kMaxCachePixels device pixels are drawn once into a cached bitmap; larger ones (high
/// zoom) are drawn straight from the metafile, only where they are exposed, so no zoom
/// allocates more than that (the control keeps no surface of its own).
class JXT_EXPORT TPageView : public TGraphicControl
{
    Q_OBJECT

public:
    /// The largest page (in device pixels) drawn into the cached bitmap.
    static constexpr qint64 kMaxCachePixels = 4LL * 1024 * 1024;

    explicit TPageView(TComponent *owner = nullptr);
    /// Shows a copy of the metafile's recording (nullptr: an empty view). The copy shares
    /// the recording's data, so the view stays valid when the page list changes.
    void SetMetafile(const TMetafile *metafile);
    /// The page shown (a copy sharing the recording of the one given).
    const TMetafile &Page() const { return m_page; }
    /// Whether a page is shown.
    bool HasPage() const { return m_pageWidth > 0; }
    /// The cached bitmap's size (empty while the page is drawn straight).
    QSize CacheSize() const { return m_cache.size(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    TMetafile m_page;
    int m_pageWidth = 0;
    int m_pageHeight = 0;
    QImage m_cache;
};

} // namespace jxt
