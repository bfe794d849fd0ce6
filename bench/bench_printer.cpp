// SPDX-License-Identifier: MIT
// The printer component against Qt's printer in the same run: a document of 100 pages, each
// with 40 lines of text, a raster of lines, two shapes and two pictures, recorded by
// TJXPrinter and printed from its preview to a PDF file, against the same drawing done
// directly with QPrinter and QPainter into a PDF file. Both use the printer's resolution and
// page layout; processor times are compared.
#include "host/controls/Dialogs.h"
#include "host/files/Printers.h"
#include "services/JXPrinter.h"

#include "RatioReporter.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>

namespace {

constexpr int kPages = 100;
constexpr int kLines = 40;

QTemporaryDir *g_dir = nullptr;
jxt::TBitmap *g_photo = nullptr;
jxt::TBitmap *g_chart = nullptr;

jxt::TBitmap *MakePicture(int w, int h, QColor a, QColor b)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixelColor(x, y, ((x / 8 + y / 8) & 1) ? a : b);
    auto *bitmap = new jxt::TBitmap;
    bitmap->SetImage(image);
    return bitmap;
}

QString LineText(int page, int line)
{
    return QStringLiteral("Seite %1, Zeile %2: Messwerte und Bemerkungen zum Versuch")
        .arg(page)
        .arg(line);
}

/// Records the document of `pages` pages with TJXPrinter.
void RecordDocument(jxt::TJXPrinter &printer, int pages = kPages)
{
    using namespace jxt;
    printer.SetTopCaption(QStringLiteral("Bericht - Seite %Seite"));
    printer.Font()->SetName(QStringLiteral("Arial"));
    printer.Font()->SetSize(24);
    printer.NewDoc();
    for (int page = 1; page <= pages; ++page) {
        if (page > 1)
            printer.NewPage();
        printer.PrintRaster(clSilver, psDot);
        printer.Rectangle(100, 300, 900, 800);
        printer.Ellipse(1000, 300, 1800, 800);
        printer.StretchPropDraw(Rect(100, 900, 900, 1500), g_photo);
        printer.StretchPropDraw(Rect(1000, 900, 1800, 1500), g_chart);
        printer.MoveTo(0, 1600);
        for (int line = 1; line <= kLines; ++line)
            printer.Print(LineText(page, line));
    }
    printer.ClosePage();
}

/// Answers the print dialog with the PDF file pdf.
void PrintTo(const QString &pdf)
{
    using namespace jxt;
    auto *dialogs = static_cast<TScriptedDialogs *>(DialogService());
    dialogs->Responder = [pdf](TDialogRequest &r) {
        if (r.kind != TDialogRequest::Print)
            return -1;
        r.fileName = pdf;
        return int(mrOk);
    };
}

/// The whole job with TJXPrinter: the recording, then printing it from the preview.
void PrintWithJXPrinter(int pages)
{
    jxt::TJXPrinter printer;
    RecordDocument(printer, pages);
    jxt::TfrmPrint preview(&printer);
    preview.btnPrintClick();
    static_cast<jxt::TScriptedDialogs *>(jxt::DialogService())->Clear();
}

void BM_Printer_Ours(benchmark::State &state)
{
    const QString pdf = g_dir->filePath(QStringLiteral("ours.pdf"));
    PrintTo(pdf);
    for (auto _ : state)
        PrintWithJXPrinter(kPages);
    if (QFile(pdf).size() < 1000)
        state.SkipWithError("no PDF written");
}

/// The recording alone, to show where the time of the whole job goes.
void BM_Printer_RecordOnly(benchmark::State &state)
{
    for (auto _ : state) {
        jxt::TJXPrinter printer;
        RecordDocument(printer);
    }
}

/// Printing recorded pages alone: the playback into the PDF and the writing of the file.
void BM_Printer_PrintOnly(benchmark::State &state)
{
    using namespace jxt;
    const QString pdf = g_dir->filePath(QStringLiteral("printonly.pdf"));
    PrintTo(pdf);
    TJXPrinter printer;
    RecordDocument(printer);
    TfrmPrint preview(&printer);
    for (auto _ : state) {
        preview.btnPrintClick();
        static_cast<TScriptedDialogs *>(DialogService())->Clear();
    }
    if (QFile(pdf).size() < 1000)
        state.SkipWithError("no PDF written");
}

/// The same document drawn directly with QPrinter and QPainter into the PDF file pdf.
void PrintWithQPrinter(const QString &pdf, int pages)
{
    const QImage &photo = g_photo->Image();
    const QImage &chart = g_chart->Image();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    printer.setPageLayout(jxt::Printer()->Device()->pageLayout());
    QPainter painter(&printer);
    const double scale = printer.resolution() / 254.0;
    QFont body(QStringLiteral("Arial"));
    body.setPixelSize(32);
    QFont head(QStringLiteral("Times New Roman"));
    head.setPixelSize(11);
    const QFontMetrics metrics(body);
    for (int page = 1; page <= pages; ++page) {
        if (page > 1)
            printer.newPage();
        painter.save();
        painter.scale(scale, scale);
        painter.setFont(head);
        painter.drawText(QPoint(900, 40), QStringLiteral("Bericht - Seite %1").arg(page));
        painter.setPen(QPen(Qt::lightGray, 1, Qt::DotLine));
        for (int i = 0; i <= 30; ++i) {
            painter.drawLine(0, 100 * i, 1900, 100 * i);
            painter.drawLine(100 * i, 0, 100 * i, 2700);
        }
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(Qt::white);
        painter.drawRect(100, 300, 800, 500);
        painter.drawEllipse(1000, 300, 800, 500);
        painter.drawImage(QRect(100, 900, 800, 600), photo);
        painter.drawImage(QRect(1000, 900, 800, 600), chart);
        painter.setFont(body);
        int y = 1600;
        for (int line = 1; line <= kLines; ++line) {
            painter.drawText(QPoint(0, y + metrics.ascent()), LineText(page, line));
            y += metrics.height();
        }
        painter.restore();
    }
    painter.end();
}

void BM_Printer_Anchor_QPrinter(benchmark::State &state)
{
    const QString pdf = g_dir->filePath(QStringLiteral("anchor.pdf"));
    for (auto _ : state)
        PrintWithQPrinter(pdf, kPages);
    if (QFile(pdf).size() < 1000)
        state.SkipWithError("no PDF written");
}

BENCHMARK(BM_Printer_Ours)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Printer_RecordOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Printer_PrintOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Printer_Anchor_QPrinter)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    g_dir = &dir;
    jxt::SetDialogService(std::make_unique<jxt::TScriptedDialogs>());
    jxt::SetPrinter(std::make_unique<jxt::TPrinter>(jxt::TPrinter::PdfOnly{}));
    std::unique_ptr<jxt::TBitmap> photo(MakePicture(640, 480, Qt::darkGreen, Qt::yellow));
    std::unique_ptr<jxt::TBitmap> chart(MakePicture(300, 400, Qt::blue, Qt::white));
    g_photo = photo.get();
    g_chart = chart.get();
    // Both jobs once before measuring, so that neither pays alone for what the first print
    // of a process sets up (the font database, the fonts' glyph caches, the PDF engine).
    PrintTo(g_dir->filePath(QStringLiteral("warm-up.pdf")));
    PrintWithJXPrinter(2);
    PrintWithQPrinter(g_dir->filePath(QStringLiteral("warm-up-anchor.pdf")), 2);

    jxt::bench::TRatioReporter reporter;
    reporter.AddRatio("TJXPrinter 100 pages to PDF vs QPrinter+QPainter", "BM_Printer_Ours",
                      "BM_Printer_Anchor_QPrinter", jxt::bench::TTime::Processor, 1.25,
                      "the pages are recorded first and printed when the job ends, and each "
                      "text line is laid out twice (to size its background when recorded, "
                      "and when printed)");
    reporter.AddRatio("TJXPrinter recording alone vs QPrinter+QPainter", "BM_Printer_RecordOnly",
                      "BM_Printer_Anchor_QPrinter");
    reporter.AddRatio("TJXPrinter printing alone vs QPrinter+QPainter", "BM_Printer_PrintOnly",
                      "BM_Printer_Anchor_QPrinter", jxt::bench::TTime::Processor,
                      jxt::bench::kNoAim);
    const int code = jxt::bench::RunWithRatios(argc, argv, reporter);
    g_photo = g_chart = nullptr;
    return code;
}
