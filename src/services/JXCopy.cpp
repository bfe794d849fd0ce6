// SPDX-License-Identifier: MIT
// File copy component and its progress form.
#include "services/JXCopy.h"

#include "host/core/Events.h"

#include "display/JXGauge.h"
#include "host/controls/Buttons.h"
#include "host/controls/Dialogs.h"
#include "host/controls/ExtCtrls.h"
#include "host/controls/StdCtrls.h"
#include "platform/Files.h"
#include "platform/Find.h"
#include "platform/HostStat.h"
#include "platform/Paths.h"
#include "platform/RegularFile.h"
#include "platform/Transfer.h"
#include "platform/Volumes.h"
#include "util/Jxutil.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <ctime>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace jxt {

TfrmJXCopy *frmJXCopy = nullptr;
bool fCopyBreak = false;
bool fOverwriteAll = false;
bool fOverwriteAllNormalAttr = false;

namespace {

/// The attributes of the entries a wildcard copy takes: read-only, hidden, system, archive.
constexpr int kCopyAttr = 39;

/// The directory path with a trailing separator (either kind counts): "/" for a path written
/// with "/" only, else "\\".
QString WithSeparator(const QString &dir)
{
    return jxtCheckPath(dir);
}

/// A path in POSIX form (starting with "/"): read back as given, never upper-cased.
bool IsPosixPath(const QString &path)
{
    return path.startsWith(QLatin1Char('/'));
}

bool HasWildcards(const QString &name)
{
    return name.contains(QLatin1Char('*')) || name.contains(QLatin1Char('?'));
}

/// Free bytes on the volume that holds path (or would hold it), -1 when there is no such
/// volume (an unmapped drive, say).
qint64 DiskFree(const QString &path, bool isHostPath = false)
{
    const QString host = isHostPath ? path : platform::ToHostPath(path);
    if (host.isEmpty())
        return -1;
    // The path itself need not exist yet; its nearest existing folder is on the same volume.
    QFileInfo info(host);
    while (!info.exists()) {
        const QString parent = info.absolutePath();
        if (parent == info.absoluteFilePath())
            return -1;
        info = QFileInfo(parent);
    }
    qint64 free = 0, total = 0, totalFree = 0;
    if (!platform::GetDiskFreeSpace(info.absoluteFilePath(), free, total, totalFree))
        return -1;
    return free;
}

/// Facts about a host path from one stat (links followed): -1 size when it does not exist.
struct THostFile
{
    bool exists = false;
    bool isDir = false;
    bool writable = true;
    qint64 size = -1;
    dev_t dev = 0;
    ino_t ino = 0;
};

THostFile StatHost(const QByteArray &host)
{
    THostFile f;
    struct stat st;
    if (!host.isEmpty() && ::stat(host.constData(), &st) == 0) {
        f.exists = true;
        f.isDir = S_ISDIR(st.st_mode);
        f.writable = platform::HostModeWritable(st.st_mode, st.st_uid, st.st_gid);
        f.size = S_ISREG(st.st_mode) ? qint64(st.st_size) : 0;
        f.dev = st.st_dev;
        f.ino = st.st_ino;
    }
    return f;
}

/// The source file as the copy sees it, from one stat: whether it is there as a file (a link
/// counts by its target; a dangling link is an empty file, a directory is not a file), its
/// size as GetFileSize gives it (-1 when missing, 0 for a directory or device) and its device
/// and inode.
struct TSourceFile
{
    bool isFile = false;
    qint64 size = -1;
    dev_t dev = 0;
    ino_t ino = 0;
};

TSourceFile StatSource(const QByteArray &host)
{
    TSourceFile f;
    if (host.isEmpty())
        return f;
    struct stat st;
    if (::stat(host.constData(), &st) == 0) {
        f.isFile = !S_ISDIR(st.st_mode);
        f.size = S_ISREG(st.st_mode) ? qint64(st.st_size) : 0;
        f.dev = st.st_dev;
        f.ino = st.st_ino;
    } else if (::lstat(host.constData(), &st) == 0 && S_ISLNK(st.st_mode)) {
        f.isFile = true; // dangling: its attributes are readable, its size is unknown
    }
    return f;
}

/// A host folder and a name in it, as bytes.
QByteArray JoinHost(const QString &hostDir, const QByteArray &name)
{
    const QByteArray dir = QFile::encodeName(hostDir);
    return dir.endsWith('/') ? dir + name : dir + '/' + name;
}

/// The folder part of a host path, with its trailing slash.
QByteArray HostFolderOf(const QByteArray &host)
{
    return host.left(host.lastIndexOf('/') + 1);
}

int Ask(const QString &text, TMsgDlgButtons buttons)
{
    return MessageDlg(text, mtWarning, buttons);
}

/// Closes a descriptor when the scope ends.
struct TFdGuard
{
    int fd = -1;
    ~TFdGuard()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

/// Runs of the data copy: doubled while one takes less than kFastRunNs, halved when one takes
/// more than kSlowRunNs (both well inside the message pump's 10 ms), never above kMaxRun.
constexpr qint64 kFastRunNs = 2'000'000;
constexpr qint64 kSlowRunNs = 8'000'000;
constexpr qint64 kMaxRun = 8 << 20;

qint64 MonotonicNs()
{
    struct timespec now;
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

[[noreturn]] void ThrowWriteError(const QString &target)
{
    throw EInOutError(QCoreApplication::translate(
                          "jxtpack", "Fehler beim schreiben von %1. Ziel-Datenträger voll ?")
                          .arg(target),
                      ENOSPC);
}

} // namespace

// TfrmJXCopy

TfrmJXCopy::TfrmJXCopy(TComponent *owner) : TForm(owner)
{
    SetName(QStringLiteral("frmJXCopy"));
    SetCaption(QCoreApplication::translate("jxtpack", "Kopier-Status"));
    SetBorderStyle(bsDialog);
    SetClientWidth(413);
    SetClientHeight(213);
    SetPosition(poScreenCenter);
    Font()->SetName(QStringLiteral("Arial"));
    Font()->SetHeight(-13);

    auto label = [this](const char *name, const QString &text, int left, int top, int width) {
        auto *l = new TLabel(this);
        l->SetName(QString::fromLatin1(name));
        l->SetParent(this);
        l->SetAutoSize(false);
        l->SetAlignment(taCenter);
        l->SetBounds(left, top, width, 17);
        l->Font()->SetStyle({fsBold, fsItalic});
        l->SetCaption(text);
        return l;
    };
    Label1 = label("Label1", QCoreApplication::translate("jxtpack", "von"), 4, 0, 401);
    Label2 = label("Label2", QCoreApplication::translate("jxtpack", "nach"), 8, 52, 397);

    auto panel = [this](const char *name, int left, int top, bool named) {
        auto *p = new TPanel(this);
        p->SetName(QString::fromLatin1(name));
        p->SetParent(this);
        p->SetBounds(left, top, 400, 25);
        p->SetBevelOuter(bvLowered);
        if (named) {
            p->SetBorderWidth(3);
            p->SetAlignment(taLeftJustify);
            p->Font()->SetStyle({fsBold});
        }
        p->SetCaption(QString());
        return p;
    };
    panSource = panel("panSource", 4, 22, true);
    panDest = panel("panDest", 4, 72, true);

    Button1 = new TBitBtn(this);
    Button1->SetName(QStringLiteral("Button1"));
    Button1->SetParent(this);
    Button1->SetCaption(QCoreApplication::translate("jxtpack", "&Abbruch"));
    Button1->SetBounds(165, 180, 88, 25);
    Button1->OnClick = [this](TObject *) { Button1Click(); };

    auto gauge = [this](const char *name, TPanel *holder, TColor boxColor) {
        auto *g = new TJXGauge(this);
        g->SetName(QString::fromLatin1(name));
        g->SetParent(holder);
        g->SetBorderStyle(bvNone);
        g->SetBorderWidth(2);
        g->SetBoxes(20);
        g->SetKind(TJXGauge::jxgHorizontal);
        g->SetColor(clBlack);
        g->SetShowPeak(true);
        g->SetBoxColor(boxColor);
        g->SetBounds(7, 2, 386, 20);
        g->SetProgress(0);
        return g;
    };
    Panel1 = panel("Panel1", 4, 108, false);
    jxgCopy = gauge("jxgCopy", Panel1, clNavy);
    panFile = panel("panFile", 4, 144, false);
    jxgFile = gauge("jxgFile", panFile, clPurple);

    // The form sees every key first, so Escape cancels whichever control has the focus.
    installEventFilter(this);
    for (QObject *child : children())
        child->installEventFilter(this);
}

TfrmJXCopy::~TfrmJXCopy()
{
    if (frmJXCopy == this)
        frmJXCopy = nullptr;
}

void TfrmJXCopy::Button1Click()
{
    if (MessageDlg(QCoreApplication::translate("jxtpack", "Kopiervorgang abbrechen ?"),
                   mtConfirmation, {mbYes, mbNo}) == mrYes)
        fCopyBreak = true;
}

void TfrmJXCopy::FormKeyPress(QChar &key)
{
    if (key == QChar(27))
        Button1Click();
}

bool TfrmJXCopy::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        QChar key(27);
        FormKeyPress(key);
        return true;
    }
    return TForm::eventFilter(watched, event);
}

// TJXCopy

TJXCopy::TJXCopy(TComponent *owner) : TComponent(owner)
{
    SetBufferSize(8192);
    m_dialogCaption = QStringLiteral("Kopiere Dateien...");
    fCopyBreak = false;
}

TJXCopy::~TJXCopy() = default;

void TJXCopy::SetBufferSize(int value)
{
    m_bufferSize = std::clamp(value, 1024, 16384);
}

void TJXCopy::SetCopyProgressGauge(TJXGauge *gauge)
{
    if (m_copyGauge && m_copyGauge != gauge && m_copyGauge != m_fileGauge)
        RemoveFreeNotification(m_copyGauge);
    m_copyGauge = gauge;
    if (gauge) {
        FreeNotification(gauge);
        gauge->SetProgress(0);
    }
}

void TJXCopy::SetFileProgressGauge(TJXGauge *gauge)
{
    if (m_fileGauge && m_fileGauge != gauge && m_fileGauge != m_copyGauge)
        RemoveFreeNotification(m_fileGauge);
    m_fileGauge = gauge;
    if (gauge) {
        FreeNotification(gauge);
        gauge->SetProgress(0);
    }
}

void TJXCopy::SetDest(const QString &value)
{
    m_destGiven = value;
    m_dest = CheckPfadName(value);
}

void TJXCopy::Notification(TComponent *component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation != opRemove)
        return;
    if (component == m_copyGauge)
        m_copyGauge = nullptr;
    if (component == m_fileGauge)
        m_fileGauge = nullptr;
}

bool TJXCopy::HasAttr(const QString &fileName, int attr) const
{
    const int found = platform::FileGetAttr(fileName);
    return found >= 0 && (found & attr) == attr;
}

QString TJXCopy::CheckPfadName(const QString &path) const
{
    if (path.isEmpty() || path.contains(QLatin1Char('.')) || platform::IsPathDelimiter(path.back()))
        return path;
    return WithSeparator(path);
}

bool TJXCopy::JXFileExists(const QString &fileName) const
{
    const int attr = platform::FileGetAttr(fileName);
    return attr >= 0 && !(attr & (platform::faDirectory | platform::faVolumeID));
}

qint64 TJXCopy::GetFileSize(const QString &fileName) const
{
    return jxtGetFileSize(fileName);
}

int TJXCopy::GetFileCount(const QString &fileName) const
{
    if (!HasWildcards(fileName))
        return platform::FileGetAttr(fileName) >= 0 ? 1 : -1;
    TSearchRec rec;
    int count = 0;
    for (int found = platform::FindFirst(fileName, kCopyAttr, rec); found == 0;
         found = platform::FindNext(rec))
        ++count;
    platform::FindClose(rec);
    return count > 0 ? count : -1;
}

bool TJXCopy::MakeDir(const QString &path) const
{
    platform::ForceDirectories(path);
    return platform::DirectoryExists(path);
}

void TJXCopy::Messages()
{
    Application()->ProcessMessages();
}

void TJXCopy::FireEnd()
{
    FireEvent(this, OnEnd, &TJXCopy::onEnd, this);
}

int TJXCopy::GaugeValue(qint64 bytes) const
{
    return int(std::min<qint64>(std::max<qint64>(bytes, -1) >> m_gaugeShift, INT_MAX));
}

void TJXCopy::AddProgress(qint64 bytes)
{
    m_runDone += bytes;
    m_fileDone += bytes;
    const int run = GaugeValue(m_runDone);
    const int file = GaugeValue(m_fileDone);
    if (m_copyGauge)
        m_copyGauge->SetProgress(run);
    if (m_fileGauge)
        m_fileGauge->SetProgress(file);
    if (frmJXCopy) {
        frmJXCopy->jxgCopy->SetProgress(run);
        frmJXCopy->jxgFile->SetProgress(file);
    }
}

void TJXCopy::StartFileGauges(qint64 size)
{
    m_fileDone = 0;
    for (TJXGauge *gauge : {m_fileGauge, frmJXCopy ? frmJXCopy->jxgFile : nullptr}) {
        if (!gauge)
            continue;
        gauge->SetMaxValue(GaugeValue(size));
        gauge->SetProgress(0);
    }
}

void TJXCopy::Skip(const QString &source)
{
    const qint64 size = std::max<qint64>(GetFileSize(source), 0);
    m_runDone += size;
    if (m_copyGauge)
        m_copyGauge->SetProgress(GaugeValue(m_runDone));
    if (m_fileGauge)
        m_fileGauge->SetProgress(m_fileGauge->MaxValue());
    if (frmJXCopy) {
        frmJXCopy->jxgCopy->SetProgress(GaugeValue(m_runDone));
        frmJXCopy->jxgFile->SetProgress(frmJXCopy->jxgFile->MaxValue());
    }
}

QString TJXCopy::Dest() const
{
    return IsPosixPath(m_dest) ? m_dest : m_dest.toUpper();
}

QString TJXCopy::Source() const
{
    return IsPosixPath(m_source) ? m_source : m_source.toUpper();
}

bool TJXCopy::Copy()
{
    return CopyFile(m_source, m_dest, m_showCopyDialog);
}

void TJXCopy::ResetRun()
{
    // A new run starts without the cancel of an earlier one.
    fCopyBreak = false;
    fOverwriteAll = false;
    fOverwriteAllNormalAttr = false;
    m_filesBegun = 0;
    m_incomplete = false;
    m_folderNames.clear();
    m_hostFolders.clear();
    m_freeSpace.clear();
    m_pump = TMessagePump();
    m_runDone = 0;
    m_fileDone = 0;
}

void TJXCopy::StartRunGauges(const QString &source, qint64 total)
{
    m_gaugeShift = 0;
    while ((total >> m_gaugeShift) > INT_MAX)
        ++m_gaugeShift;
    for (TJXGauge *gauge : {m_copyGauge, frmJXCopy ? frmJXCopy->jxgCopy : nullptr}) {
        if (!gauge)
            continue;
        gauge->SetMaxValue(GaugeValue(total));
        gauge->SetProgress(0);
    }
    if (m_fileGauge)
        m_fileGauge->SetProgress(0);
    if (frmJXCopy) {
        frmJXCopy->jxgFile->SetProgress(0);
        frmJXCopy->panFile->SetVisible(GetFileCount(source) >= 2);
    }
}

bool TJXCopy::TargetDiskReady(const QString &dest, qint64 total)
{
    while (DiskFree(dest) == -1) {
        if (Ask(QCoreApplication::translate("jxtpack", "Zieldatenträger nicht bereit"),
                {mbAbort, mbRetry}) != mrRetry)
            return false;
    }
    if (DiskFree(dest) >= 1) {
        while (DiskFree(dest) < total) {
            const int answer = Ask(
                QCoreApplication::translate("jxtpack", "Zu wenig Speicherplatz für alle Dateien"),
                {mbAbort, mbRetry, mbIgnore});
            if (answer == mrIgnore)
                break;
            if (answer != mrRetry)
                return false;
        }
    }
    return true;
}

TJXCopy::TFileResult TJXCopy::CopyMatches(const QString &source, const QString &dest,
                                          bool showDialog)
{
    // The folder is read at once, so files this run creates are not taken again. Its entries
    // are taken by their names on disk, in the order of FindFirst, with the attributes of
    // the run (read-only, hidden, system, archive: no directories): a name that cannot be
    // written as a path (bytes that are not UTF-8, a backslash) is copied by its bytes.
    const QString sourceDir = platform::ExtractFilePath(source);
    const QString mask = platform::ExtractFileName(source);
    const QString hostDir =
        platform::ToHostPath(sourceDir.isEmpty() ? QStringLiteral(".") : sourceDir);
    std::vector<platform::TDirEntry> entries;
    if (hostDir.isEmpty() ||
        !platform::ListDirectory(QFile::encodeName(hostDir), platform::TListDetail::Kinds, entries,
                                 true, true))
        return TFileResult::Stopped;
    struct TMatch
    {
        QString name;
        QByteArray native;
        bool spellable;
    };
    std::vector<TMatch> matches;
    for (const platform::TDirEntry &e : entries) {
        if ((e.Attr & platform::faDirectory) || !platform::MatchesFileMask(e.Name, mask))
            continue;
        // The name the user sees: a backslash in it, which would split the path, is shown as
        // the full-width reverse solidus. The copy itself goes by the bytes on disk.
        QString shown = e.Name;
        shown.replace(QLatin1Char('\\'), QChar(0xFF3C));
        matches.push_back({shown, e.NativeName, e.Spellable});
    }
    if (matches.empty())
        return TFileResult::Stopped;
    const QString destDir = platform::ExtractFilePath(dest);
    for (const TMatch &match : matches) {
        // Only regular files are copied: a FIFO would block the copy, a device never end. Such
        // an entry is left out, and the run reports that it did not copy everything.
        struct stat st;
        if (::stat(JoinHost(hostDir, match.native).constData(), &st) != 0 || !S_ISREG(st.st_mode)) {
            m_incomplete = true;
            continue;
        }
        const TFileResult result = CopyOne(sourceDir + match.name, destDir + match.name, showDialog,
                                           match.spellable ? QByteArray() : match.native);
        if (result != TFileResult::Copied)
            return result;
        m_pump.Run();
        if (fCopyBreak)
            return TFileResult::Cancelled;
    }
    return TFileResult::Copied;
}

bool TJXCopy::CopyFile(const QString &source, const QString &dest, bool showDialog)
{
    ResetRun();

    // The form lives for this run only, and the gauges show the final state however the
    // run ends.
    struct TRunCleanup
    {
        TJXCopy *copy;
        TfrmJXCopy *form = nullptr;
        ~TRunCleanup()
        {
            if (form) {
                if (frmJXCopy == form)
                    frmJXCopy = nullptr;
                form->Free();
            }
            if (copy->m_copyGauge)
                copy->m_copyGauge->Repaint();
            if (copy->m_fileGauge)
                copy->m_fileGauge->Repaint();
        }
    } cleanup{this};

    if (showDialog) {
        cleanup.form = new TfrmJXCopy(this);
        frmJXCopy = cleanup.form;
        frmJXCopy->SetCaption(m_dialogCaption);
        frmJXCopy->Show();
    }
    FireEvent(this, OnStart, &TJXCopy::onStart, this);
    const qint64 total = GetFileSize(source);
    StartRunGauges(source, total);

    TFileResult result = TFileResult::Stopped;
    if (!source.isEmpty() && source.compare(dest, Qt::CaseInsensitive) != 0 &&
        TargetDiskReady(dest, total)) {
        Messages();
        result = HasWildcards(source) ? CopyMatches(source, dest, showDialog)
                                      : CopyOne(source, dest, showDialog);
    }
    // A cancelled run ends without the end event; a stopped one reports its end.
    if (result == TFileResult::Cancelled)
        return false;
    FireEnd();
    return result == TFileResult::Copied && !m_incomplete;
}

bool TJXCopy::KopiereDatei(const QString &source, const QString &dest, bool showDialog)
{
    const TFileResult result = CopyOne(source, dest, showDialog);
    if (result == TFileResult::Stopped)
        FireEnd();
    return result == TFileResult::Copied;
}

QByteArray TJXCopy::TargetHostPath(const QString &path, bool *folderExists,
                                   const QByteArray &nativeName)
{
    // Names compare ignoring case, as on Windows file systems: an existing file whose
    // name differs only in case is the target, unless a file of exactly the name given
    // exists, which is always preferred. Each target folder is read once per run, so
    // copying many files into one folder does not read it again for every file.
    const QString dir = platform::ExtractFilePath(path);
    const QString name = platform::ExtractFileName(path);
    const QString folder = dir.isEmpty() ? QStringLiteral(".") : dir;
    auto host = m_hostFolders.constFind(folder);
    if (host == m_hostFolders.cend())
        host = m_hostFolders.insert(folder, platform::ToHostPath(folder));
    const QString hostDir = *host;
    if (hostDir.isEmpty() || name.isEmpty() || name == QLatin1String(".") ||
        name == QLatin1String(".."))
        return QFile::encodeName(platform::ToHostPath(path));
    auto it = m_folderNames.find(hostDir);
    if (it == m_folderNames.end()) {
        TFolderNames folderNames;
        std::vector<platform::TDirEntry> entries;
        folderNames.exists = platform::ListDirectory(
            QFile::encodeName(hostDir), platform::TListDetail::Kinds, entries, true, true);
        for (const platform::TDirEntry &e : entries) {
            folderNames.exact.insert(e.NativeName);
            const QString folded = e.Name.toCaseFolded();
            if (!folderNames.names.contains(folded))
                folderNames.names.insert(folded, e.NativeName);
        }
        it = m_folderNames.emplace(hostDir, std::move(folderNames)).first;
    }
    if (folderExists)
        *folderExists = it->second.exists;
    TFolderNames &names = it->second;
    // The entry a wildcard run found keeps its very name on disk.
    if (!nativeName.isEmpty()) {
        names.exact.insert(nativeName);
        return JoinHost(hostDir, nativeName);
    }
    const QByteArray exact = QFile::encodeName(name);
    QByteArray actual = exact;
    if (!names.exact.contains(exact)) {
        const QString folded = name.toCaseFolded();
        const auto found = names.names.constFind(folded);
        if (found != names.names.cend()) {
            actual = *found;
        } else {
            // The copy creates it under this name.
            names.names.insert(folded, exact);
            names.exact.insert(exact);
        }
    }
    return JoinHost(hostDir, actual);
}

qint64 TJXCopy::TargetFree(const QByteArray &hostTarget, bool fresh)
{
    // Measured once per target folder and then reduced by what the run has copied since, so
    // that a run of many small files does not ask the file system for every one; measured
    // again when the estimate runs short (before any question is asked) or is a second old.
    const QString folder = QFile::decodeName(HostFolderOf(hostTarget));
    const qint64 now = MonotonicNs();
    auto it = m_freeSpace.find(folder);
    if (fresh || it == m_freeSpace.end() || now - it->second.measuredNs > 1'000'000'000) {
        const TFreeSpace measured{DiskFree(folder, true), now, m_runDone};
        it = m_freeSpace.insert_or_assign(folder, measured).first;
    }
    const TFreeSpace &space = it->second;
    if (space.bytes <= 0)
        return space.bytes;
    return std::max<qint64>(space.bytes - (m_runDone - space.runDoneThen), 0);
}

/// Where one file goes: the name the user sees, its host path, and what was there before.
struct TJXCopy::TTarget
{
    QString name;
    QByteArray host;
    THostFile before;
    bool folderKnown = false; // its folder was read, so it exists
};

TJXCopy::TTarget TJXCopy::ResolveTarget(const QString &source, const QString &dest,
                                        const QByteArray &nativeName)
{
    // Dest names the target itself unless it is a folder; the stat that tells is then the
    // target's own.
    TTarget t;
    t.name = dest;
    if (!platform::ExtractFileName(dest).isEmpty()) {
        t.host = TargetHostPath(dest, &t.folderKnown, nativeName);
        t.before = StatHost(t.host);
    }
    if (platform::ExtractFileName(dest).isEmpty() || (t.before.isDir && nativeName.isEmpty())) {
        t.name = WithSeparator(dest) + platform::ExtractFileName(source);
        t.host = TargetHostPath(t.name, &t.folderKnown, nativeName);
        t.before = StatHost(t.host);
    }
    return t;
}

bool TJXCopy::RoomForFile(const TTarget &target, qint64 size)
{
    qint64 free = TargetFree(target.host, false);
    if (free <= 0)
        return true; // unknown: the write itself will tell
    const qint64 needed = size - target.before.size;
    if (free < needed)
        free = TargetFree(target.host, true); // ask only after a fresh measurement
    while (free < needed) {
        if (Ask(QCoreApplication::translate(
                    "jxtpack", "Zu wenig Speicherplatz für Datei >%1< auf Zieldatenträger")
                    .arg(target.name),
                {mbAbort, mbRetry}) != mrRetry)
            return false;
        free = TargetFree(target.host, true);
    }
    return true;
}

bool TJXCopy::TargetFolderReady(const TTarget &target)
{
    const QString targetPath = platform::ExtractFilePath(target.name);
    const QString targetDir = platform::ExtractFileDir(target.name);
    while (!target.folderKnown && targetPath.size() > 3 && !platform::DirectoryExists(targetDir)) {
        if (Ask(QCoreApplication::translate(
                    "jxtpack", "Zielverzeichnis %1 existiert nicht. Soll es erstellt werden ?")
                    .arg(targetDir),
                {mbYes, mbNo}) != mrYes)
            return false;
        if (!MakeDir(targetDir)) {
            MessageBox(
                QCoreApplication::translate("jxtpack", "Verzeichnis konnte nicht erstellt werden"),
                QCoreApplication::translate("jxtpack", "Problem"), 0x2010);
            return false;
        }
        // The new folder is read again when a file goes into it next.
        m_folderNames.erase(platform::ToHostPath(targetPath));
        m_hostFolders.clear();
    }
    return true;
}

bool TJXCopy::MayReplace(const TTarget &target, bool *liftReadOnly)
{
    *liftReadOnly = false;
    if (m_overWrite && m_overWriteMsg && !fOverwriteAllNormalAttr) {
        const int answer =
            Ask(QCoreApplication::translate(
                    "jxtpack", "Datei %1 schon vorhanden. Soll sie überschrieben werden ?")
                    .arg(target.name),
                {mbYes, mbNo, mbAll});
        if (answer == mrAll)
            fOverwriteAllNormalAttr = true;
        else if (answer != mrYes)
            return false;
    }
    if (!m_overWrite)
        return false;

    // A write-protected target is replaced only when the user allows it. Its protection is
    // not lifted here: the new file takes its place only when complete, so a copy that fails
    // leaves it exactly as it was, protection included.
    if (StatHost(target.host).writable)
        return true;
    if (!fOverwriteAll) {
        const int answer =
            Ask(QCoreApplication::translate(
                    "jxtpack", "Datei %1 Schreibgeschützt. Soll sie überschrieben werden ?")
                    .arg(target.name),
                {mbYes, mbNo, mbAll});
        if (answer == mrAll)
            fOverwriteAll = true;
        else if (answer != mrYes)
            return false;
    }
    *liftReadOnly = true;
    return true;
}

TJXCopy::TFileResult TJXCopy::CopyOne(const QString &source, const QString &dest, bool,
                                      const QByteArray &nativeName)
{
    // One stat of the source answers whether it exists, its size and its identity.
    const auto hostOf = [&] {
        if (nativeName.isEmpty())
            return QFile::encodeName(platform::ToHostPath(source));
        const QString dir = platform::ExtractFilePath(source);
        return JoinHost(platform::ToHostPath(dir.isEmpty() ? QStringLiteral(".") : dir),
                        nativeName);
    };
    QByteArray hostSource = hostOf();
    TSourceFile sourceFile = StatSource(hostSource);
    while (!sourceFile.isFile) {
        const int answer =
            Ask(QCoreApplication::translate("jxtpack", "Datei >%1< nicht gefunden").arg(source),
                {mbAbort, mbRetry, mbIgnore});
        if (answer == mrIgnore)
            break;
        if (answer != mrRetry)
            return TFileResult::Stopped;
        hostSource = hostOf();
        sourceFile = StatSource(hostSource);
    }

    const TTarget target = ResolveTarget(source, dest, nativeName);
    // A folder of that very name is in the way of a file found by its bytes: it is left out.
    if (!nativeName.isEmpty() && target.before.isDir) {
        m_incomplete = true;
        return TFileResult::Copied;
    }
    // The same file under another spelling (case, "..", a link) is never copied onto itself.
    if (sourceFile.size >= 0 && target.before.exists && sourceFile.dev == target.before.dev &&
        sourceFile.ino == target.before.ino)
        return TFileResult::Stopped;

    StartFileGauges(sourceFile.size);
    if (!RoomForFile(target, sourceFile.size) || !TargetFolderReady(target))
        return TFileResult::Stopped;

    ++m_filesBegun;
    if (frmJXCopy) {
        for (auto [panel, text] : {std::pair{frmJXCopy->panSource, source},
                                   std::pair{frmJXCopy->panDest, target.name}}) {
            panel->SetCaption(jxtGetMaxString(panel->Font(), panel->Width(), text));
            panel->Refresh();
        }
    }
    FireEvent(this, OnChange, &TJXCopy::onChange, this, m_filesBegun, source, target.name);
    if (m_processMessages)
        Messages();

    const THostFile targetFile = StatHost(target.host);
    const bool exists = targetFile.exists && !targetFile.isDir;
    bool liftReadOnly = false;
    if (exists && !MayReplace(target, &liftReadOnly)) {
        Skip(source);
        return TFileResult::Copied;
    }
    return CopyData(source, hostSource, target, liftReadOnly) ? TFileResult::Copied
                                                              : TFileResult::Cancelled;
}

// The file is moved in steps of one buffer: after each step messages are processed (when
// asked for), a cancel is noticed and the gauges advance by the step. The bytes themselves
// are moved in runs of many steps, as one call each, because a call per step costs as
// much as the copying on a fast disk; the steps of a run are then accounted one by one.
// A run is as long as the disk moves in a few milliseconds, so a cancel still stops the
// copy at once, and at most one run's bytes (of a temporary file that is then removed)
// were copied in vain. The kernel copies without passing the bytes through this process
// where the file systems allow; otherwise (another file system, a kernel without it) the
// run is read into a buffer and written out.
bool TJXCopy::MoveBytes(int in, platform::TAtomicFile &out, qint64 sizeWhenOpened,
                        const QString &source, const QString &target)
{
    const qint64 step = m_bufferSize;
    qint64 run = step;
    std::vector<char> buffer;
    bool kernelCopy = true;
    qint64 copied = 0;
    for (;;) {
        const qint64 started = MonotonicNs();
        ssize_t n = -1;
        if (kernelCopy) {
            n = ::copy_file_range(in, nullptr, out.Handle(), nullptr, size_t(run), 0);
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                if (errno == ENOSPC || errno == EDQUOT || errno == EFBIG)
                    ThrowWriteError(target);
                kernelCopy = false; // nothing was copied by the failed call
            }
        }
        if (!kernelCopy) {
            if (buffer.size() < std::size_t(run))
                buffer.resize(std::size_t(run));
            n = ::read(in, buffer.data(), std::size_t(run));
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                throw EInOutError(QStringLiteral("Read error in \"%1\"").arg(source), errno);
            }
            if (n > 0 && !out.Write(buffer.data(), n))
                ThrowWriteError(target);
        }
        if (n == 0)
            break;
        for (qint64 done = 0; done < n; done += step) {
            if (m_processMessages)
                m_pump.Run();
            if (fCopyBreak) {
                // Cancelled: the temporary file goes, an existing target stays as it was.
                SetTag(9999);
                out.Discard();
                return false;
            }
            AddProgress(std::min<qint64>(step, n - done));
        }
        copied += n;
        // A short run that reaches the size the file had when opened is its end: asking
        // again would only be answered with nothing.
        if (n < run && copied >= sizeWhenOpened)
            break;
        // The next run is longer while runs take well under the pump's interval, and
        // shorter when one took longer than that.
        const qint64 took = MonotonicNs() - started;
        if (took < kFastRunNs && run < kMaxRun)
            run *= 2;
        else if (took > kSlowRunNs && run > step)
            run = std::max(step, run / 2);
    }
    return true;
}

bool TJXCopy::CopyData(const QString &source, const QByteArray &hostSource, const TTarget &target,
                       bool liftReadOnly)
{
    // Only regular files are read: a FIFO or device, which would block or never end, is
    // refused before it is opened.
    TFdGuard in;
    struct stat st;
    platform::TFileAccess access = platform::TFileAccess::Missing;
    if (!hostSource.isEmpty())
        in.fd = platform::OpenRegularHostFile(hostSource, O_RDONLY, &access, &st);
    if (in.fd < 0)
        throw EInOutError(QStringLiteral("Cannot open file \"%1\"").arg(source),
                          access == platform::TFileAccess::Missing ? ENOENT : EINVAL);
    if (st.st_size > kMaxRun)
        ::posix_fadvise(in.fd, 0, 0, POSIX_FADV_SEQUENTIAL);

    // Where the new content goes: the target, or for a link to a file the file it ends in
    // (the link stays, as when a program writes through it).
    const auto cannotCreate = [&](int error) {
        throw EInOutError(QStringLiteral("Cannot create file \"%1\"").arg(target.name), error);
    };
    const QByteArray folder = HostFolderOf(target.host);
    const QByteArray name = target.host.mid(folder.size());
    TFdGuard folderFd;
    if (!target.host.isEmpty() && !name.isEmpty())
        folderFd.fd =
            ::open(folder.isEmpty() ? "." : folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd.fd < 0)
        cannotCreate(errno ? errno : ENOENT);
    QByteArray writeName;
    TFdGuard writeDir;
    writeDir.fd = platform::OpenWriteTarget(folderFd.fd, name, &writeName);
    if (writeDir.fd < 0)
        cannotCreate(errno);
    struct stat old;
    const bool replacing =
        ::fstatat(writeDir.fd, writeName.constData(), &old, AT_SYMLINK_NOFOLLOW) == 0 &&
        S_ISREG(old.st_mode);

    // A new file is readable by no one the source is not readable by (as cp makes it) and
    // writable by its owner: the source's write protection goes with it only by CopyAttrib.
    // A replaced file keeps its mode, owner and group; the user's "Yes" to a write-protected
    // target gives its owner write permission, as lifting the protection would have.
    platform::TAtomicFile out;
    if (!out.OpenAt(writeDir.fd, writeName, replacing ? 0600 : (st.st_mode & 0777) | S_IWUSR))
        cannotCreate(out.Error());
    if (replacing) {
        out.TakeOverAttributes(old);
        if (liftReadOnly)
            ::fchmod(out.Handle(), (old.st_mode & 07777 & ~mode_t(S_ISUID | S_ISGID)) | S_IWUSR);
    }

    if (!MoveBytes(in.fd, out, st.st_size, source, target.name))
        return false;

    if (m_copyDate) {
        const struct timespec times[2] = {st.st_atim, st.st_mtim};
        ::futimens(out.Handle(), times);
    }
    if (m_copyAttrib)
        ::fchmod(out.Handle(), st.st_mode & 07777 & ~mode_t(S_ISUID | S_ISGID));
    // A file that replaces another reaches the disk before the rename: otherwise a crash
    // soon after could leave neither the old content nor the new one under the name. A new
    // file needs no flush, as a crash can at worst lose the copy, never the source.
    if (!out.Commit(true, replacing))
        ThrowWriteError(target.name);
    return true;
}

} // namespace jxt
