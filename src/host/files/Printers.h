// SPDX-License-Identifier: MIT
// TPrinter: the application's current printer. It answers the printable page's size in
// device pixels and in whole millimetres, and runs print jobs page by page. Where no printer
// is installed, jobs go to PDF files instead (HasDevice() is false); a job may also be sent
// to a PDF file on purpose (BeginDoc with a file name). PDF files are written whole under a
// temporary name and renamed into place when the job ends, so a failed job never leaves a
// half-written file behind.
#pragma once

#include "base/Export.h"

#include <QString>

#include <memory>

class QPainter;
class QPagedPaintDevice;
class QPrinter;

namespace jxt {

/// Paper upright or on its side.
enum TPrinterOrientation { poPortrait, poLandscape };

/// The application's printer (see the notes above).
class JXT_EXPORT TPrinter
{
public:
    /// The system's default printer, or PDF output when none is installed.
    TPrinter();
    /// PDF output only, whatever is installed (tests, file exports).
    struct PdfOnly
    {
    };
    /// A printer with PDF output only.
    explicit TPrinter(PdfOnly);
    ~TPrinter();
    TPrinter(const TPrinter &) = delete;
    TPrinter &operator=(const TPrinter &) = delete;

    /// The Qt printer behind this one: its settings (page size, printer name, resolution)
    /// are the ones used by the next job. The print dialog configures it.
    QPrinter *Device() const { return m_printer.get(); }
    /// Whether a real printer is installed and chosen; false means jobs go to PDF files.
    bool HasDevice() const;

    /// The paper orientation of the next job (the Qt printer's).
    TPrinterOrientation Orientation() const;
    void SetOrientation(TPrinterOrientation orientation);

    /// Printable width and height in device pixels.
    //!@{
    int PageWidth() const;
    int PageHeight() const;
    //!@}
    /// Printable width and height in whole millimetres.
    //!@{
    int HorzSize() const;
    int VertSize() const;
    //!@}
    /// Device pixels per inch.
    int Resolution() const;

    /// Starts a job: on the printer when fileName is empty and a printer is installed, else
    /// into the PDF file fileName (an empty name without a printer fails). False when the
    /// job cannot start.
    bool BeginDoc(const QString &fileName = QString());
    /// Ends the current page and starts the next.
    bool NewPage();
    /// Ends the job; for a PDF file, writes it. False when the file could not be written.
    bool EndDoc();
    /// Drops the job; a PDF file is not written.
    void Abort();
    /// Whether a job is running (between BeginDoc and EndDoc or Abort).
    bool Printing() const { return m_painter != nullptr; }
    /// The painter of the running job (origin at the printable area's top-left corner, in
    /// device pixels), or nullptr.
    QPainter *Canvas() const { return m_painter.get(); }

private:
    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<QPainter> m_painter;
    std::unique_ptr<QPagedPaintDevice> m_pdf;
    struct PdfTarget;
    std::unique_ptr<PdfTarget> m_target;
    bool m_pdfOnly = false;
};

/// The current printer (created on first use).
JXT_EXPORT TPrinter *Printer();
/// Installs printer as the current one and returns the previous one (nullptr installs a new
/// default printer).
JXT_EXPORT std::unique_ptr<TPrinter> SetPrinter(std::unique_ptr<TPrinter> printer);

} // namespace jxt
