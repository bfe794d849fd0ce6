// SPDX-License-Identifier: MIT
#include "controls/JXPicBox.h"

#include "host/core/Events.h"

#include "host/controls/Dialogs.h"
#include "host/controls/Forms.h"
#include "platform/Files.h"
#include "platform/Find.h"
#include "platform/Icons.h"
#include "platform/Paths.h"
#include "platform/WalkDir.h"
#include "util/JxutilFiles.h"
#include "util/JxutilGraphics.h"

#include <QCoreApplication>
#include <QFile>
#include <QPointer>
#include <QThread>

#include <algorithm>
#include <cerrno>

namespace jxt {

namespace {

/// Draws the red cross of an unreadable picture: both diagonals of r, pen width 2.
void RedCross(TCanvas *canvas, const TRect &r)
{
    canvas->Pen()->SetColor(clRed);
    canvas->Pen()->SetWidth(2);
    canvas->MoveTo(r.Left, r.Top);
    canvas->LineTo(r.Right, r.Bottom);
    canvas->MoveTo(r.Right, r.Top);
    canvas->LineTo(r.Left, r.Bottom);
}

/// A 32 x 32 bitmap with the icon drawn at (0, 0), or nullptr when the image is null.
TBitmap *IconBitmap(const QImage &icon)
{
    if (icon.isNull())
        return nullptr;
    auto *bitmap = new TBitmap(32, 32);
    TIcon graphic;
    graphic.SetImage(icon);
    bitmap->Canvas()->Draw(0, 0, &graphic);
    return bitmap;
}

int LastSeparator(const QString &path)
{
    return std::max(path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char('/')));
}

/// The extension of a file name as platform::ExtractFileExt gives it (from the last dot, none
/// when a separator or a drive colon comes after it), as a view into the name.
QStringView NameExt(const QString &name)
{
    for (qsizetype i = name.size() - 1; i >= 0; --i) {
        const QChar c = name.at(i);
        if (c == QLatin1Char('.'))
            return QStringView(name).mid(i);
        if (platform::IsPathDelimiter(c) || c == QLatin1Char(':'))
            break;
    }
    return {};
}

/// Whether the upper-case type mask holds the extension ext, upper-cased. A scan asks this for
/// every file, so an ASCII extension is looked for in place, its letters folded on the way.
bool TypeMaskHas(const QString &typeMask, QStringView ext)
{
    const auto upper = [](char16_t c) { return c >= u'a' && c <= u'z' ? char16_t(c - 32) : c; };
    if (!std::all_of(ext.begin(), ext.end(), [](QChar c) { return c.unicode() < 0x80; }))
        return typeMask.contains(ext.toString().toUpper()); // the upper case may differ in length
    const qsizetype n = ext.size();
    for (qsizetype at = 0; at + n <= typeMask.size(); ++at) {
        qsizetype k = 0;
        while (k < n && typeMask.at(at + k).unicode() == upper(ext.at(k).unicode()))
            ++k;
        if (k == n)
            return true;
    }
    return false;
}

} // namespace

QString PicTypeMask(TPicType type)
{
    QString mask;
    if (type.Contains(ptBMP))
        mask = QStringLiteral("*.BMP");
    if (type.Contains(ptICO))
        mask += QStringLiteral(";*.ICO");
    if (type.Contains(ptEXE))
        mask += QStringLiteral(";*.EXE");
    if (type.Contains(ptDLL))
        mask += QStringLiteral(";*.DLL");
    if (type.Contains(ptICL))
        mask += QStringLiteral(";*.ICL");
    return mask;
}

// --- TFillListThread ----------------------------------------------------------------------------

TFillListThread::TFillListThread(TStrings *items, const QString &typeMask,
                                 const QString &pathPattern, bool subDirs, bool checkForIcons)
    : TThread(true), m_items(items), m_typeMask(typeMask.toUpper()), m_pathPattern(pathPattern),
      m_subDirs(subDirs), m_checkForIcons(checkForIcons)
{
    SetFreeOnTerminate(true);
}

void TFillListThread::Execute()
{
    Synchronize([this] {
        if (m_detached)
            return;
        Screen()->SetCursor(crHourGlass);
        m_items->Clear();
    });
    const int cut = LastSeparator(m_pathPattern);
    const QString dir = m_pathPattern.left(cut + 1);
    const QString mask = m_pathPattern.mid(cut + 1);
    if (!mask.isEmpty()) {
        const QString hostDir = platform::ToHostPath(dir.isEmpty() ? QStringLiteral(".") : dir);
        platform::TWalkDir start = hostDir.isEmpty()
                                       ? platform::TWalkDir()
                                       : platform::TWalkDir::OpenPath(QFile::encodeName(hostDir));
        if (start.IsOpen())
            ScanDir(start, 0, dir, mask);
        else
            Failed(dir, hostDir.isEmpty() ? ENOENT : start.Error());
    }
    Flush();
    // The cursor is the application's: it is restored even for a list that went away.
    Synchronize([] { Screen()->SetCursor(crDefault); });
}

bool TFillListThread::StopRequested() const
{
    // The application object exists: the box that starts a scan has already used it on the
    // interface thread.
    return Terminated() || Application()->Terminated();
}

void TFillListThread::Append(const QString &fileName, std::unique_ptr<TBitmap> bitmap)
{
    // A full batch costs one round trip for many files; the time limit keeps a slow scan
    // (icons read from large programs, a slow disk) showing its files as it finds them.
    constexpr std::size_t kBatchSize = 4096;
    constexpr auto kBatchDelay = std::chrono::milliseconds(30);
    const auto now = std::chrono::steady_clock::now();
    if (m_batch.empty())
        m_batchStarted = now;
    m_batch.push_back({fileName, std::move(bitmap), 0});
    if (m_batch.size() >= kBatchSize || now - m_batchStarted >= kBatchDelay)
        Flush();
}

void TFillListThread::Failed(const QString &dir, int error)
{
    // Reported in order with the files around it, on the interface thread.
    m_batch.push_back({dir, nullptr, error != 0 ? error : EIO});
    Flush();
}

void TFillListThread::Flush()
{
    if (m_batch.empty())
        return;
    std::vector<TFound> batch;
    batch.swap(m_batch);
    // Bitmaps not taken into the list are freed with the batch, on this thread.
    Synchronize([this, &batch] {
        for (TFound &found : batch) {
            // The stop request, the application's end and the detach are checked before every
            // file: a handler that stops the scan, ends the application or destroys the box
            // sees no further file of the batch.
            if (m_detached || StopRequested())
                return;
            if (found.error != 0) {
                if (OnScanError)
                    OnScanError(CountSender, found.fileName, found.error);
                continue;
            }
            m_items->AddObject(found.fileName, found.bitmap.get());
            found.bitmap.release();
            if (OnChangePicCount)
                OnChangePicCount(CountSender, m_items->Count());
        }
    });
}

void TFillListThread::ScanDir(platform::TWalkDir &folder, int depth, const QString &dir,
                              const QString &mask)
{
    // One listing of the directory serves both passes. It takes the kinds of the entries from
    // the directory itself and looks at no file's size or times, which the scan never needs;
    // the entries come in the order of FindFirst.
    std::vector<platform::TDirEntry> entries;
    if (!platform::ListDirectoryAt(folder.Fd(), platform::TListDetail::Kinds, entries)) {
        Failed(dir, errno);
        return;
    }

    if (m_subDirs) {
        // Hidden and system directories are left out, as a search for directories leaves
        // them out; a directory reached through a link is not entered: it may lead back up
        // the tree or out of it. Each is opened from this one by its name on disk, never
        // through a link, so a folder swapped for a link after the listing is not entered
        // either (platform/WalkDir.h).
        for (const platform::TDirEntry &entry : entries) {
            if (StopRequested())
                break;
            if (!(entry.Attr & platform::faDirectory) || entry.IsSymLink || !entry.Spellable ||
                (entry.Attr & (platform::faHidden | platform::faSysFile)))
                continue;
            const QString subDir = dir + entry.Name + QLatin1Char('\\');
            platform::TWalkDir sub = folder.OpenChild(entry.NativeName);
            if (!sub.IsOpen()) {
                Failed(subDir, sub.Error());
                continue;
            }
            folder.ParkAtDepth(depth);
            ScanDir(sub, depth + 1, subDir, mask);
            if (!folder.Reopen(sub)) {
                // This folder was moved away under the scan; its own files were listed
                // already, its other subfolders are out of reach.
                Failed(dir, folder.Error());
                break;
            }
        }
    }

    const bool everyName = mask == QLatin1String("*") || mask == QLatin1String("*.*");
    for (const platform::TDirEntry &entry : entries) {
        if (StopRequested())
            break;
        // A name that cannot be written in a path is left out: its path would name another
        // file or none.
        if ((entry.Attr & platform::faDirectory) || !entry.Spellable)
            continue;
        if (!everyName && !platform::MatchesFileMask(entry.Name, mask))
            continue;
        const QStringView ext = NameExt(entry.Name);
        if (ext.isEmpty() || !TypeMaskHas(m_typeMask, ext))
            continue;
        QString fullName;
        fullName.reserve(dir.size() + entry.Name.size());
        fullName += dir;
        fullName += entry.Name;
        if (!m_checkForIcons || ext.compare(QLatin1String(".BMP"), Qt::CaseInsensitive) == 0) {
            Append(fullName, nullptr);
        } else if (TBitmap *icon = IconBitmap(platform::FileIcon(fullName, 0, 32))) {
            Append(fullName, std::unique_ptr<TBitmap>(icon));
        }
    }
    // A directory's files are in the list before the scan goes on elsewhere.
    Flush();
}

// --- TJXPicBox ----------------------------------------------------------------------------------

TJXPicBox::TJXPicBox(TComponent *owner)
    : TCustomListBox(owner), m_backPic(std::make_unique<TBitmap>())
{
    SetStyle(lbOwnerDrawFixed);
    SetItemHeight(60);
    SetMultiSelect(false);
    m_backPic->OnChange = [this](TObject *) { Invalidate(); };
}

TJXPicBox::~TJXPicBox()
{
    if (m_thread) {
        // The worker must not touch the list or fire events from now on; it is stopped and
        // awaited here (its pending calls run, changing nothing), and frees itself later.
        TFillListThread *thread = m_thread;
        m_thread = nullptr;
        thread->Detach();
        thread->OnTerminate = nullptr;
        thread->Terminate();
        // Destroyed from one of the worker's own count events: the worker waits for that
        // event to return, so it cannot be awaited here. Detached, it changes nothing more
        // and frees itself once it has stopped.
        if (!m_inWorkerCall)
            thread->WaitFor();
    }
    FreeBitmaps();
}

void TJXPicBox::SetActive(bool value)
{
    m_active = value;
    if (value)
        FillItems(m_picPattern);
}

void TJXPicBox::SetBackPic(const TBitmap *picture)
{
    if (picture)
        m_backPic->Assign(picture);
    else
        m_backPic->SetSize(0, 0);
    Invalidate();
}

void TJXPicBox::SetBorderSpace(int value)
{
    m_borderSpace = std::clamp(value, 1, 20);
    Invalidate();
}

void TJXPicBox::SetBorderWidth(int value)
{
    m_borderWidth = std::clamp(value, 0, 20);
    Invalidate();
}

void TJXPicBox::SetCaption(bool value)
{
    m_caption = value;
    Invalidate();
}

void TJXPicBox::SetPicHeight(int value)
{
    m_picHeight = std::max(value, 32);
    // Thumbnails are kept at the cell size: a new size drops them.
    if (m_cellHeight != m_picHeight)
        FreeBitmaps();
    m_cellHeight = m_picHeight;
    Invalidate();
    CheckPicSize();
}

void TJXPicBox::SetPicWidth(int value)
{
    m_picWidth = std::max(value, 32);
    // Thumbnails are kept at the cell size: a new size drops them.
    if (m_cellWidth != m_picWidth)
        FreeBitmaps();
    m_cellWidth = m_picWidth;
    Invalidate();
    CheckPicSize();
}

void TJXPicBox::SetPicNoCacheSize(int value)
{
    m_picNoCacheSize = std::clamp(value, 1, 1000000);
}

void TJXPicBox::SetPicPattern(const QString &value)
{
    m_picPattern = value;
    FillItems(value);
}

void TJXPicBox::SetPicType(TPicType value)
{
    if (value == m_picType)
        return;
    m_picType = value;
    FillItems(m_picPattern);
}

void TJXPicBox::SetRows(int value)
{
    m_rows = std::max(value, 1);
    Invalidate();
    CheckPicSize();
}

void TJXPicBox::SetScaled(bool value)
{
    m_scaled = value;
    Invalidate();
    CheckPicSize();
}

void TJXPicBox::SetSubDirs(bool value)
{
    if (value == m_subDirs)
        return;
    m_subDirs = value;
    FillItems(m_picPattern);
}

void TJXPicBox::FireChangePicCount()
{
    const int count = Items()->Count();
    FireEvent(this, OnChangePicCount, &TJXPicBox::onChangePicCount, this, count);
}

void TJXPicBox::FillItems(const QString &pattern)
{
    if (m_inWorkerCall && m_thread) {
        // Called from a count event of the running worker, which waits for that event to
        // return: waiting here for the worker to end would never finish. The worker is asked
        // to stop now and the new scan starts once the event has returned.
        m_thread->Terminate();
        QMetaObject::invokeMethod(
            this, [this, pattern] { FillItems(pattern); }, Qt::QueuedConnection);
        return;
    }
    // The messages processed below may run FillItems again (a handler, a click): the newer
    // call wins, and this one ends without starting a worker of its own, which would be
    // left running unseen by the box.
    const int request = ++m_fillRequest;
    const auto overtaken = [this, request] { return request != m_fillRequest; };
    // The previous scan ends, completion events included, before anything else happens.
    while (m_thread) {
        m_thread->Terminate();
        Application()->ProcessMessages();
        if (m_thread)
            QThread::yieldCurrentThread();
    }
    if (overtaken())
        return;
    Application()->ProcessMessages();
    if (overtaken() || !m_active || !m_loaded)
        return;
    if (Items()->Count() > 0) {
        FreeBitmaps();
        Items()->Clear();
    }
    Application()->ProcessMessages();
    if (overtaken())
        return;
    FireChangePicCount();
    if (m_picPattern.isEmpty() || m_picType.Empty())
        return;
    Application()->ProcessMessages();
    const QString mask = PicTypeMask(m_picType);
    Application()->ProcessMessages();
    if (overtaken() || !FireEvent(this, OnStartScan, &TJXPicBox::onStartScan, this))
        return;
    Application()->ProcessMessages();
    if (overtaken() || m_thread)
        return;

    auto *thread = new TFillListThread(Items(), mask, pattern, m_subDirs, m_checkForIcons);
    thread->OnTerminate = [this](TObject *sender) { ThreadDone(sender); };
    // A copy of the count handler as it is now; the signal goes with it.
    thread->OnChangePicCount = [handler = OnChangePicCount, this](TObject *sender, int count) {
        // The handler may destroy the box; nothing of it is touched after that.
        const bool outer = m_inWorkerCall;
        m_inWorkerCall = true;
        if (FireEvent(this, handler, &TJXPicBox::onChangePicCount, sender, count))
            m_inWorkerCall = outer;
    };
    thread->OnScanError = [this](TObject *sender, const QString &path, int error) {
        const bool outer = m_inWorkerCall;
        m_inWorkerCall = true;
        if (FireEvent(this, OnScanError, &TJXPicBox::onScanError, sender, path, error))
            m_inWorkerCall = outer;
    };
    thread->CountSender = this;
    m_thread = thread;
    thread->Start();
}

void TJXPicBox::BreakScan()
{
    if (m_thread)
        m_thread->Terminate();
}

void TJXPicBox::ThreadDone(TObject *)
{
    m_thread = nullptr;
    FireChangePicCount();
    FireEvent(this, OnStopScan, &TJXPicBox::onStopScan, this);
}

void TJXPicBox::FreeBitmaps()
{
    TStrings *items = Items();
    const TNotifyEvent changed = items->OnChange;
    items->OnChange = nullptr;
    for (int i = 0; i < items->Count(); ++i) {
        delete items->GetObject(i);
        items->PutObject(i, nullptr);
    }
    items->OnChange = changed;
}

TBitmap *TJXPicBox::ReadBitmap(int index)
{
    auto *thumb = new TBitmap(m_cellWidth, m_cellHeight);
    thumb->Canvas()->Brush()->Assign(Canvas()->Brush());
    thumb->Canvas()->FillRect(Rect(0, 0, thumb->Width(), thumb->Height()));
    try {
        std::unique_ptr<TBitmap> source(jxtGetBitmapFromFile(Items()->Get(index), 0));
        if (!source) {
            source = std::make_unique<TBitmap>(32, 32);
            RedCross(source->Canvas(), Rect(0, 0, 32, 32));
        }
        jxtZoomInRect(source.get(), Rect(0, 0, thumb->Width(), thumb->Height()), thumb);
    } catch (const std::exception &) {
        RedCross(thumb->Canvas(), Rect(0, 0, 32, 32));
    }
    return thumb;
}

TBitmap *TJXPicBox::GetBitmap(int index)
{
    TStrings *items = Items();
    if (index < 0 || index >= items->Count())
        return nullptr;
    auto *bitmap = dynamic_cast<TBitmap *>(items->GetObject(index));
    if (!bitmap) {
        bitmap = ReadBitmap(index);
        // Caching a thumbnail is not a change of the list: no repaint follows.
        const TNotifyEvent changed = items->OnChange;
        items->OnChange = nullptr;
        items->PutObject(index, bitmap);
        items->OnChange = changed;
    }
    return bitmap;
}

void TJXPicBox::CheckPicSize()
{
    const int oldWidth = m_cellWidth, oldHeight = m_cellHeight;
    const int rows = std::max(m_rows, 1); // a box never given Rows lays out one row
    if (m_scaled) {
        m_cellWidth = std::max(1, Columns() > 0 ? ClientWidth() / Columns() : ClientWidth());
        m_cellHeight = std::max(1, ClientHeight() / rows);
    } else {
        m_cellWidth = m_picWidth;
        m_cellHeight = m_picHeight;
        const int columns = (ClientWidth() + 2) / m_picWidth;
        const int newRows = (ClientHeight() + 2) / m_picHeight;
        if (columns != Columns() || newRows != m_rows) {
            TCustomListBox::SetColumns(columns);
            m_rows = std::max(newRows, 1);
        }
    }
    SetItemHeight(std::max(1, ClientHeight() / std::max(m_rows, 1)));
    if (m_cellWidth != oldWidth || m_cellHeight != oldHeight)
        FreeBitmaps();
}

bool TJXPicBox::FindItem(const QString &fileName)
{
    const QString wanted = fileName.toUpper();
    for (int i = 0; i < Items()->Count(); ++i) {
        if (Items()->Get(i).toUpper() == wanted) {
            SetItemIndex(i);
            return true;
        }
    }
    return false;
}

void TJXPicBox::SaveToBMP(const QString &source, const QString &dest)
{
    const QString ext = platform::ExtractFileExt(source).toUpper();
    if (ext == QLatin1String(".BMP")) {
        if (!platform::CopyFile(source, dest, false))
            ShowMessage(QCoreApplication::translate("jxtpack", "Fehler beim Kopieren"));
    } else if (ext == QLatin1String(".ICO") || ext == QLatin1String(".EXE") ||
               ext == QLatin1String(".DLL")) {
        std::unique_ptr<TBitmap> bitmap(IconBitmap(platform::FileIcon(source, 0, 32)));
        if (!bitmap) {
            ShowMessage(QCoreApplication::translate("jxtpack", "Datei enthält kein Icon"));
            return;
        }
        bitmap->SaveToFile(dest);
    } else {
        ShowMessage(QCoreApplication::translate("jxtpack", "Datei kann nicht konvertiert werden"));
    }
}

void TJXPicBox::Loaded()
{
    TCustomListBox::Loaded();
    m_loaded = true;
    CheckPicSize();
    if (!m_picPattern.isEmpty())
        FillItems(m_picPattern);
}

TAccessibleItem TJXPicBox::AccessibleItem(int index) const
{
    TAccessibleItem item = TCustomListBox::AccessibleItem(index);
    item.name = platform::ExtractFileName(item.name);
    return item;
}

QSize TJXPicBox::sizeHint() const
{
    return QSize(3 * m_picWidth, 2 * m_picHeight);
}

QSize TJXPicBox::minimumSizeHint() const
{
    return QSize(m_picWidth, m_picHeight);
}

void TJXPicBox::Resize()
{
    // The client area never becomes smaller than one cell.
    if (Width() < m_picWidth || Height() < m_picHeight) {
        SetBounds(Left(), Top(), std::max(Width(), m_picWidth), std::max(Height(), m_picHeight));
        return;
    }
    TCustomListBox::Resize();
    CheckPicSize();
}

void TJXPicBox::Paint()
{
    TCustomListBox::Paint();
}

void TJXPicBox::DrawItem(int index, const TRect &rect, TOwnerDrawState state)
{
    if ((state.Contains(odSelected) && state.Contains(odFocused)) || !m_loaded)
        return;
    const int w = rect.Right - rect.Left, h = rect.Bottom - rect.Top;
    if (w <= 0 || h <= 0)
        return;
    TBitmap cell(w, h);
    TCanvas *c = cell.Canvas();
    c->Pen()->Assign(Canvas()->Pen());
    c->Brush()->Assign(Canvas()->Brush());
    c->SetFont(Font());
    if (state.Contains(odSelected))
        c->Font()->SetColor(Canvas()->Font()->Color());
    TRect r = Rect(0, 0, w, h);
    c->FillRect(r);
    if (!m_backPic->Empty())
        c->StretchDraw(r, m_backPic.get());
    if (m_borderWidth > 0)
        Frame3D(c, r, clWhite, clGray, m_borderWidth);
    r = Rect(r.Left + m_borderSpace, r.Top + m_borderSpace, r.Right - m_borderSpace,
             r.Bottom - m_borderSpace);

    const QString item = Items()->Get(index);
    QString fileName = item.toUpper();
    QString fileCaption = platform::ExtractFileName(item);

    // The cell's place on screen, counted down each column and then across the columns.
    int view = 0;
    if (ItemHeight() > 0) {
        view = rect.Top / ItemHeight();
        if (Columns() > 0) {
            const int columnWidth = ClientWidth() / Columns();
            view = columnWidth < 1
                       ? -1
                       : view + (rect.Left / columnWidth) * (ClientHeight() / ItemHeight());
        }
    }
    if (view < 0)
        return;
    if (!FireEvent(this, OnRequestFileName, &TJXPicBox::onRequestFileName, this, view, fileName,
                   fileCaption))
        return;

    const qint64 size = jxtGetFileSize(fileName);
    if (size == 0) {
        RedCross(c, r);
    } else if (size < m_picNoCacheSize) {
        try {
            std::unique_ptr<TBitmap> picture(jxtGetBitmapFromFile(fileName, 0));
            if (picture)
                jxtStretchPropDraw(picture.get(), r, c);
            else
                RedCross(c, r);
        } catch (const std::exception &) {
            RedCross(c, r);
        }
    } else {
        // The thumbnail always comes from the item's own file.
        jxtStretchPropDraw(GetBitmap(index), r, c);
    }

    if (m_caption) {
        c->Brush()->SetStyle(bsClear);
        const int x = (w - c->TextWidth(fileCaption)) / 2;
        const int y = h - c->TextHeight(fileCaption) - m_borderWidth;
        c->TextOut(x, y, fileCaption);
    }
    Canvas()->Draw(rect.Left, rect.Top, &cell);
}

} // namespace jxt
