// SPDX-License-Identifier: MIT
#include "services/JXPrinter.h"

#include "host/core/Events.h"

#include "host/controls/Buttons.h"
#include "host/controls/Dialogs.h"
#include "host/controls/ExtCtrls.h"
#include "host/controls/ScrollBox.h"
#include "host/files/Printers.h"
#include "host/graphics/MetafileCanvas.h"
#include "platform/Paths.h"
#include "util/JxutilGraphics.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPrinter>

#include <algorithm>

namespace jxt {

TStringList *PageList = nullptr;

namespace {

// Every TJXPrinter shares PageList; it lives as long as any of them does.
int g_printerCount = 0;

void ClearPages()
{
    if (!PageList)
        return;
    for (int i = PageList->Count() - 1; i >= 0; --i) {
        delete PageList->GetObject(i);
        PageList->Delete(i);
    }
}

TMetafile *PageAt(int index)
{
    if (!PageList || index < 0 || index >= PageList->Count())
        return nullptr;
    return dynamic_cast<TMetafile *>(PageList->GetObject(index));
}

int PageCount()
{
    return PageList ? PageList->Count() : 0;
}

/// Resets the hour-glass cursor however the block is left.
struct TBusyCursor
{
    TBusyCursor() { Screen()->SetCursor(crHourGlass); }
    ~TBusyCursor() { Screen()->SetCursor(crDefault); }
    TBusyCursor(const TBusyCursor &) = delete;
    TBusyCursor &operator=(const TBusyCursor &) = delete;
};

} // namespace

// --- TJXPrinter ----------------------------------------------------------------------------------

TJXPrinter::TJXPrinter(TComponent *owner)
    : TComponent(owner), m_bottomFont(std::make_unique<TFont>()),
      m_brush(std::make_unique<TBrush>()), m_font(std::make_unique<TFont>()),
      m_pen(std::make_unique<TPen>()), m_topFont(std::make_unique<TFont>())
{
    m_bottomFont->SetName(QStringLiteral("Times New Roman"));
    m_topFont->SetName(QStringLiteral("Times New Roman"));
    if (g_printerCount++ == 0 && !PageList)
        PageList = new TStringList;
}

TJXPrinter::~TJXPrinter()
{
    m_canvas.reset();
    if (--g_printerCount == 0) {
        ClearPages();
        delete PageList;
        PageList = nullptr;
    }
}

void TJXPrinter::Execute()
{
    try {
        NewDoc();
        {
            TBusyCursor busy;
            QPointer<TJXPrinter> self(this);
            if (!FireEvent(this, OnPrint, &TJXPrinter::onPrint, this))
                return;
            if (!self)
                return;
            ClosePage();
        }
        Show();
    } catch (...) {
        ClosePage();
        ShowMessage(QCoreApplication::translate("jxtpack", "Fehler beim erzeugen der Vorschau"));
    }
}

void TJXPrinter::NewDoc()
{
    ClosePage();
    Printer()->SetOrientation(m_orientation == jxpoLandscape ? poLandscape : poPortrait);
    m_page = 0;
    ClearPages();
    m_brush->SetColor(clWhite);
    m_brush->SetStyle(bsSolid);
    NewPage();
}

void TJXPrinter::ClosePage()
{
    m_canvas.reset();
}

void TJXPrinter::NewPage()
{
    ClosePage();
    if (!PageList)
        return;
    try {
        ++m_page;
        const int width = PageWidth(), height = PageHeight();
        auto metafile = std::make_unique<TMetafile>();
        auto canvas = std::make_unique<TMetafileCanvas>(metafile.get(), width, height);
        PageList->AddObject(QStringLiteral("Seite %1").arg(m_page), metafile.release());
        m_canvas = std::move(canvas);
        m_canvas->Brush()->SetColor(clWhite);
        m_canvas->Brush()->SetStyle(bsSolid);
        m_canvas->FillRect(Rect(0, 0, width, height));
        m_canvas->Brush()->Assign(m_brush.get());
        DrawHeader();
        DrawFooter();
        m_canvas->MoveTo(0, 0);
    } catch (...) {
        ShowMessage(QCoreApplication::translate("jxtpack", "Fehler beim erzeugen der neuen Seite"));
    }
}

void TJXPrinter::BandLine(const QString &caption, const TFont *font, TAlignment alignment, bool top)
{
    int &band = top ? m_topBand : m_bottomBand;
    band = 0;
    if (caption.isEmpty() || !m_canvas)
        return;
    QString text = caption;
    ReplaceString(text, QStringLiteral("%Seite"), QString::number(m_page));
    m_canvas->Font()->Assign(font);
    const int width = m_canvas->TextWidth(text);
    int x = (PageWidth() - width) / 2;
    if (alignment == taLeftJustify)
        x = 0;
    else if (alignment == taRightJustify)
        x = PageWidth() - width;
    const int y = top ? 20 : PageHeight() - m_canvas->TextHeight(QStringLiteral("X")) - 20;
    m_canvas->TextOut(x, y, text);
    band = m_canvas->TextHeight(text) + 70;
}

void TJXPrinter::DrawHeader()
{
    BandLine(m_topCaption, m_topFont.get(), m_topAlignment, true);
}

void TJXPrinter::DrawFooter()
{
    BandLine(m_bottomCaption, m_bottomFont.get(), m_bottomAlignment, false);
}

void TJXPrinter::Show()
{
    ClosePage();
    if (PageCount() == 0) {
        ShowMessage(QCoreApplication::translate("jxtpack", "Keine Seite zum anzeigen"));
        return;
    }
    auto *form = new TfrmPrint(this);
    QPointer<TfrmPrint> guard(form);
    form->ShowModal();
    if (guard)
        form->Free();
}

int TJXPrinter::LeftMargin() const
{
    const QPageLayout layout = Printer()->Device()->pageLayout();
    return int(layout.margins(QPageLayout::Millimeter).left() * 10);
}

int TJXPrinter::TopMargin() const
{
    const QPageLayout layout = Printer()->Device()->pageLayout();
    return int(layout.margins(QPageLayout::Millimeter).top() * 10);
}

int TJXPrinter::PageHeight() const
{
    return Printer()->VertSize() * 10;
}

int TJXPrinter::PageWidth() const
{
    return Printer()->HorzSize() * 10;
}

TPoint TJXPrinter::PenPos() const
{
    return m_canvas ? m_canvas->PenPos() : TPoint{};
}

// Text is measured on the page canvas with Font selected, with the screen as reference
// device; without an open page, in the same way on Font itself.
int TJXPrinter::TextHeight(const QString &text) const
{
    if (!m_canvas)
        return QFontMetrics(m_font->ToQFont()).height();
    m_canvas->Font()->Assign(m_font.get());
    return m_canvas->TextHeight(text);
}

int TJXPrinter::TextWidth(const QString &text) const
{
    if (!m_canvas)
        return QFontMetrics(m_font->ToQFont()).horizontalAdvance(text);
    m_canvas->Font()->Assign(m_font.get());
    return m_canvas->TextWidth(text);
}

void TJXPrinter::SelectFont()
{
    if (m_canvas)
        m_canvas->Font()->Assign(m_font.get());
}

void TJXPrinter::SelectBrushAndPen()
{
    if (!m_canvas)
        return;
    m_canvas->Brush()->Assign(m_brush.get());
    m_canvas->Pen()->Assign(m_pen.get());
}

void TJXPrinter::Print(const QString &text)
{
    if (!m_canvas)
        return;
    const int y = m_canvas->PenPos().Y;
    TextOut(0, y, text);
    m_canvas->MoveTo(0, y + TextHeight(text));
}

void TJXPrinter::PrintStrings(const TStrings *lines, int top, int bottomSpace)
{
    if (!m_canvas || !lines)
        return;
    const int x = m_canvas->PenPos().X;
    const int lineHeight = TextHeight(QStringLiteral("X"));
    for (int i = 0; i < lines->Count(); ++i) {
        if (!m_canvas)
            return; // a page could not be opened
        TextOut(x, m_canvas->PenPos().Y, lines->Get(i));
        m_canvas->MoveTo(x, m_canvas->PenPos().Y + lineHeight);
        if (m_canvas->PenPos().Y > PageHeight() - bottomSpace) {
            NewPage();
            if (m_canvas)
                m_canvas->MoveTo(x, top);
        }
    }
}

void TJXPrinter::TextOut(int x, int y, const QString &text)
{
    if (!m_canvas)
        return;
    SelectFont();
    m_canvas->TextOut(x, y, text);
}

void TJXPrinter::TextCenter(const QString &text, int y)
{
    TextOut((PageWidth() - TextWidth(text)) / 2, y, text);
}

void TJXPrinter::TextLeft(const QString &text, int y)
{
    TextOut(0, y, text);
}

void TJXPrinter::TextRight(const QString &text, int y)
{
    TextOut(PageWidth() - TextWidth(text), y, text);
}

void TJXPrinter::MoveTo(int x, int y)
{
    if (m_canvas)
        m_canvas->MoveTo(x, y);
}

void TJXPrinter::LineTo(int x, int y)
{
    if (!m_canvas)
        return;
    SelectBrushAndPen();
    m_canvas->LineTo(x, y);
}

void TJXPrinter::StretchDraw(const TRect &rect, const TGraphic *graphic)
{
    if (m_canvas)
        m_canvas->StretchDraw(rect, graphic);
}

void TJXPrinter::StretchPropDraw(const TRect &rect, const TGraphic *graphic)
{
    if (!m_canvas || !graphic)
        return;
    const qint64 w = graphic->Width(), h = graphic->Height();
    if (w * h == 0)
        return;
    qint64 width = qint64(rect.Right) - rect.Left;
    qint64 height = h * width / w;
    if (qint64(rect.Bottom) - rect.Top < height) {
        height = qint64(rect.Bottom) - rect.Top;
        width = w * height / h;
    }
    const qint64 left = rect.Left + (qint64(rect.Right) - rect.Left - width) / 2;
    const qint64 top = rect.Top + (qint64(rect.Bottom) - rect.Top - height) / 2;
    m_canvas->StretchDraw(Rect(int(left), int(top), int(left + width), int(top + height)), graphic);
}

void TJXPrinter::FrameRect(const TRect &rect)
{
    if (!m_canvas)
        return;
    SelectBrushAndPen();
    m_canvas->MoveTo(rect.Left, rect.Top);
    m_canvas->LineTo(rect.Right, rect.Top);
    m_canvas->LineTo(rect.Right, rect.Bottom);
    m_canvas->LineTo(rect.Left, rect.Bottom);
    m_canvas->LineTo(rect.Left, rect.Top);
}

void TJXPrinter::Rectangle(int x1, int y1, int x2, int y2)
{
    if (!m_canvas)
        return;
    SelectBrushAndPen();
    m_canvas->Rectangle(x1, y1, x2, y2);
}

void TJXPrinter::Ellipse(int x1, int y1, int x2, int y2)
{
    if (!m_canvas)
        return;
    SelectBrushAndPen();
    m_canvas->Ellipse(x1, y1, x2, y2);
}

void TJXPrinter::PrintRaster(TColor color, TPenStyle style)
{
    if (!m_canvas)
        return;
    TPen *pen = m_canvas->Pen();
    pen->SetColor(color);
    pen->SetStyle(style);
    pen->SetWidth(1);
    const int width = PageWidth(), height = PageHeight();
    m_canvas->MoveTo(0, 0);
    m_canvas->LineTo(width, 0);
    for (int i = 1; i <= 30; ++i) {
        m_canvas->MoveTo(0, 100 * i);
        m_canvas->LineTo(width, 100 * i);
    }
    m_canvas->MoveTo(0, 0);
    m_canvas->LineTo(0, height);
    for (int i = 1; i <= 30; ++i) {
        m_canvas->MoveTo(100 * i, 0);
        m_canvas->LineTo(100 * i, height);
    }
    SelectBrushAndPen();
    SelectFont();
    m_canvas->MoveTo(0, 0);
}

void TJXPrinter::PrintPicList(const TStrings *files, int columns, int rows, bool captions,
                              bool allIcons)
{
    if (!m_canvas || !files)
        return;
    // A grid needs at least one column and one row.
    columns = std::max(1, columns);
    rows = std::max(1, rows);
    const int cellWidth = PageWidth() / columns;
    const int cellHeight = (PageHeight() - m_topBand - m_bottomBand) / rows;
    const int topBand = m_topBand;
    int column = 0, row = 0;
    for (int i = 0; i < files->Count(); ++i) {
        const QString fileName = files->Get(i);
        const int icons = allIcons ? jxtGetIconCount(fileName) : 1;
        for (int k = 0; k < icons; ++k) {
            std::unique_ptr<TBitmap> picture(jxtGetBitmapFromFile(fileName, k));
            if (!picture)
                continue;
            if (column >= columns) {
                column = 0;
                ++row;
                if (row >= rows) {
                    column = 0;
                    row = 0;
                    NewPage();
                    if (!m_canvas)
                        return;
                }
            }
            TRect cell =
                Rect(column * cellWidth, row * cellHeight + topBand, column * cellWidth + cellWidth,
                     row * cellHeight + topBand + cellHeight);
            if (captions) {
                const QString name = platform::ExtractFileName(fileName);
                TextOut(cell.Left + (cellWidth - TextWidth(name)) / 2,
                        cell.Bottom - TextHeight(QStringLiteral("X")), name);
            }
            cell = Rect(cell.Left + 50, cell.Top + 50, cell.Right - 50, cell.Bottom - 50);
            StretchPropDraw(cell, picture.get());
            ++column;
        }
    }
}

void TJXPrinter::ReplaceString(QString &s, const QString &search, const QString &replace)
{
    if (search.isEmpty())
        return;
    const bool restart = !replace.contains(search);
    int from = 0;
    for (;;) {
        const int at = s.indexOf(search, restart ? 0 : from);
        if (at < 0)
            return;
        s.replace(at, search.size(), replace);
        from = at + replace.size();
    }
}

// --- TPageView -----------------------------------------------------------------------------------

TPageView::TPageView(TComponent *owner) : TGraphicControl(owner)
{
    SetCursor(crCross);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TPageView::SetMetafile(const TMetafile *metafile)
{
    const bool usable = metafile && metafile->Width() > 0 && metafile->Height() > 0;
    const TMetafile none;
    m_page.Assign(usable ? metafile : &none);
    m_pageWidth = usable ? metafile->Width() : 0;
    m_pageHeight = usable ? metafile->Height() : 0;
    m_cache = QImage();
    update();
}

void TPageView::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), Qt::white);
    if (!HasPage() || width() <= 0 || height() <= 0)
        return;
    const qreal ratio = devicePixelRatioF();
    const QSize device(int(width() * ratio), int(height() * ratio));
    const double sx = double(width()) / m_pageWidth;
    const double sy = double(height()) / m_pageHeight;
    if (qint64(device.width()) * device.height() <= kMaxCachePixels) {
        if (m_cache.size() != device) {
            m_cache = QImage(device, QImage::Format_RGB32);
            m_cache.setDevicePixelRatio(ratio);
            m_cache.fill(Qt::white);
            QPainter cache(&m_cache);
            cache.setRenderHint(QPainter::Antialiasing);
            cache.setRenderHint(QPainter::TextAntialiasing);
            cache.setRenderHint(QPainter::SmoothPixmapTransform);
            cache.scale(sx, sy);
            m_page.Play(cache);
        }
        painter.drawImage(0, 0, m_cache);
        return;
    }
    // Too large to keep: draw the exposed part straight from the recording.
    m_cache = QImage();
    painter.setClipRect(event->rect());
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.scale(sx, sy);
    m_page.Play(painter);
}

// --- TfrmPrint -----------------------------------------------------------------------------------

namespace {

/// Gives a tool bar button its glyph, 16 x 16, drawn on a light grey ground that is its
/// transparent colour.
void SetButtonGlyph(TBitBtn *button, const std::function<void(QPainter &)> &draw)
{
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(QColor(192, 192, 192));
    QPainter painter(&image);
    draw(painter);
    painter.end();
    TBitmap bitmap;
    bitmap.SetImage(image);
    button->SetGlyph(&bitmap);
}

void DrawMagnifier(QPainter &p, bool plus)
{
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawEllipse(1, 1, 9, 9);
    p.setPen(QPen(Qt::black, 2));
    p.drawLine(9, 9, 14, 14);
    p.setPen(QPen(Qt::black, 1));
    p.drawLine(3, 6, 8, 6);
    if (plus)
        p.drawLine(5, 4, 5, 8);
}

void DrawPageGlyph(QPainter &p)
{
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    p.drawRect(3, 1, 10, 13);
}

} // namespace

TfrmPrint::TfrmPrint(TComponent *owner) : TForm(owner)
{
    SetName(QStringLiteral("frmPrint"));
    SetCaption(QCoreApplication::translate("jxtpack", "Druckvorschau"));
    SetClientWidth(651);
    SetClientHeight(480);
    SetPosition(poScreenCenter);
    Font()->SetName(QStringLiteral("MS Sans Serif"));
    Font()->SetHeight(-14);

    CreateToolBar();
    DrawToolBarGlyphs();
    CreatePageView();

    installEventFilter(this);
    for (QObject *child : findChildren<QObject *>())
        child->installEventFilter(this);
    setFocusPolicy(Qt::StrongFocus);

    FormCreate();
    FormResize();
}

/// The tool bar: print, one or two pages, the zooms, paging, and the end of the preview.
void TfrmPrint::CreateToolBar()
{
    panTool = new TPanel(this);
    panTool->SetName(QStringLiteral("panTool"));
    panTool->SetParent(this);
    panTool->SetBounds(0, 0, 643, 50);
    panTool->SetAlign(alTop);
    panTool->SetCaption(QString());

    auto button = [this](const char *name, int left, int width, const QString &hint) {
        auto *b = new TBitBtn(this);
        b->SetName(QString::fromLatin1(name));
        b->SetParent(panTool);
        b->SetBounds(left, 10, width, 31);
        b->SetHint(hint);
        b->SetShowHint(true);
        b->setFocusPolicy(Qt::NoFocus);
        return b;
    };
    auto panel = [this](const char *name, int left, int width, const QString &caption) {
        auto *p = new TPanel(this);
        p->SetName(QString::fromLatin1(name));
        p->SetParent(panTool);
        p->SetBounds(left, 10, width, 31);
        p->SetBevelOuter(bvLowered);
        p->SetCaption(caption);
        return p;
    };

    btnPrint = button("btnPrint", 10, 92, QCoreApplication::translate("jxtpack", "Drucken"));
    btnPages = button("btnPages", 118, 92,
                      QCoreApplication::translate("jxtpack", "Eine oder 2 Seiten anzeigen"));
    btnPages->SetCaption(QCoreApplication::translate("jxtpack", "2 Seite(n)"));
    btnZoomWidth = button("btnZoomWidth", 226, 31,
                          QCoreApplication::translate("jxtpack", "Auf Seitenbreite zoomen"));
    btnZoomFull =
        button("btnZoomFull", 261, 31, QCoreApplication::translate("jxtpack", "Ganzseitenansicht"));
    btnZoomIn =
        button("btnZoomIn", 310, 31,
               QCoreApplication::translate("jxtpack", "Vergößern (auch mit linke Maustaste)"));
    panZoom = panel("panZoom", 345, 35, QStringLiteral("1"));
    panZoom->SetHint(QCoreApplication::translate("jxtpack", "Zoomfaktor"));
    panZoom->SetShowHint(true);
    btnZoomOut =
        button("btnZoomOut", 384, 31,
               QCoreApplication::translate("jxtpack", "Verkleinern (auch mit rechte Maustaste)"));
    btnZoomOut->SetEnabled(false);
    btnPageMinus = button("btnPageMinus", 428, 31,
                          QCoreApplication::translate("jxtpack", "Seite zurückblättern"));
    btnPageMinus->SetEnabled(false);
    panPages = panel("panPages", 463, 40, QStringLiteral("1/1"));
    btnPagePlus =
        button("btnPagePlus", 507, 33, QCoreApplication::translate("jxtpack", "Seite vorblättern"));
    btnPagePlus->SetEnabled(false);
    btnClose =
        button("btnClose", 552, 85, QCoreApplication::translate("jxtpack", "Vorschau beenden"));
    btnClose->SetCaption(QCoreApplication::translate("jxtpack", "Ende"));

    btnPrint->OnClick = [this](TObject *) { btnPrintClick(); };
    btnPages->OnClick = [this](TObject *) { btnPagesClick(); };
    btnZoomWidth->OnClick = [this](TObject *) { btnZoomWidthClick(); };
    btnZoomFull->OnClick = [this](TObject *) { btnZoomFullClick(); };
    btnZoomIn->OnClick = [this](TObject *) { btnZoomInClick(); };
    btnZoomOut->OnClick = [this](TObject *) { btnZoomOutClick(); };
    btnPageMinus->OnClick = [this](TObject *) { btnPageMinusClick(); };
    btnPagePlus->OnClick = [this](TObject *) { btnPagePlusClick(); };
    btnClose->OnClick = [this](TObject *) { btnCloseClick(); };
}

/// The pictures on the tool bar's buttons, drawn in 16 x 16 pixels.
void TfrmPrint::DrawToolBarGlyphs()
{
    SetButtonGlyph(btnPrint, [](QPainter &p) {
        p.setPen(Qt::black);
        p.setBrush(Qt::white);
        p.drawRect(4, 1, 7, 6);
        p.setBrush(QColor(128, 128, 128));
        p.drawRect(1, 7, 13, 6);
        p.setBrush(Qt::white);
        p.drawRect(4, 11, 7, 3);
    });
    SetButtonGlyph(btnZoomWidth, [](QPainter &p) {
        DrawPageGlyph(p);
        p.drawLine(4, 7, 12, 7);
        p.drawLine(4, 7, 6, 5);
        p.drawLine(4, 7, 6, 9);
        p.drawLine(12, 7, 10, 5);
        p.drawLine(12, 7, 10, 9);
    });
    SetButtonGlyph(btnZoomFull, [](QPainter &p) {
        DrawPageGlyph(p);
        for (int y = 4; y <= 11; y += 2)
            p.drawLine(5, y, 11, y);
    });
    SetButtonGlyph(btnZoomIn, [](QPainter &p) { DrawMagnifier(p, true); });
    SetButtonGlyph(btnZoomOut, [](QPainter &p) { DrawMagnifier(p, false); });
    SetButtonGlyph(btnPageMinus, [](QPainter &p) {
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::black);
        const QPoint points[] = {{11, 3}, {11, 13}, {5, 8}};
        p.drawPolygon(points, 3);
    });
    SetButtonGlyph(btnPagePlus, [](QPainter &p) {
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::black);
        const QPoint points[] = {{5, 3}, {5, 13}, {11, 8}};
        p.drawPolygon(points, 3);
    });
    SetButtonGlyph(btnClose, [](QPainter &p) {
        p.setPen(QPen(QColor(128, 0, 0), 2));
        p.drawLine(3, 3, 12, 12);
        p.drawLine(12, 3, 3, 12);
    });
}

/// The scrolling view with the two page views on a sheet.
void TfrmPrint::CreatePageView()
{
    Panel2 = new TPanel(this);
    Panel2->SetName(QStringLiteral("Panel2"));
    Panel2->SetParent(this);
    Panel2->SetBounds(0, 50, 643, 403);
    Panel2->SetAlign(alClient);
    Panel2->SetBevelOuter(bvNone);
    Panel2->SetBorderWidth(5);
    Panel2->SetCaption(QString());

    scrView = new TScrollBox(this);
    scrView->SetName(QStringLiteral("scrView"));
    scrView->SetParent(Panel2);
    scrView->SetAlign(alClient);
    scrView->SetBorderStyle(bsNone);
    scrView->SetColor(clBtnFace);
    scrView->setFocusPolicy(Qt::NoFocus);
    for (TControlScrollBar *bar : {scrView->HorzScrollBar(), scrView->VertScrollBar()}) {
        bar->SetMargin(20);
        bar->SetTracking(true);
    }
    scrView->OnResize = [this](TObject *) { FormResize(); };
    const auto page = [this](const char *name) {
        auto *view = new TPageView(this);
        view->SetName(QString::fromLatin1(name));
        view->SetParent(scrView);
        view->OnMouseDown = [this](TObject *, TMouseButton button, TShiftState, int, int) {
            imgMeta1MouseDown(button);
        };
        return view;
    };
    imgMeta1 = page("imgMeta1");
    imgMeta2 = page("imgMeta2");
    imgMeta2->SetVisible(false);

    PrintDialog1 = new TPrintDialog(this);
    PrintDialog1->SetName(QStringLiteral("PrintDialog1"));
}

TfrmPrint::~TfrmPrint() = default;

void TfrmPrint::FormCreate()
{
    m_pageIndex = 0;
    m_zoom = 0;
    m_singlePage = true;
    if (PageCount() < 2)
        btnPages->SetEnabled(false);
    else
        btnPagePlus->SetEnabled(true);
    AssignMetaFile();
}

void TfrmPrint::AssignMetaFile()
{
    const int count = PageCount();
    m_pageIndex = std::clamp(m_pageIndex, 0, std::max(0, count - 1));
    btnPageMinus->SetEnabled(m_pageIndex > 0);
    btnPagePlus->SetEnabled(m_pageIndex < count - 1);
    panPages->SetCaption(QStringLiteral("%1/%2").arg(m_pageIndex + 1).arg(count));
    imgMeta1->SetMetafile(PageAt(m_pageIndex));
    imgMeta2->SetMetafile(PageAt(m_pageIndex + 1));
}

void TfrmPrint::FormResize()
{
    m_zoom = std::clamp(m_zoom, 0, 100);
    panZoom->SetCaption(QString::number(m_zoom / 10));
    imgMeta2->SetVisible(!m_singlePage);
    // The pages are placed in the unscrolled view.
    scrView->HorzScrollBar()->SetPosition(0);
    scrView->VertScrollBar()->SetPosition(0);

    const int vw = scrView->Width(), vh = scrView->Height();
    const qint64 pageW = std::max(1, Printer()->PageWidth());
    const qint64 pageH = std::max(1, Printer()->PageHeight());
    qint64 w = m_singlePage ? vw - 60 : vw / 2 - 60;
    qint64 h = w * pageH / pageW;
    if (h > vh - 60 && m_zoom > 0) {
        h = vh - 60;
        w = h * pageW / pageH;
    }
    if (m_zoom > 10) {
        w = m_zoom * w / 10;
        h = m_zoom * h / 10;
    }
    w = std::max<qint64>(1, w);
    h = std::max<qint64>(1, h);

    int left = 20, top = 20;
    if (m_singlePage) {
        if (m_zoom == 10) {
            left = int((vw - w) / 2);
            top = int((vh - h) / 2);
        }
    } else if (m_zoom <= 10) {
        left = int((vw - 2 * w) / 2);
        top = int((vh - h) / 2);
    }
    // The scroll box reaches 20 pixels past the pages shown.
    imgMeta1->SetBounds(left, top, int(w), int(h));
    imgMeta2->SetBounds(left + int(w) + 15, top, int(w), int(h));
}

void TfrmPrint::btnZoomInClick()
{
    m_zoom += 10;
    FormResize();
    if (m_zoom >= 100)
        btnZoomIn->SetEnabled(false);
    btnZoomOut->SetEnabled(true);
}

void TfrmPrint::btnZoomOutClick()
{
    if (m_zoom != 0)
        m_zoom -= 10;
    FormResize();
    if (m_zoom == 0)
        btnZoomOut->SetEnabled(false);
    btnZoomIn->SetEnabled(true);
}

void TfrmPrint::btnZoomWidthClick()
{
    m_zoom = 0;
    FormResize();
    btnZoomIn->SetEnabled(true);
    btnZoomOut->SetEnabled(false);
}

void TfrmPrint::btnZoomFullClick()
{
    m_zoom = 10;
    btnZoomOut->SetEnabled(false);
    FormResize();
    btnZoomIn->SetEnabled(true);
}

void TfrmPrint::btnCloseClick()
{
    SetModalResult(mrCancel);
    Close();
}

void TfrmPrint::btnPagesClick()
{
    m_singlePage = !m_singlePage;
    btnPages->SetCaption(m_singlePage ? QStringLiteral("2 Pages") : QStringLiteral("1 Page"));
    FormResize();
}

void TfrmPrint::btnPageMinusClick()
{
    --m_pageIndex;
    AssignMetaFile();
}

void TfrmPrint::btnPagePlusClick()
{
    ++m_pageIndex;
    AssignMetaFile();
}

void TfrmPrint::imgMeta1MouseDown(TMouseButton button)
{
    if (button == mbLeft)
        btnZoomInClick();
    else if (button == mbRight)
        btnZoomOutClick();
}

void TfrmPrint::FormKeyDown(int &key, Qt::KeyboardModifiers modifiers)
{
    const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
    TControlScrollBar *vertical = scrView->VertScrollBar();
    TControlScrollBar *horizontal = scrView->HorzScrollBar();
    if (keypad) {
        switch (key) {
        case Qt::Key_2: vertical->SetPosition(vertical->Position() + 50); break;
        case Qt::Key_8: vertical->SetPosition(vertical->Position() - 50); break;
        case Qt::Key_4: horizontal->SetPosition(horizontal->Position() - 50); break;
        case Qt::Key_6: horizontal->SetPosition(horizontal->Position() + 50); break;
        case Qt::Key_Plus: btnZoomInClick(); break;
        case Qt::Key_Minus: btnZoomOutClick(); break;
        default: return;
        }
        key = 0;
        return;
    }
    switch (key) {
    case Qt::Key_PageUp: --m_pageIndex; break;
    case Qt::Key_PageDown: ++m_pageIndex; break;
    case Qt::Key_End: m_pageIndex = PageCount() - 1; break;
    case Qt::Key_Home: m_pageIndex = 0; break;
    default:
        if (key >= Qt::Key_1 && key <= Qt::Key_9) {
            m_pageIndex = key - Qt::Key_1;
            break;
        }
        return;
    }
    AssignMetaFile();
    key = 0;
}

void TfrmPrint::keyPressEvent(QKeyEvent *event)
{
    int key = event->key();
    FormKeyDown(key, event->modifiers());
    if (key == 0) {
        event->accept();
        return;
    }
    TForm::keyPressEvent(event);
}

bool TfrmPrint::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto *keyEvent = static_cast<QKeyEvent *>(event);
        int key = keyEvent->key();
        FormKeyDown(key, keyEvent->modifiers());
        if (key == 0)
            return true;
    }
    return TForm::eventFilter(watched, event);
}

void TfrmPrint::btnPrintClick()
{
    const int count = PageCount();
    if (count == 0)
        return;
    PrintDialog1->SetTitle(QCoreApplication::translate("jxtpack", "Drucken"));
    PrintDialog1->SetPrinter(Printer()->Device());
    PrintDialog1->SetOptions({poPageNums});
    PrintDialog1->SetMinPage(1);
    PrintDialog1->SetMaxPage(count);
    PrintDialog1->SetFromPage(1);
    PrintDialog1->SetToPage(count);
    PrintDialog1->SetPrintRange(prAllPages);
    if (!PrintDialog1->Execute())
        return;
    int from = 1, to = count;
    if (PrintDialog1->PrintRange() == prPageNums) {
        from = PrintDialog1->FromPage();
        to = PrintDialog1->ToPage();
    }
    if (from < 1 || to > count || from > to) {
        ShowMessage(QCoreApplication::translate(
                        "jxtpack", "Die Seiten %1 bis %2 gibt es nicht; das Dokument "
                                   "hat die Seiten 1 bis %3. Es wurde nichts gedruckt.")
                        .arg(from)
                        .arg(to)
                        .arg(count));
        return;
    }
    QString fileName = PrintDialog1->FileName();
    if (fileName.isEmpty() && !Printer()->HasDevice()) {
        // No printer installed: the pages go to a PDF file of the user's choice.
        if (!PromptForFileName(fileName, QStringLiteral("PDF-Dateien|*.pdf"), QString(),
                               QCoreApplication::translate("jxtpack", "Als PDF-Datei drucken"),
                               true))
            return;
    }
    PrintPages(from, to, fileName);
}

void TfrmPrint::PrintPages(int from, int to, const QString &fileName)
{
    TPrinter *printer = Printer();
    bool done = false;
    {
        TBusyCursor busy;
        if (printer->BeginDoc(fileName)) {
            QPainter *painter = printer->Canvas();
            // One page unit is a tenth of a millimetre on paper. A recording plays back at
            // the resolution it was made for (the screen's, 96 dots per inch) scaled to the
            // device's by itself; that factor is taken out again here.
            QPaintDevice *device = painter->device();
            const double scaleX = printer->Resolution() / 254.0 * 96.0 / device->logicalDpiX();
            const double scaleY = printer->Resolution() / 254.0 * 96.0 / device->logicalDpiY();
            const double width = printer->HorzSize() * 10.0;
            const double height = printer->VertSize() * 10.0;
            for (int page = from; page <= to; ++page) {
                TMetafile *metafile = PageAt(page - 1);
                if (page > from)
                    printer->NewPage();
                if (!metafile || metafile->Width() <= 0 || metafile->Height() <= 0)
                    continue;
                painter->save();
                painter->scale(scaleX * width / metafile->Width(),
                               scaleY * height / metafile->Height());
                metafile->Play(*painter);
                painter->restore();
            }
            done = printer->EndDoc();
        }
    }
    if (!done) {
        const QString target =
            fileName.isEmpty() ? QCoreApplication::translate("jxtpack", "den Drucker") : fileName;
        ShowMessage(QCoreApplication::translate("jxtpack", "Der Druck auf %1 ist fehlgeschlagen.")
                        .arg(target));
    }
}

} // namespace jxt
