// SPDX-License-Identifier: MIT
// The printer component: recorded pages played back onto a device that notes every text,
// line and picture; the preview driven through its buttons and keys inside the scripted
// modal loop; printing to PDF files read back with poppler's tools.
#include "services/JXPrinter.h"

#include "TestSupport.h"
#include "host/controls/Buttons.h"
#include "host/controls/Dialogs.h"
#include "host/controls/ExtCtrls.h"
#include "host/controls/ScrollBox.h"
#include "host/files/Printers.h"
#include "host/graphics/MetafileCanvas.h"
#include "platform/IconBuilders.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <stdexcept>

using namespace jxt;

namespace {

// --- a device that notes what a recorded page draws -----------------------------------------

struct TDrawn
{
    struct Text
    {
        QString text;
        QPointF baseline;
        double width;
    };
    std::vector<Text> texts;
    std::vector<QLineF> lines;
    std::vector<QRectF> images;
    std::vector<QRectF> rects;
    std::vector<QColor> penColors;

    const Text *Find(const QString &needle) const
    {
        for (const Text &t : texts)
            if (t.text.contains(needle))
                return &t;
        return nullptr;
    }
};

class TNotingEngine : public QPaintEngine
{
public:
    explicit TNotingEngine(TDrawn &drawn) : QPaintEngine(AllFeatures), m_drawn(drawn) {}
    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState &state) override
    {
        if (state.state() & DirtyPen)
            m_pen = state.pen();
    }
    void drawTextItem(const QPointF &p, const QTextItem &item) override
    {
        m_drawn.texts.push_back({item.text(), p, item.width()});
    }
    void drawLines(const QLineF *lines, int count) override
    {
        for (int i = 0; i < count; ++i) {
            m_drawn.lines.push_back(lines[i]);
            m_drawn.penColors.push_back(m_pen.color());
        }
    }
    void drawLines(const QLine *lines, int count) override
    {
        for (int i = 0; i < count; ++i) {
            m_drawn.lines.push_back(QLineF(lines[i]));
            m_drawn.penColors.push_back(m_pen.color());
        }
    }
    void drawRects(const QRectF *rects, int count) override
    {
        for (int i = 0; i < count; ++i)
            m_drawn.rects.push_back(rects[i]);
    }
    void drawRects(const QRect *rects, int count) override
    {
        for (int i = 0; i < count; ++i)
            m_drawn.rects.push_back(QRectF(rects[i]));
    }
    void drawPixmap(const QRectF &r, const QPixmap &, const QRectF &) override
    {
        m_drawn.images.push_back(r);
    }
    void drawImage(const QRectF &r, const QImage &, const QRectF &,
                   Qt::ImageConversionFlags) override
    {
        m_drawn.images.push_back(r);
    }
    void drawPath(const QPainterPath &path) override
    {
        // A recording plays lines back as paths: each straight segment of a stroked path
        // counts as a line (fills come without a pen).
        if (m_pen.style() == Qt::NoPen)
            return;
        for (int i = 1; i < path.elementCount(); ++i) {
            const QPainterPath::Element e = path.elementAt(i);
            if (e.isLineTo()) {
                const QPainterPath::Element from = path.elementAt(i - 1);
                m_drawn.lines.push_back(QLineF(from.x, from.y, e.x, e.y));
                m_drawn.penColors.push_back(m_pen.color());
            }
        }
    }
    void drawPolygon(const QPointF *points, int count, PolygonDrawMode mode) override
    {
        if (mode != PolylineMode || m_pen.style() == Qt::NoPen)
            return;
        for (int i = 1; i < count; ++i) {
            m_drawn.lines.push_back(QLineF(points[i - 1], points[i]));
            m_drawn.penColors.push_back(m_pen.color());
        }
    }
    Type type() const override { return User; }

private:
    TDrawn &m_drawn;
    QPen m_pen;
};

class TNotingDevice : public QPaintDevice
{
public:
    TNotingDevice() : m_engine(drawn) {}
    TDrawn drawn;
    QPaintEngine *paintEngine() const override { return const_cast<TNotingEngine *>(&m_engine); }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth:
        case PdmHeight: return 10000;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY: return 96;
        case PdmDepth: return 32;
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return int(devicePixelRatioFScale());
        default: return 0;
        }
    }

private:
    TNotingEngine m_engine;
};

/// What page (from 1) of PageList draws, in page units.
TDrawn DrawnOn(int page)
{
    TNotingDevice device;
    auto *metafile = dynamic_cast<TMetafile *>(PageList->GetObject(page - 1));
    if (!metafile)
        return {};
    QPainter painter(&device);
    metafile->Play(painter);
    painter.end();
    return device.drawn;
}

/// The page (from 1) of PageList a view shows, by its recording's data; 0 for none.
int ShownPage(const TPageView &view)
{
    if (!view.HasPage())
        return 0;
    for (int i = 0; i < PageList->Count(); ++i)
        if (static_cast<TMetafile *>(PageList->GetObject(i))->RecordingId() ==
            view.Page().RecordingId())
            return i + 1;
    return -1;
}

QString RunTool(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return QStringLiteral("<%1 failed>").arg(program);
    return QString::fromUtf8(process.readAllStandardOutput());
}

int PdfPages(const QString &file)
{
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(RunTool("pdfinfo", {file}));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

QSizeF PdfPageSize(const QString &file)
{
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+) pts"))
            .match(RunTool("pdfinfo", {file}));
    return m.hasMatch() ? QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()) : QSizeF();
}

class JXPrinterTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        jxt::test::InstallScriptedDialogs();
        // Tests never reach a real printer: without a file name the jobs fail.
        m_previous = SetPrinter(std::make_unique<TPrinter>(TPrinter::PdfOnly{}));
        m_printer = std::make_unique<TJXPrinter>();
    }
    void TearDown() override
    {
        m_printer.reset();
        SetPrinter(std::move(m_previous));
    }
    QString P(const QString &name) const { return m_dir.filePath(name); }
    TScriptedDialogs *Dialogs() const { return jxt::test::Dialogs(); }
    /// Makes a document of `pages` pages, each with its number as a body line, and leaves it
    /// in PageList without showing it.
    void MakePages(int pages)
    {
        m_printer->NewDoc();
        for (int i = 1; i <= pages; ++i) {
            if (i > 1)
                m_printer->NewPage();
            m_printer->TextOut(100, 500, QStringLiteral("Inhalt %1").arg(i));
        }
        m_printer->Show(); // closes the page; the preview is answered by the script
        Dialogs()->Clear();
    }
    /// Runs the preview of PageList with test run on the live form.
    void WithPreview(const std::function<void(TfrmPrint &)> &test)
    {
        bool ran = false;
        Dialogs()->Responder = [&](TDialogRequest &r) {
            if (r.kind != TDialogRequest::ModalForm)
                return -1;
            auto *form = dynamic_cast<TfrmPrint *>(r.form);
            if (form) {
                ran = true;
                test(*form);
            }
            return int(mrCancel);
        };
        m_printer->Show();
        Dialogs()->Responder = nullptr;
        EXPECT_TRUE(ran) << "the preview was not shown";
    }

    /// Shows the document, prints it from the preview into the PDF file `name` and returns
    /// the word boxes pdftotext -bbox finds in it (in points from the paper's top-left corner).
    QString PrintedWordBoxes(const QString &name)
    {
        m_printer->Show();
        Dialogs()->Clear();
        const QString pdf = P(name);
        WithPreview([&](TfrmPrint &form) {
            Dialogs()->Responder = [&](TDialogRequest &r) {
                if (r.kind != TDialogRequest::Print)
                    return -1;
                r.fileName = pdf;
                return int(mrOk);
            };
            form.btnPrintClick();
        });
        return RunTool("pdftotext", {"-bbox", pdf, "-"});
    }

    QTemporaryDir m_dir;
    std::unique_ptr<TPrinter> m_previous;
    std::unique_ptr<TJXPrinter> m_printer;
};

// --- the component ---------------------------------------------------------------------------

TEST_F(JXPrinterTest, PublishesItsPropertiesInOrderWithTheirDefaults)
{
    const QMetaObject *meta = m_printer->metaObject();
    QStringList names;
    for (int i = TComponent::staticMetaObject.propertyCount(); i < meta->propertyCount(); ++i)
        names << QString::fromLatin1(meta->property(i).name());
    EXPECT_EQ(names, QStringList({"About_JXTools", "BottomAlignment", "BottomCaption", "BottomFont",
                                  "Brush", "Font", "Orientation", "Page", "Pen", "TopAlignment",
                                  "TopCaption", "TopFont"}));
    EXPECT_EQ(m_printer->property("About_JXTools").toString(), QStringLiteral("03.02.97"));
    EXPECT_EQ(m_printer->TopFont()->Name(), QStringLiteral("Times New Roman"));
    EXPECT_EQ(m_printer->BottomFont()->Name(), QStringLiteral("Times New Roman"));
    EXPECT_EQ(m_printer->TopAlignment(), taCenter);
    EXPECT_EQ(m_printer->Orientation(), jxpoPortrait);
    EXPECT_TRUE(m_printer->setProperty("Orientation", QStringLiteral("jxpoLandscape")));
    EXPECT_EQ(m_printer->Orientation(), jxpoLandscape);
}

TEST_F(JXPrinterTest, PageSizeComesFromThePrinterInTenthsOfAMillimetre)
{
    const QRectF paint = Printer()->Device()->pageLayout().paintRect(QPageLayout::Millimeter);
    EXPECT_EQ(m_printer->PageWidth(), int(paint.width()) * 10);
    EXPECT_EQ(m_printer->PageHeight(), int(paint.height()) * 10);
    const int portraitWidth = m_printer->PageWidth();
    m_printer->SetOrientation(jxpoLandscape);
    m_printer->NewDoc();
    EXPECT_GT(m_printer->PageWidth(), m_printer->PageHeight());
    EXPECT_NE(m_printer->PageWidth(), portraitWidth);
    m_printer->SetOrientation(jxpoPortrait);
    m_printer->NewDoc();
    EXPECT_EQ(m_printer->PageWidth(), portraitWidth);
}

TEST_F(JXPrinterTest, PagesAreNumberedInTheSharedListThatLivesWhileAnyPrinterDoes)
{
    MakePages(3);
    ASSERT_NE(PageList, nullptr);
    ASSERT_EQ(PageList->Count(), 3);
    EXPECT_EQ(PageList->Get(2), QStringLiteral("Seite 3"));
    EXPECT_EQ(m_printer->Page(), 3);
    {
        // A second printer uses the same list; its going leaves the list to the first.
        TJXPrinter second;
        EXPECT_EQ(PageList->Count(), 3);
    }
    ASSERT_NE(PageList, nullptr);
    EXPECT_EQ(PageList->Count(), 3);
    m_printer->NewDoc();
    EXPECT_EQ(PageList->Count(), 1);
    EXPECT_EQ(m_printer->Page(), 1);
    m_printer.reset();
    EXPECT_EQ(PageList, nullptr);
}

TEST_F(JXPrinterTest, HeaderAndFooterCarryThePageNumberAndTheirBands)
{
    m_printer->SetTopCaption(QStringLiteral("Seite %Seite"));
    m_printer->SetBottomCaption(QStringLiteral("Fußzeile ohne Nummer"));
    m_printer->SetTopAlignment(taRightJustify);
    m_printer->SetBottomAlignment(taLeftJustify);
    m_printer->TopFont()->SetSize(30);
    m_printer->NewDoc();
    m_printer->NewPage();
    m_printer->NewPage();
    const int topBand = m_printer->TopBand();
    m_printer->Show();

    const TDrawn page3 = DrawnOn(3);
    const TDrawn::Text *header = page3.Find(QStringLiteral("Seite"));
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(header->text, QStringLiteral("Seite 3"));
    EXPECT_NEAR(header->baseline.x() + header->width, m_printer->PageWidth(), 1.0);
    const QFontMetrics top(m_printer->TopFont()->ToQFont());
    EXPECT_NEAR(header->baseline.y(), 20 + top.ascent(), 1.0);
    EXPECT_EQ(topBand, top.height() + 70);

    const TDrawn::Text *footer = page3.Find(QStringLiteral("Fußzeile"));
    ASSERT_NE(footer, nullptr);
    EXPECT_EQ(footer->text, QStringLiteral("Fußzeile ohne Nummer"));
    EXPECT_NEAR(footer->baseline.x(), 0.0, 0.5);
    const QFontMetrics bottom(m_printer->BottomFont()->ToQFont());
    EXPECT_NEAR(footer->baseline.y(),
                m_printer->PageHeight() - bottom.height() - 20 + bottom.ascent(), 1.0);

    // No caption: nothing drawn, no band.
    m_printer->SetTopCaption(QString());
    m_printer->SetBottomCaption(QString());
    m_printer->NewDoc();
    EXPECT_EQ(m_printer->TopBand(), 0);
    EXPECT_EQ(m_printer->BottomBand(), 0);
    m_printer->Show();
    Dialogs()->Clear();
    EXPECT_TRUE(DrawnOn(1).texts.empty());
}

TEST_F(JXPrinterTest, ReplaceStringEndsEvenWhenTheReplacementHoldsTheSearch)
{
    QString s = QStringLiteral("%Seite von %Seite");
    TJXPrinter::ReplaceString(s, QStringLiteral("%Seite"), QStringLiteral("12"));
    EXPECT_EQ(s, QStringLiteral("12 von 12"));
    // Restarting from the beginning finds occurrences the replacement made.
    s = QStringLiteral("aab");
    TJXPrinter::ReplaceString(s, QStringLiteral("ab"), QStringLiteral("b"));
    EXPECT_EQ(s, QStringLiteral("b"));
    s = QStringLiteral("x%Seite");
    TJXPrinter::ReplaceString(s, QStringLiteral("%Seite"), QStringLiteral("[%Seite]"));
    EXPECT_EQ(s, QStringLiteral("x[%Seite]"));
}

TEST_F(JXPrinterTest, TextPlacementAndLineFlow)
{
    m_printer->Font()->SetSize(40);
    m_printer->NewDoc();
    const int width = m_printer->TextWidth(QStringLiteral("Mitte"));
    m_printer->TextCenter(QStringLiteral("Mitte"), 300);
    m_printer->TextRight(QStringLiteral("Rechts"), 400);
    m_printer->TextLeft(QStringLiteral("Links"), 500);
    m_printer->MoveTo(0, 1000);
    m_printer->Print(QStringLiteral("Zeile 1"));
    EXPECT_EQ(m_printer->PenPos(),
              Point(0, 1000 + m_printer->TextHeight(QStringLiteral("Zeile 1"))));
    m_printer->Print(QStringLiteral("Zeile 2"));
    m_printer->Show();

    const TDrawn page = DrawnOn(1);
    const QFontMetrics metrics(m_printer->Font()->ToQFont());
    const TDrawn::Text *centre = page.Find(QStringLiteral("Mitte"));
    ASSERT_NE(centre, nullptr);
    EXPECT_NEAR(centre->baseline.x(), (m_printer->PageWidth() - width) / 2, 0.5);
    EXPECT_NEAR(centre->baseline.y(), 300 + metrics.ascent(), 0.5);
    const TDrawn::Text *right = page.Find(QStringLiteral("Rechts"));
    ASSERT_NE(right, nullptr);
    EXPECT_NEAR(right->baseline.x() + right->width, m_printer->PageWidth(), 1.0);
    const TDrawn::Text *second = page.Find(QStringLiteral("Zeile 2"));
    ASSERT_NE(second, nullptr);
    EXPECT_NEAR(second->baseline.y(), 1000 + metrics.height() + metrics.ascent(), 0.5);
}

TEST_F(JXPrinterTest, PrintStringsBreaksPagesAndGoesOnAtTheTopWithTheSameX)
{
    m_printer->Font()->SetSize(50);
    m_printer->NewDoc();
    const int line = m_printer->TextHeight(QStringLiteral("X"));
    const int bottomSpace = 400;
    const int top = 250;
    TStringList lines;
    for (int i = 1; i <= 200; ++i)
        lines.Add(QStringLiteral("L%1").arg(i));
    m_printer->MoveTo(120, 0);
    m_printer->PrintStrings(&lines, top, bottomSpace);
    m_printer->Show();

    // Page 1 takes the lines until the next line position passes the limit.
    const int limit = m_printer->PageHeight() - bottomSpace;
    int onFirst = 0;
    for (int y = 0; y <= limit; y += line)
        ++onFirst; // the line at y is printed; the break follows when y + line > limit
    const TDrawn page1 = DrawnOn(1);
    ASSERT_EQ(int(page1.texts.size()), onFirst);
    EXPECT_EQ(page1.texts.back().text, QStringLiteral("L%1").arg(onFirst));
    EXPECT_NEAR(page1.texts.front().baseline.x(), 120, 0.5);

    const TDrawn page2 = DrawnOn(2);
    ASSERT_FALSE(page2.texts.empty());
    EXPECT_EQ(page2.texts.front().text, QStringLiteral("L%1").arg(onFirst + 1));
    const QFontMetrics metrics(m_printer->Font()->ToQFont());
    EXPECT_NEAR(page2.texts.front().baseline.y(), top + metrics.ascent(), 0.5);
    EXPECT_NEAR(page2.texts.front().baseline.x(), 120, 0.5);
    int total = 0;
    for (int p = 1; p <= PageList->Count(); ++p)
        total += int(DrawnOn(p).texts.size());
    EXPECT_EQ(total, 200);
}

TEST_F(JXPrinterTest, ShapesUseThePenAndTheBrushAndKeepProportions)
{
    m_printer->NewDoc();
    m_printer->Pen()->SetColor(clRed);
    m_printer->FrameRect(Rect(100, 100, 600, 400));
    TBitmap wide(100, 50);
    m_printer->StretchPropDraw(Rect(0, 1000, 200, 1200), &wide);
    TBitmap tall(50, 100);
    m_printer->StretchPropDraw(Rect(0, 2000, 200, 2200), &tall);
    m_printer->StretchPropDraw(Rect(0, 0, 200, 200), nullptr);
    TBitmap empty;
    m_printer->StretchPropDraw(Rect(0, 0, 200, 200), &empty);
    m_printer->Show();

    const TDrawn page = DrawnOn(1);
    ASSERT_EQ(page.lines.size(), 4u);
    EXPECT_EQ(page.lines[0], QLineF(100, 100, 600, 100));
    EXPECT_EQ(page.lines[1], QLineF(600, 100, 600, 400));
    EXPECT_EQ(page.lines[2], QLineF(600, 400, 100, 400));
    EXPECT_EQ(page.lines[3], QLineF(100, 400, 100, 100));
    EXPECT_EQ(page.penColors[0], QColor(Qt::red));
    ASSERT_EQ(page.images.size(), 2u);
    EXPECT_EQ(page.images[0], QRectF(0, 1050, 200, 100));
    EXPECT_EQ(page.images[1], QRectF(50, 2000, 100, 200));
}

TEST_F(JXPrinterTest, RasterDrawsACentimetreGridAndRestoresThePen)
{
    m_printer->NewDoc();
    m_printer->Pen()->SetColor(clBlue);
    m_printer->PrintRaster(clGreen, psDot);
    m_printer->LineTo(10, 10);
    m_printer->Show();
    const TDrawn page = DrawnOn(1);
    ASSERT_EQ(page.lines.size(), 63u);
    EXPECT_EQ(page.lines[0], QLineF(0, 0, m_printer->PageWidth(), 0));
    EXPECT_EQ(page.lines[30], QLineF(0, 3000, m_printer->PageWidth(), 3000));
    EXPECT_EQ(page.lines[31], QLineF(0, 0, 0, m_printer->PageHeight()));
    EXPECT_EQ(page.lines[32], QLineF(100, 0, 100, m_printer->PageHeight()));
    EXPECT_EQ(page.penColors[5], QColor(0, 128, 0));
    // After the raster the pen is the component's again and at the origin.
    EXPECT_EQ(page.lines[62], QLineF(0, 0, 10, 10));
    EXPECT_EQ(page.penColors[62], QColor(Qt::blue));
}

TEST_F(JXPrinterTest, PicListFillsCellsOverPagesAndPrintsEveryIconOfALibrary)
{
    QImage red(40, 20, QImage::Format_RGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(P("bild.bmp"), "BMP"));
    auto icon = [](quint32 colour) {
        return jxt::test::IconDib(32, 32, 24, [colour](int, int) { return colour; });
    };
    QFile library(P("symbole.icl"));
    ASSERT_TRUE(library.open(QIODevice::WriteOnly));
    library.write(
        jxt::test::NeIconLibrary({{icon(0xFFFF0000u)}, {icon(0xFF00FF00u)}, {icon(0xFF0000FFu)}}));
    library.close();

    TStringList files;
    files.Add(P("bild.bmp"));
    files.Add(P("symbole.icl"));
    files.Add(P("fehlt.bmp")); // missing: an empty bitmap, which draws nothing

    m_printer->SetTopCaption(QStringLiteral("Bilder"));
    m_printer->NewDoc();
    const int band = m_printer->TopBand();
    m_printer->PrintPicList(&files, 2, 1, true, true);
    m_printer->Show();
    // The bitmap has no icons; the three icons take two cells of page 1 and one of page 2.
    ASSERT_EQ(PageList->Count(), 2);
    const TDrawn page1 = DrawnOn(1);
    ASSERT_EQ(page1.images.size(), 2u);
    const int cellWidth = m_printer->PageWidth() / 2;
    EXPECT_NEAR(page1.images[1].center().x(), cellWidth + cellWidth / 2.0, 1.0);
    EXPECT_GE(page1.images[0].top(), band + 50);
    EXPECT_NE(page1.Find(QStringLiteral("symbole.icl")), nullptr);
    EXPECT_EQ(page1.Find(QStringLiteral("bild.bmp")), nullptr);
    EXPECT_EQ(DrawnOn(2).images.size(), 1u);

    // One picture per file without the flag; a grid of no columns counts as one column.
    m_printer->SetTopCaption(QString());
    m_printer->NewDoc();
    m_printer->PrintPicList(&files, 0, 0, false, false);
    m_printer->Show();
    int pictures = 0;
    for (int p = 1; p <= PageList->Count(); ++p)
        pictures += int(DrawnOn(p).images.size());
    EXPECT_EQ(pictures, 2); // the bitmap and the library's first icon
    // The missing file gives an empty picture: its cell stays blank.
    EXPECT_EQ(PageList->Count(), 3);
}

TEST_F(JXPrinterTest, DrawingWithoutAnOpenPageDoesNothing)
{
    m_printer->TextOut(0, 0, QStringLiteral("x"));
    m_printer->LineTo(100, 100);
    m_printer->PrintRaster(clBlack, psSolid);
    EXPECT_EQ(PageList->Count(), 0);
    EXPECT_GT(m_printer->TextHeight(QString()), 0);
}

// --- failures --------------------------------------------------------------------------------

TEST_F(JXPrinterTest, FailuresAreShownInGermanAndNeverRaised)
{
    m_printer->Show();
    EXPECT_EQ(Dialogs()->Texts(), QStringList({"Keine Seite zum anzeigen"}));
    Dialogs()->Clear();

    m_printer->OnPrint = [](TObject *) { throw std::runtime_error("kaputt"); };
    EXPECT_NO_THROW(m_printer->Execute());
    EXPECT_EQ(Dialogs()->Texts(), QStringList({"Fehler beim erzeugen der Vorschau"}));
    for (const TDialogRequest &r : Dialogs()->Shown())
        EXPECT_NE(r.kind, TDialogRequest::ModalForm);
    EXPECT_EQ(m_printer->PageCanvas(), nullptr);
}

TEST_F(JXPrinterTest, ExecuteRecordsTheHandlersPagesAndShowsThePreview)
{
    int calls = 0;
    m_printer->OnPrint = [&](TObject *sender) {
        ++calls;
        EXPECT_EQ(sender, m_printer.get());
        m_printer->TextOut(0, 0, QStringLiteral("eins"));
        m_printer->NewPage();
        m_printer->TextOut(0, 0, QStringLiteral("zwei"));
    };
    int signals_ = 0;
    QObject::connect(m_printer.get(), &TJXPrinter::onPrint, [&](TObject *) { ++signals_; });
    int shown = 0;
    // The page is closed before the preview opens.
    Dialogs()->Responder = [&](TDialogRequest &r) {
        if (r.kind == TDialogRequest::ModalForm && dynamic_cast<TfrmPrint *>(r.form)) {
            ++shown;
            EXPECT_EQ(m_printer->PageCanvas(), nullptr);
            EXPECT_EQ(r.text, QStringLiteral("Druckvorschau"));
        }
        return -1;
    };
    m_printer->Execute();
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(signals_, 1);
    EXPECT_EQ(shown, 1);
    ASSERT_EQ(PageList->Count(), 2);
    EXPECT_NE(DrawnOn(2).Find(QStringLiteral("zwei")), nullptr);
    EXPECT_EQ(Screen()->Cursor(), crDefault);
}

// --- the preview -----------------------------------------------------------------------------

TEST_F(JXPrinterTest, PreviewPagesThroughButtonsAndKeys)
{
    MakePages(5);
    WithPreview([&](TfrmPrint &form) {
        EXPECT_EQ(form.panPages->Caption(), QStringLiteral("1/5"));
        EXPECT_FALSE(form.btnPageMinus->Enabled());
        EXPECT_TRUE(form.btnPagePlus->Enabled());
        EXPECT_TRUE(form.btnPages->Enabled());
        EXPECT_EQ(ShownPage(*form.imgMeta1), 1);
        EXPECT_EQ(ShownPage(*form.imgMeta2), 2);
        form.btnPagePlus->Click();
        EXPECT_EQ(form.panPages->Caption(), QStringLiteral("2/5"));
        EXPECT_TRUE(form.btnPageMinus->Enabled());

        QTest::keyClick(&form, Qt::Key_7);
        EXPECT_EQ(form.panPages->Caption(), QStringLiteral("5/5"));
        EXPECT_FALSE(form.btnPagePlus->Enabled());
        EXPECT_EQ(ShownPage(*form.imgMeta1), 5);
        EXPECT_FALSE(form.imgMeta2->HasPage());
        QTest::keyClick(&form, Qt::Key_Home);
        EXPECT_EQ(form.PageIndex(), 0);
        QTest::keyClick(&form, Qt::Key_End);
        EXPECT_EQ(form.PageIndex(), 4);
        QTest::keyClick(&form, Qt::Key_PageUp);
        EXPECT_EQ(form.PageIndex(), 3);
        QTest::keyClick(&form, Qt::Key_PageDown);
        QTest::keyClick(&form, Qt::Key_PageDown);
        EXPECT_EQ(form.PageIndex(), 4);
        QTest::keyClick(&form, Qt::Key_2);
        EXPECT_EQ(form.PageIndex(), 1);
        // The keypad's 2 scrolls instead of paging.
        QTest::keyClick(&form, Qt::Key_Plus, Qt::KeypadModifier);
        EXPECT_EQ(form.Zoom(), 10);
        QTest::keyClick(&form, Qt::Key_Plus, Qt::KeypadModifier);
        form.show();
        QTest::keyClick(&form, Qt::Key_2, Qt::KeypadModifier);
        EXPECT_EQ(form.PageIndex(), 1);
        EXPECT_EQ(form.scrView->VertScrollBar()->Position(), 50);
        QTest::keyClick(&form, Qt::Key_8, Qt::KeypadModifier);
        EXPECT_EQ(form.scrView->VertScrollBar()->Position(), 0);
        QTest::keyClick(&form, Qt::Key_Minus, Qt::KeypadModifier);
        EXPECT_EQ(form.Zoom(), 10);

        form.btnPagesClick();
        EXPECT_FALSE(form.SinglePage());
        EXPECT_EQ(form.btnPages->Caption(), QStringLiteral("1 Page"));
        EXPECT_FALSE(form.imgMeta2->isHidden());
        form.btnPagesClick();
        EXPECT_EQ(form.btnPages->Caption(), QStringLiteral("2 Pages"));
        EXPECT_TRUE(form.imgMeta2->isHidden());
    });
}

TEST_F(JXPrinterTest, PreviewControlsCarryTheirNames)
{
    MakePages(2);
    WithPreview([&](TfrmPrint &form) {
        for (const char *name :
             {"panTool", "btnPrint", "btnPages", "btnZoomWidth", "btnZoomFull", "btnZoomIn",
              "panZoom", "btnZoomOut", "btnPageMinus", "panPages", "btnPagePlus", "btnClose",
              "Panel2", "scrView", "imgMeta1", "imgMeta2", "PrintDialog1"})
            EXPECT_NE(form.FindComponent(QString::fromLatin1(name)), nullptr) << name;
        EXPECT_EQ(form.FindComponent(QStringLiteral("btnPrint")), form.btnPrint);
        EXPECT_EQ(form.findChild<TPageView *>(QStringLiteral("imgMeta1")), form.imgMeta1);
        EXPECT_EQ(form.imgMeta1->Parent(), form.scrView);
        EXPECT_EQ(form.imgMeta1->Cursor(), crCross);
        // The scroll box reaches 20 pixels past the page.
        for (int i = 0; i < 3; ++i)
            form.btnZoomInClick();
        EXPECT_EQ(form.scrView->VertScrollBar()->Range(),
                  form.imgMeta1->Top() + form.imgMeta1->Height() + 20);
        EXPECT_TRUE(form.scrView->VertScrollBar()->Tracking());
    });
}

TEST_F(JXPrinterTest, OnePageDocumentDisablesPagingAndTheTwoPageView)
{
    MakePages(1);
    WithPreview([&](TfrmPrint &form) {
        EXPECT_FALSE(form.btnPages->Enabled());
        EXPECT_FALSE(form.btnPageMinus->Enabled());
        EXPECT_FALSE(form.btnPagePlus->Enabled());
        EXPECT_EQ(form.panPages->Caption(), QStringLiteral("1/1"));
        QTest::keyClick(&form, Qt::Key_9);
        EXPECT_EQ(form.panPages->Caption(), QStringLiteral("1/1"));
    });
}

TEST_F(JXPrinterTest, ZoomStaysWithinItsRangeAndLaysThePagesOut)
{
    MakePages(2);
    WithPreview([&](TfrmPrint &form) {
        const QSize view(form.scrView->Width(), form.scrView->Height());
        const double aspect = double(Printer()->PageHeight()) / Printer()->PageWidth();
        EXPECT_EQ(form.Zoom(), 0);
        EXPECT_FALSE(form.btnZoomOut->Enabled());
        // Zoom 0: the page's width fills the view less the margins.
        EXPECT_EQ(form.imgMeta1->width(), view.width() - 60);
        EXPECT_EQ(form.imgMeta1->pos(), QPoint(20, 20));

        form.btnZoomFullClick();
        EXPECT_EQ(form.panZoom->Caption(), QStringLiteral("1"));
        EXPECT_EQ(form.imgMeta1->height(), view.height() - 60);
        EXPECT_NEAR(form.imgMeta1->width(), (view.height() - 60) / aspect, 1.0);
        EXPECT_EQ(form.imgMeta1->x(), (view.width() - form.imgMeta1->width()) / 2);
        const QSize whole = form.imgMeta1->size();

        form.btnZoomInClick();
        EXPECT_EQ(form.panZoom->Caption(), QStringLiteral("2"));
        EXPECT_EQ(form.imgMeta1->size(), whole * 2);
        EXPECT_EQ(form.imgMeta1->pos(), QPoint(20, 20));

        for (int i = 0; i < 12; ++i)
            form.imgMeta1MouseDown(mbLeft);
        EXPECT_EQ(form.Zoom(), 100);
        EXPECT_EQ(form.panZoom->Caption(), QStringLiteral("10"));
        EXPECT_FALSE(form.btnZoomIn->Enabled());
        EXPECT_EQ(form.imgMeta1->size(), whole * 10);

        for (int i = 0; i < 12; ++i)
            form.imgMeta1MouseDown(mbRight);
        EXPECT_EQ(form.Zoom(), 0);
        EXPECT_FALSE(form.btnZoomOut->Enabled());
        EXPECT_TRUE(form.btnZoomIn->Enabled());

        // Two pages side by side at the whole-page zoom, centred as a pair.
        form.btnPagesClick();
        form.btnZoomFullClick();
        const int w = form.imgMeta1->width();
        EXPECT_EQ(form.imgMeta1->x(), (view.width() - 2 * w) / 2);
        EXPECT_EQ(form.imgMeta2->x(), form.imgMeta1->x() + w + 15);
        EXPECT_EQ(form.imgMeta2->y(), form.imgMeta1->y());
        form.btnZoomWidthClick();
        EXPECT_EQ(form.Zoom(), 0);
        EXPECT_EQ(form.imgMeta1->width(), view.width() / 2 - 60);
    });
}

TEST_F(JXPrinterTest, HighestZoomOfALargeWindowKeepsTheBitmapCapped)
{
    m_printer->NewDoc();
    m_printer->Brush()->SetColor(clBlack);
    m_printer->Rectangle(0, 0, 20, 20);
    m_printer->Show();
    Dialogs()->Clear();
    WithPreview([&](TfrmPrint &form) {
        form.SetBounds(0, 0, 1600, 1200);
        form.show();
        form.btnZoomFullClick();
        QImage small = form.imgMeta1->grab().toImage();
        ASSERT_FALSE(form.imgMeta1->CacheSize().isEmpty());
        EXPECT_LE(qint64(form.imgMeta1->CacheSize().width()) * form.imgMeta1->CacheSize().height(),
                  TPageView::kMaxCachePixels);
        EXPECT_EQ(small.pixelColor(2, 2), QColor(Qt::black));

        for (int i = 0; i < 10; ++i)
            form.btnZoomInClick();
        const QSize size = form.imgMeta1->size();
        ASSERT_GT(qint64(size.width()) * size.height(), TPageView::kMaxCachePixels);
        // Only the part in view is drawn; nothing of the page's full size is kept.
        const QImage part = form.imgMeta1->grab(QRect(0, 0, 300, 300)).toImage();
        EXPECT_TRUE(form.imgMeta1->CacheSize().isEmpty());
        // The grab has the screen's device pixels; positions below are logical.
        const qreal ratio = part.devicePixelRatio();
        EXPECT_EQ(part.pixelColor(QPoint(10, 10) * ratio), QColor(Qt::black));
        const int edge = int(20.0 * size.width() / m_printer->PageWidth());
        ASSERT_LT(edge + 5, 300);
        EXPECT_EQ(part.pixelColor(QPoint(edge + 5, 10) * ratio), QColor(Qt::white));
    });
}

// --- printing --------------------------------------------------------------------------------

TEST_F(JXPrinterTest, PrintsTheChosenRangeToAPdfOfThePrintersPageSize)
{
    m_printer->SetTopCaption(QStringLiteral("Kopf %Seite"));
    MakePages(4);
    const QString pdf = P("auszug.pdf");
    WithPreview([&](TfrmPrint &form) {
        Dialogs()->Responder = [&](TDialogRequest &r) {
            if (r.kind != TDialogRequest::Print)
                return -1;
            EXPECT_EQ(r.minPage, 1);
            EXPECT_EQ(r.maxPage, 4);
            EXPECT_EQ(r.fromPage, 1);
            EXPECT_EQ(r.toPage, 4);
            EXPECT_TRUE(r.printOptions.Contains(poPageNums));
            r.printRange = prPageNums;
            r.fromPage = 2;
            r.toPage = 3;
            r.fileName = pdf;
            return int(mrOk);
        };
        form.btnPrint->Click();
    });
    ASSERT_TRUE(QFileInfo::exists(pdf));
    EXPECT_EQ(PdfPages(pdf), 2);
    const QSizeF paper = Printer()->Device()->pageLayout().fullRect(QPageLayout::Point).size();
    const QSizeF size = PdfPageSize(pdf);
    EXPECT_NEAR(size.width(), paper.width(), 1.0);
    EXPECT_NEAR(size.height(), paper.height(), 1.0);
    const QString text = RunTool("pdftotext", {"-layout", pdf, "-"});
    EXPECT_TRUE(text.contains(QStringLiteral("Kopf 2"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Inhalt 3")));
    EXPECT_FALSE(text.contains(QStringLiteral("Inhalt 1")));
    EXPECT_FALSE(text.contains(QStringLiteral("Inhalt 4")));
}

TEST_F(JXPrinterTest, PageUnitsLandAsTenthsOfAMillimetreOnPaper)
{
    m_printer->Font()->SetSize(20);
    m_printer->NewDoc();
    m_printer->TextOut(500, 1000, QStringLiteral("Marke"));
    // The words' boxes in points from the paper's top-left corner.
    const QString html = PrintedWordBoxes(QStringLiteral("marke.pdf"));
    const QRegularExpressionMatch m =
        QRegularExpression(
            QStringLiteral("xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\"[^>]*>Marke"))
            .match(html);
    ASSERT_TRUE(m.hasMatch()) << html.toStdString();
    const QMarginsF margins = Printer()->Device()->pageLayout().margins(QPageLayout::Millimeter);
    const double mmPerPoint = 25.4 / 72.0;
    EXPECT_NEAR(m.captured(1).toDouble() * mmPerPoint, margins.left() + 50.0, 1.0);
    EXPECT_NEAR(m.captured(2).toDouble() * mmPerPoint, margins.top() + 100.0, 1.5);
    // The font keeps its size: the word is as wide on paper as measured in page units.
    const double width = (m.captured(3).toDouble() - m.captured(1).toDouble()) * mmPerPoint;
    EXPECT_NEAR(width, m_printer->TextWidth(QStringLiteral("Marke")) / 10.0, 1.0);
}

TEST_F(JXPrinterTest, SmallRightAlignedTextEndsAtTheRightEdgeOnPaper)
{
    // Text is placed by its width measured at the screen's resolution; on paper it must keep
    // that width, or small right-aligned text misses the edge.
    m_printer->SetBottomCaption(QStringLiteral("Fußzeile ÄÖÜ, Seite %Seite"));
    m_printer->SetBottomAlignment(taRightJustify);
    m_printer->NewDoc();
    const QString html = PrintedWordBoxes(QStringLiteral("fuss.pdf"));
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("xMax=\"([\\d.]+)\"[^>]*>1</word>")).match(html);
    ASSERT_TRUE(m.hasMatch()) << html.toStdString();
    const QMarginsF margins = Printer()->Device()->pageLayout().margins(QPageLayout::Millimeter);
    const double right = m.captured(1).toDouble() * 25.4 / 72.0;
    EXPECT_NEAR(right, margins.left() + m_printer->PageWidth() / 10.0, 0.1);
}

TEST_F(JXPrinterTest, WithoutAPrinterThePdfFileIsAskedForAndCancelPrintsNothing)
{
    MakePages(2);
    const QString pdf = P("gefragt.pdf");
    WithPreview([&](TfrmPrint &form) {
        Dialogs()->Responder = [&](TDialogRequest &r) {
            if (r.kind == TDialogRequest::Print)
                return int(mrOk);
            if (r.kind == TDialogRequest::SaveFile) {
                r.fileName = pdf;
                return int(mrOk);
            }
            return -1;
        };
        form.btnPrintClick();
        EXPECT_EQ(PdfPages(pdf), 2);

        QFile::remove(pdf);
        Dialogs()->Responder = [&](TDialogRequest &r) {
            if (r.kind == TDialogRequest::Print)
                return int(mrOk);
            return -1; // the save dialog is cancelled
        };
        form.btnPrintClick();
        EXPECT_FALSE(QFileInfo::exists(pdf));
    });
    bool askedForFile = false;
    for (const TDialogRequest &r : Dialogs()->Shown())
        askedForFile = askedForFile || r.kind == TDialogRequest::SaveFile;
    EXPECT_TRUE(askedForFile);
}

TEST_F(JXPrinterTest, ARangeOutsideTheDocumentPrintsNothingAndSaysSo)
{
    MakePages(3);
    const QString pdf = P("nichts.pdf");
    WithPreview([&](TfrmPrint &form) {
        Dialogs()->Responder = [&](TDialogRequest &r) {
            if (r.kind != TDialogRequest::Print)
                return -1;
            r.printRange = prPageNums;
            r.fromPage = 4;
            r.toPage = 9;
            r.fileName = pdf;
            return int(mrOk);
        };
        form.btnPrintClick();
    });
    EXPECT_FALSE(QFileInfo::exists(pdf));
    bool said = false;
    for (const QString &text : Dialogs()->Texts())
        said = said || (text.contains(QStringLiteral("4 bis 9")) &&
                        text.contains(QStringLiteral("nichts gedruckt")));
    EXPECT_TRUE(said) << Dialogs()->Texts().join(QStringLiteral(" | ")).toStdString();
}

TEST_F(JXPrinterTest, AFileThatCannotBeWrittenIsReportedAndLeavesNoPartialFile)
{
    MakePages(1);
    const QString pdf = P("fehlt/ordner/datei.pdf");
    WithPreview([&](TfrmPrint &form) {
        Dialogs()->Responder = [&](TDialogRequest &r) {
            if (r.kind != TDialogRequest::Print)
                return -1;
            r.fileName = pdf;
            return int(mrOk);
        };
        form.btnPrintClick();
    });
    EXPECT_FALSE(QFileInfo::exists(pdf));
    EXPECT_TRUE(
        Dialogs()->Texts().join(QLatin1Char('|')).contains(QStringLiteral("fehlgeschlagen")));
}

} // namespace
