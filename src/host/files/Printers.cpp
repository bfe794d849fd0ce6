// SPDX-License-Identifier: MIT
#include "host/files/Printers.h"

#include "platform/Paths.h"
#include "platform/Transfer.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

namespace jxt {

struct TPrinter::PdfTarget
{
    QString hostPath;
    QBuffer buffer;
};

TPrinter::TPrinter() : m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    // Without an installed printer Qt's printer falls back to PDF output by itself.
}

TPrinter::TPrinter(PdfOnly) : m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    m_pdfOnly = true;
    m_printer->setOutputFormat(QPrinter::PdfFormat);
}

TPrinter::~TPrinter()
{
    Abort();
}

bool TPrinter::HasDevice() const
{
    return !m_pdfOnly && m_printer->outputFormat() == QPrinter::NativeFormat &&
           !m_printer->printerName().isEmpty();
}

TPrinterOrientation TPrinter::Orientation() const
{
    return m_printer->pageLayout().orientation() == QPageLayout::Landscape ? poLandscape
                                                                           : poPortrait;
}

void TPrinter::SetOrientation(TPrinterOrientation orientation)
{
    m_printer->setPageOrientation(orientation == poLandscape ? QPageLayout::Landscape
                                                             : QPageLayout::Portrait);
}

int TPrinter::PageWidth() const
{
    return m_printer->pageLayout().paintRectPixels(m_printer->resolution()).width();
}

int TPrinter::PageHeight() const
{
    return m_printer->pageLayout().paintRectPixels(m_printer->resolution()).height();
}

int TPrinter::HorzSize() const
{
    return int(m_printer->pageLayout().paintRect(QPageLayout::Millimeter).width());
}

int TPrinter::VertSize() const
{
    return int(m_printer->pageLayout().paintRect(QPageLayout::Millimeter).height());
}

int TPrinter::Resolution() const
{
    return m_printer->resolution();
}

bool TPrinter::BeginDoc(const QString &fileName)
{
    Abort();
    if (fileName.isEmpty()) {
        if (!HasDevice())
            return false;
        m_painter = std::make_unique<QPainter>();
        if (!m_painter->begin(m_printer.get())) {
            m_painter.reset();
            return false;
        }
        return true;
    }
    // The PDF is made in memory and written whole by EndDoc.
    m_target = std::make_unique<PdfTarget>();
    m_target->hostPath = platform::ToHostPath(fileName);
    m_target->buffer.open(QIODevice::WriteOnly);
    auto writer = std::make_unique<QPdfWriter>(&m_target->buffer);
    writer->setResolution(m_printer->resolution());
    writer->setPageLayout(m_printer->pageLayout());
    writer->setCreator(QStringLiteral("jxtpack"));
    writer->setTitle(m_printer->docName());
    m_pdf = std::move(writer);
    m_painter = std::make_unique<QPainter>();
    if (!m_painter->begin(m_pdf.get())) {
        Abort();
        return false;
    }
    return true;
}

bool TPrinter::NewPage()
{
    if (!m_painter)
        return false;
    if (m_pdf)
        return m_pdf->newPage();
    return m_printer->newPage();
}

bool TPrinter::EndDoc()
{
    if (!m_painter)
        return false;
    const bool painted = m_painter->end();
    m_painter.reset();
    m_pdf.reset(); // finishes the PDF in the buffer
    if (!m_target)
        return painted;
    std::unique_ptr<PdfTarget> target = std::move(m_target);
    if (!painted)
        return false;
    platform::TAtomicFile file;
    return file.Open(target->hostPath) && file.Write(target->buffer.data()) &&
           file.Commit(true, false);
}

void TPrinter::Abort()
{
    if (m_painter) {
        if (!m_pdf)
            m_printer->abort();
        m_painter->end();
        m_painter.reset();
    }
    m_pdf.reset();
    m_target.reset();
}

namespace {

std::unique_ptr<TPrinter> &PrinterSlot()
{
    static std::unique_ptr<TPrinter> printer;
    return printer;
}

/// Qt's printer must go before the application object does.
void ReleaseWithApplication()
{
    static const bool registered = [] {
        qAddPostRoutine([] { PrinterSlot().reset(); });
        return true;
    }();
    Q_UNUSED(registered);
}

} // namespace

TPrinter *Printer()
{
    std::unique_ptr<TPrinter> &slot = PrinterSlot();
    if (!slot) {
        ReleaseWithApplication();
        slot = std::make_unique<TPrinter>();
    }
    return slot.get();
}

std::unique_ptr<TPrinter> SetPrinter(std::unique_ptr<TPrinter> printer)
{
    ReleaseWithApplication();
    std::swap(PrinterSlot(), printer);
    return printer;
}

} // namespace jxt
