// SPDX-License-Identifier: MIT
// TJXPicBox: a grid of thumbnails of the picture files of a directory tree, gathered by a
// background worker (TFillListThread) while the box stays live.
#pragma once

#include "host/controls/ListBox.h"
#include "host/core/About.h"
#include "host/core/Thread.h"
#include "util/JXVersions.h"
#include "util/JxutilFiles.h"

#include <chrono>
#include <memory>
#include <vector>

namespace jxt {

namespace platform {
class TWalkDir;
}

class TJXPicBox;

/// Picture file kinds a box lists.
enum TPicAttr { ptBMP, ptICO, ptEXE, ptDLL, ptICL };
/// A set of picture file kinds.
using TPicType = TSet<TPicAttr>;
/// The number of pictures in the list changed to count.
using TChangePicCount = std::function<void(TObject *sender, int count)>;
/// A cell is about to show the picture of fileName (upper-cased) with fileCaption under it;
/// viewIndex is the cell's place on screen, counted down each column, then across. The
/// handler may change the name and the caption.
using TJXPicBoxEvent =
    std::function<void(TObject *sender, int viewIndex, QString &fileName, QString &fileCaption)>;

/// The worker that fills a picture box's list. It scans a directory (subdirectories first,
/// depth first, when asked), takes every file whose upper-cased extension occurs in the type
/// mask, and with the icon check keeps only icon kinds that hold an icon, rendered at
/// 32 x 32. Every change of the list and every count event is carried out on the
/// user-interface thread, in order, and the worker waits for each; the stop request is
/// polled before every directory entry. It frees itself when it ends. Every folder is opened
/// from the one above it by its name on disk, never through a link (a folder replaced by a
/// link during the scan is not entered), and a tree of any depth is scanned whole; a folder
/// it cannot open or read is reported through OnScanError and left out.
///
/// Found files are handed over in batches (one round trip to the interface thread per
/// batch, not per file): a batch goes when it is full, when its first file has waited a
/// short while, and at the end of every directory. The interface thread appends the files
/// of a batch one by one, each followed by its count event, and drops the rest of a batch
/// once the worker has been asked to stop, as if the worker had stopped before them.
class JXT_EXPORT TFillListThread : public TThread
{
public:
    /// Stores its inputs (the mask upper-cased); the caller sets OnTerminate and the count
    /// handler, then calls Start.
    TFillListThread(TStrings *items, const QString &typeMask, const QString &pathPattern,
                    bool subDirs, bool checkForIcons);
    /// The count handler, fired with the list's owner as sender after every item appended.
    TChangePicCount OnChangePicCount;
    /// Fired, with the same sender, for every folder the scan cannot open or read.
    TScanErrorEvent OnScanError;
    /// The sender the worker's events carry (the list's owner); default none.
    TObject *CountSender = nullptr;
    /// Cuts the worker loose from its list: from now on it changes nothing and fires
    /// nothing (user-interface thread only; used when the list is destroyed).
    void Detach() { m_detached = true; }
    /// The extensions listed, upper-cased, as given to the constructor.
    QString TypeMask() const { return m_typeMask; }

protected:
    void Execute() override;
    /// Scans the open directory `folder`, `depth` levels below the start, whose path is
    /// `dir` (with its trailing separator), with the file mask `mask`.
    void ScanDir(platform::TWalkDir &folder, int depth, const QString &dir, const QString &mask);

private:
    /// A file found, or (error not 0) a folder that could not be opened or read.
    struct TFound
    {
        QString fileName;
        std::unique_ptr<TBitmap> bitmap;
        int error = 0;
    };
    /// A stop asked of the scan, or the application ending.
    bool StopRequested() const;
    /// Adds a found file to the batch, handing the batch over when it is due.
    void Append(const QString &fileName, std::unique_ptr<TBitmap> bitmap);
    /// Hands the batch over to the interface thread and waits until it is in the list.
    void Flush();
    /// Reports a folder that cannot be opened or read (in order with the files).
    void Failed(const QString &dir, int error);

    TStrings *m_items;
    QString m_typeMask;
    QString m_pathPattern;
    bool m_subDirs;
    bool m_checkForIcons;
    bool m_detached = false;     // read and written on the user-interface thread only
    std::vector<TFound> m_batch; // the worker's own until handed over in Flush
    std::chrono::steady_clock::time_point m_batchStarted;
};

/// An owner-drawn list box that shows picture files as thumbnails in cells of PicWidth x
/// PicHeight (or, Scaled, cells that divide the client area into Columns x Rows), each
/// framed, spaced and optionally captioned with the file name.
///
/// A box scans only after Loaded and while Active. Small files (below PicNoCacheSize bytes)
/// are read on every draw; larger ones once, into a cell-sized thumbnail kept as the item's
/// object until the list is cleared or the cell size changes. A file of length 0 shows a
/// red cross. Destroying a box while it scans stops the worker and waits for it.
class JXT_EXPORT TJXPicBox : public TCustomListBox
{
    Q_OBJECT
    Q_PROPERTY(jxt::TJXAboutString About_JXTools READ GetAboutJXT WRITE SetAboutJXT)
    Q_PROPERTY(bool Active READ Active WRITE SetActive)
    Q_PROPERTY(jxt::TBitmap *BackPic READ BackPic WRITE SetBackPic)
    Q_PROPERTY(int BorderSpace READ BorderSpace WRITE SetBorderSpace)
    Q_PROPERTY(int BorderWidth READ BorderWidth WRITE SetBorderWidth)
    Q_PROPERTY(bool Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(bool CheckForIcons READ CheckForIcons WRITE SetCheckForIcons)
    Q_PROPERTY(int PicCount READ PicCount WRITE SetPicCount)
    Q_PROPERTY(int PicHeight READ PicHeight WRITE SetPicHeight)
    Q_PROPERTY(int PicNoCacheSize READ PicNoCacheSize WRITE SetPicNoCacheSize)
    Q_PROPERTY(QString PicPattern READ PicPattern WRITE SetPicPattern)
    Q_PROPERTY(TPicTypes PicType READ PicTypeFlags WRITE SetPicTypeFlags)
    Q_PROPERTY(int PicWidth READ PicWidth WRITE SetPicWidth)
    Q_PROPERTY(int Rows READ Rows WRITE SetRows)
    Q_PROPERTY(bool Scaled READ Scaled WRITE SetScaled)
    Q_PROPERTY(bool SubDirs READ SubDirs WRITE SetSubDirs)
    Q_PROPERTY(jxt::TAlign Align READ Align WRITE SetAlign)
    Q_PROPERTY(jxt::TColorValue Color READ Color WRITE SetColor)
    Q_PROPERTY(int Columns READ Columns WRITE SetColumns)
    Q_PROPERTY(int DragCursor READ DragCursor WRITE SetDragCursor)
    Q_PROPERTY(jxt::TDragMode DragMode READ DragMode WRITE SetDragMode)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(jxt::TFont *Font READ Font)
    /// The files listed (the worker fills them; a form may also give them).
    Q_PROPERTY(QStringList Items READ ItemsList WRITE SetItemsList)
    Q_PROPERTY(bool ParentShowHint READ ParentShowHint WRITE SetParentShowHint)
    /// The menu of a right click; a referenced component, so it is set from code.
    Q_PROPERTY(jxt::TPopupMenu *PopupMenu READ PopupMenu WRITE SetPopupMenu)
    Q_PROPERTY(bool ShowHint READ ShowHint WRITE SetShowHint)
    Q_PROPERTY(bool Sorted READ Sorted WRITE SetSorted)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    JXT_ABOUT(JXPicBoxVersion)

public:
    /// The kinds of PicType as flags Qt and Designer set by name.
    enum TPicTypeFlag {
        BMP = 1 << ptBMP,
        ICO = 1 << ptICO,
        EXE = 1 << ptEXE,
        DLL = 1 << ptDLL,
        ICL = 1 << ptICL
    };
    Q_DECLARE_FLAGS(TPicTypes, TPicTypeFlag)
    Q_FLAG(TPicTypes)

    explicit TJXPicBox(TComponent *owner = nullptr);
    ~TJXPicBox() override;

    /// Default true. Setting true refills the list; false stops nothing and clears nothing.
    bool Active() const { return m_active; }
    void SetActive(bool value);
    /// Picture stretched behind every cell; the box keeps a copy. Repaints.
    TBitmap *BackPic() const { return m_backPic.get(); }
    void SetBackPic(const TBitmap *picture);
    /// Space between frame and thumbnail, 1..20, default 10. Repaints.
    int BorderSpace() const { return m_borderSpace; }
    void SetBorderSpace(int value);
    /// Width of each cell's raised frame, 0..20, default 2. Repaints.
    int BorderWidth() const { return m_borderWidth; }
    void SetBorderWidth(int value);
    /// Shows the file name under each thumbnail; default false. Repaints.
    bool Caption() const { return m_caption; }
    void SetCaption(bool value);
    /// Lists icon kinds only when they hold an icon (rendered once at 32 x 32); default
    /// false. Used by the next scan.
    bool CheckForIcons() const { return m_checkForIcons; }
    void SetCheckForIcons(bool value) { m_checkForIcons = value; }
    /// The number of items; assigning is ignored.
    int PicCount() const { return Items()->Count(); }
    void SetPicCount(int) {}
    /// Cell height when not Scaled, at least 32, default 70. Repaints.
    int PicHeight() const { return m_picHeight; }
    void SetPicHeight(int value);
    /// Files of at least this many bytes get a cached thumbnail; 1..1000000, default 1000.
    int PicNoCacheSize() const { return m_picNoCacheSize; }
    void SetPicNoCacheSize(int value);
    /// Directory and file mask to scan, e.g. "C:\pictures\*.*"; setting it refills the list.
    QString PicPattern() const { return m_picPattern; }
    void SetPicPattern(const QString &value);
    /// Kinds listed, default [ptBMP, ptICO]; a different set refills the list.
    TPicType PicType() const { return m_picType; }
    void SetPicType(TPicType value);
    /// PicType as Qt flags (the form a published property takes).
    TPicTypes PicTypeFlags() const { return TPicTypes(int(m_picType.Bits())); }
    void SetPicTypeFlags(TPicTypes value)
    {
        SetPicType(TPicType::FromBits(std::uint64_t(int(value))));
    }
    /// Cell width when not Scaled, at least 32, default 100. Repaints.
    int PicWidth() const { return m_picWidth; }
    void SetPicWidth(int value);
    /// Rows of cells; 0 until assigned, then at least 1. Repaints.
    int Rows() const { return m_rows; }
    void SetRows(int value);
    /// Cells divide the client area into Columns x Rows; default false. Repaints.
    bool Scaled() const { return m_scaled; }
    void SetScaled(bool value);
    /// Scans subdirectories too (their files first); a different value refills the list.
    bool SubDirs() const { return m_subDirs; }
    void SetSubDirs(bool value);

    /// Stops a running scan (waiting for its completion events) and, when active and
    /// loaded, clears the list and starts a new scan of pattern.
    void FillItems(const QString &pattern);
    /// Asks a running worker to stop; its completion events still follow.
    void BreakScan();
    /// Frees every item's thumbnail.
    void FreeBitmaps();
    /// The item's thumbnail (read and kept on first use); owned by the box.
    TBitmap *GetBitmap(int index);
    /// A new cell-sized thumbnail of the item's file, owned by the caller.
    TBitmap *ReadBitmap(int index);
    /// The layout pass run before every paint: cell size, Columns, Rows and ItemHeight.
    void CheckPicSize();
    /// Selects the first item equal to fileName ignoring case; false when there is none.
    bool FindItem(const QString &fileName);
    /// Stores the picture of source as a bitmap file dest; failures are shown as messages.
    void SaveToBMP(const QString &source, const QString &dest);
    /// The worker's completion: forget it, fire OnChangePicCount and OnStopScan.
    void ThreadDone(TObject *sender);
    /// Whether a scan is running.
    bool Scanning() const { return m_thread != nullptr; }
    /// The size of cached thumbnails (0 x 0 until the first layout).
    //!@{
    int CellWidth() const { return m_cellWidth; }
    int CellHeight() const { return m_cellHeight; }
    //!@}

    void Loaded() override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    /// Each picture is a list item named by its file name.
    TAccessibleItem AccessibleItem(int index) const override;

    /// The number of pictures listed changed (see TChangePicCount).
    TChangePicCount OnChangePicCount;
    /// A cell is about to show its picture (see TJXPicBoxEvent).
    TJXPicBoxEvent OnRequestFileName;
    /// A scan of PicPattern starts.
    TNotifyEvent OnStartScan;
    /// A scan ended, complete or stopped.
    TNotifyEvent OnStopScan;
    /// Fired on the interface thread for every folder the scan cannot open or read; the scan
    /// goes on without it.
    TScanErrorEvent OnScanError;

signals:
    void onChangePicCount(jxt::TObject *sender, int count);
    void onRequestFileName(jxt::TObject *sender, int viewIndex, QString *fileName,
                           QString *fileCaption);
    void onStartScan(jxt::TObject *sender);
    void onStopScan(jxt::TObject *sender);
    void onScanError(jxt::TObject *sender, const QString &path, int error);

protected:
    void DrawItem(int index, const TRect &rect, TOwnerDrawState state) override;
    void Paint() override;
    void Resize() override;

private:
    void FireChangePicCount();
    void DrawRedCross(TCanvas *canvas, const TRect &r);
    bool m_loaded = false;
    bool m_active = true;
    std::unique_ptr<TBitmap> m_backPic;
    int m_borderSpace = 10;
    int m_borderWidth = 2;
    bool m_caption = false;
    bool m_checkForIcons = false;
    int m_picHeight = 70;
    int m_picNoCacheSize = 1000;
    QString m_picPattern;
    TPicType m_picType{ptBMP, ptICO};
    int m_picWidth = 100;
    int m_rows = 0;
    bool m_scaled = false;
    bool m_subDirs = false;
    int m_cellWidth = 0;
    int m_cellHeight = 0;
    TFillListThread *m_thread = nullptr;
    int m_fillRequest = 0;       // counts FillItems calls, so a call overtaken by a newer one ends
    bool m_inWorkerCall = false; // inside a count event fired by the worker
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TJXPicBox::TPicTypes)

/// The type mask of a set of picture kinds: "*.BMP", then ";*.ICO", ";*.EXE", ";*.DLL",
/// ";*.ICL" for the kinds in the set (without ptBMP the mask begins with ";").
JXT_EXPORT QString PicTypeMask(TPicType type);

} // namespace jxt
