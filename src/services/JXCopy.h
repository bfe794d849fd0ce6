// SPDX-License-Identifier: MIT
// TJXCopy: copies one file or all files matching a wildcard, asking the user in German
// dialogs, with progress in gauges and an optional progress form that can cancel the run.
#pragma once

#include "base/Export.h"
#include "display/JXGauge.h"
#include "host/controls/Forms.h"
#include "host/controls/MessagePump.h"
#include "host/core/About.h"
#include "host/core/Component.h"
#include "util/JXVersions.h"

#include <QHash>
#include <QSet>

#include <cstdint>
#include <functional>
#include <map>

namespace jxt {

namespace platform {
class TAtomicFile;
}

class TBitBtn;
class TLabel;
class TPanel;

/// Fires before each file is copied: the number of files begun in this run (the current one
/// included), the source and the target file name.
using HilfsEvent = std::function<void(TObject *sender, int files, const QString &sourceFileName,
                                      const QString &destFileName)>;

/// The progress form of a copy run: source and target names, a gauge for the whole run, one
/// for the current file (shown only when several files are copied), and a cancel button.
/// The button and the Escape key ask "Kopiervorgang abbrechen ?"; Yes cancels the run.
class JXT_EXPORT TfrmJXCopy : public TForm
{
    Q_OBJECT

public:
    explicit TfrmJXCopy(TComponent *owner = nullptr);
    ~TfrmJXCopy() override;

    /// A click on the cancel button: asks whether to cancel the run.
    void Button1Click();
    /// Escape (27) asks to cancel, as the button does.
    void FormKeyPress(QChar &key);

    /// The form's controls: the "von" and "nach" labels (Label1, Label2) with the source and
    /// target names (panSource, panDest), the cancel button (Button1), and the gauges of the
    /// whole run (jxgCopy on Panel1) and of the current file (jxgFile on panFile).
    //!@{
    TLabel *Label1 = nullptr;
    TLabel *Label2 = nullptr;
    TPanel *panSource = nullptr;
    TPanel *panDest = nullptr;
    TBitBtn *Button1 = nullptr;
    TPanel *Panel1 = nullptr;
    TJXGauge *jxgCopy = nullptr;
    TPanel *panFile = nullptr;
    TJXGauge *jxgFile = nullptr;
    //!@}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

/// The progress form while a run with the form is going on, else nullptr.
JXT_EXPORT extern TfrmJXCopy *frmJXCopy;
/// Cancel requested (by the progress form); every new run clears it.
JXT_EXPORT extern bool fCopyBreak;
/// "All" chosen in this run for write-protected targets.
JXT_EXPORT extern bool fOverwriteAll;
/// "All" chosen in this run for existing targets.
JXT_EXPORT extern bool fOverwriteAllNormalAttr;

/// A non-visual component that copies Source (one file, or every file matching "*" and "?")
/// to Dest (a file or a directory) block by block, and asks the user what to do about a
/// missing source, a target medium that is full or not ready, a missing target directory and
/// existing or write-protected targets. Progress goes to up to two gauges of the application
/// and, with ShowCopyDialog, to the progress form.
///
/// Every file is written under a temporary name in the target folder and renamed into place
/// only when complete, so a target never looks complete when it is not: on a failed write or
/// a cancel the temporary file is removed and an existing target is left as it was. A file is
/// never copied onto itself, whatever the spelling of its name (case, "..", a link): that run
/// ends with false. A write-protected target the user allows to replace keeps its protection
/// until the new file is complete.
///
/// A target name resolves ignoring case, but a file of exactly that name is always the
/// target. A new copy is readable by no one the source is not readable by and writable by its
/// owner (the source's write protection comes with CopyAttrib); a replaced target keeps its
/// mode, owner and group; a link to a file is written through, so the link stays and the file
/// it points to gets the new content.
///
/// A wildcard run takes the files of the source folder by their names on disk, so names that
/// are not UTF-8 or hold a backslash are copied too (shown with the full-width "＼" for a
/// backslash). An entry that is no regular file (a FIFO, a device) is left out without an
/// error, and the run then ends with false (and OnEnd) once the other files are copied.
///
/// Source() and Dest() of Windows-form paths ("C:\\x") read back upper-cased, as Windows file
/// systems compare names; POSIX paths ("/tmp/x") read back as given, since this host's names
/// are case-sensitive. The copy itself uses the names as given, so files keep their spelling.
/// A folder Dest gets a trailing separator: "/" for a path written with "/", else "\\"; the
/// target names the events hand out are built the same way. The published Source and Dest
/// properties (what forms store) keep the spelling the user gave.
class JXT_EXPORT TJXCopy : public TComponent
{
    Q_OBJECT
    Q_PROPERTY(jxt::TJXAboutString About_JXTools READ GetAboutJXT WRITE SetAboutJXT)
    /// Bytes per block, 1024 to 16384; default 8192.
    Q_PROPERTY(int BufferSize READ BufferSize WRITE SetBufferSize)
    /// Give the copy the source's attributes (its permissions); default false.
    Q_PROPERTY(bool CopyAttrib READ CopyAttrib WRITE SetCopyAttrib)
    /// Give the copy the source's date; default false.
    Q_PROPERTY(bool CopyDate READ CopyDate WRITE SetCopyDate)
    /// Application gauge for the whole run; default none.
    Q_PROPERTY(jxt::TJXGauge *CopyProgressGauge READ CopyProgressGauge WRITE SetCopyProgressGauge)
    /// Destination file or directory, as given; default empty.
    Q_PROPERTY(QString Dest READ DestAsGiven WRITE SetDest)
    /// Caption of the progress form; default "Kopiere Dateien...".
    Q_PROPERTY(QString DialogCaption READ DialogCaption WRITE SetDialogCaption)
    /// Application gauge for the current file; default none.
    Q_PROPERTY(jxt::TJXGauge *FileProgressGauge READ FileProgressGauge WRITE SetFileProgressGauge)
    /// Existing targets may be replaced; default false (they are skipped).
    Q_PROPERTY(bool OverWrite READ OverWrite WRITE SetOverWrite)
    /// Ask before replacing an existing target; default true.
    Q_PROPERTY(bool OverWriteMsg READ OverWriteMsg WRITE SetOverWriteMsg)
    /// Process messages after every block and before each file; default false.
    Q_PROPERTY(bool ProcessMessages READ ProcessMessages WRITE SetProcessMessages)
    /// Show the progress form during Copy; default false.
    Q_PROPERTY(bool ShowCopyDialog READ ShowCopyDialog WRITE SetShowCopyDialog)
    /// Source file name, may hold "*" and "?", as given; default empty.
    Q_PROPERTY(QString Source READ SourceAsGiven WRITE SetSource)
    JXT_ABOUT(JXCopyVersion)

public:
    explicit TJXCopy(TComponent *owner = nullptr);
    ~TJXCopy() override;

    int BufferSize() const { return m_bufferSize; }
    /// Below 1024 stores 1024, above 16384 stores 16384.
    void SetBufferSize(int value);
    bool CopyAttrib() const { return m_copyAttrib; }
    void SetCopyAttrib(bool value) { m_copyAttrib = value; }
    bool CopyDate() const { return m_copyDate; }
    void SetCopyDate(bool value) { m_copyDate = value; }
    TJXGauge *CopyProgressGauge() const { return m_copyGauge; }
    /// Stores the gauge and sets its progress to 0.
    void SetCopyProgressGauge(TJXGauge *gauge);
    /// Dest as CheckPfadName made it, upper-cased unless a POSIX path (see the class comment).
    QString Dest() const;
    void SetDest(const QString &value);
    /// Dest as it was given, before CheckPfadName and upper-casing.
    QString DestAsGiven() const { return m_destGiven; }
    QString DialogCaption() const { return m_dialogCaption; }
    void SetDialogCaption(const QString &value) { m_dialogCaption = value; }
    TJXGauge *FileProgressGauge() const { return m_fileGauge; }
    void SetFileProgressGauge(TJXGauge *gauge);
    bool OverWrite() const { return m_overWrite; }
    void SetOverWrite(bool value) { m_overWrite = value; }
    bool OverWriteMsg() const { return m_overWriteMsg; }
    void SetOverWriteMsg(bool value) { m_overWriteMsg = value; }
    bool ProcessMessages() const { return m_processMessages; }
    void SetProcessMessages(bool value) { m_processMessages = value; }
    bool ShowCopyDialog() const { return m_showCopyDialog; }
    void SetShowCopyDialog(bool value) { m_showCopyDialog = value; }
    /// Source, upper-cased unless a POSIX path (see the class comment).
    QString Source() const;
    void SetSource(const QString &value) { m_source = value; }
    /// Source as it was given.
    QString SourceAsGiven() const { return m_source; }

    /// Runs CopyFile(Source, Dest, ShowCopyDialog).
    Q_INVOKABLE bool Copy();
    /// Copies source to dest: true when the run went through to the end. A run the user
    /// cancelled returns false without OnEnd; any other run that ends early returns false
    /// after OnEnd. Open, read, create and write errors throw EInOutError (after the form
    /// is closed and the gauges refreshed, without OnEnd).
    bool CopyFile(const QString &source, const QString &dest, bool showDialog);
    /// Copies one file as part of a run (see CopyFile); true when it was copied or skipped.
    bool KopiereDatei(const QString &source, const QString &dest, bool showDialog);

    /// True when the file exists and all bits of attr are set in its attributes.
    bool HasAttr(const QString &fileName, int attr) const;
    /// An empty path, a path holding "." (taken as a file name) and a path ending in a
    /// separator unchanged, any other with a trailing backslash.
    QString CheckPfadName(const QString &path) const;
    /// True when the name is a file: neither a directory nor a volume label.
    bool JXFileExists(const QString &fileName) const;
    /// For a name with wildcards the total size of the matching files, else the file's size;
    /// -1 when nothing is found.
    qint64 GetFileSize(const QString &fileName) const;
    /// For a name with wildcards the number of matching files, else 1; -1 when nothing is
    /// found.
    int GetFileCount(const QString &fileName) const;
    /// Creates the directory with all missing parents; whether it exists afterwards.
    bool MakeDir(const QString &path) const;

    /// A file is about to be copied (see HilfsEvent).
    HilfsEvent OnChange;
    /// A copy run starts (after the progress form is shown).
    TNotifyEvent OnStart;
    /// A copy run ended, completed or stopped by an error; a run the user cancelled ends
    /// without it.
    TNotifyEvent OnEnd;

signals:
    void onChange(jxt::TObject *sender, int files, const QString &sourceFileName,
                  const QString &destFileName);
    void onStart(jxt::TObject *sender);
    void onEnd(jxt::TObject *sender);

protected:
    void Notification(TComponent *component, TOperation operation) override;

private:
    /// How copying one file ended.
    enum class TFileResult { Copied, Stopped, Cancelled };
    /// Clears what a run remembers: the cancel, the overwrite answers, the folder caches.
    void ResetRun();
    /// Gauges at 0, scaled to the run's total; the dialog's file gauge shown for two or more.
    void StartRunGauges(const QString &source, qint64 total);
    /// Asks until the target disk is ready and has room for the run (or the user ignores
    /// that); false when the user stopped.
    bool TargetDiskReady(const QString &dest, qint64 total);
    /// Copies every regular file that the wildcard source matches into dest's folder, found
    /// by the names in the folder (so names that are not UTF-8 or hold a backslash are
    /// copied too); what is not a regular file is left out and makes the run incomplete.
    TFileResult CopyMatches(const QString &source, const QString &dest, bool showDialog);
    /// Copies one file. `nativeName`, when given, is the bytes of the name on disk of a file
    /// a wildcard run found: source and target are the entries of that name in their
    /// folders (the names the user sees are then only for showing).
    TFileResult CopyOne(const QString &source, const QString &dest, bool showDialog,
                        const QByteArray &nativeName = QByteArray());
    /// Where one file goes: the name the user sees, its host path, and what was there.
    struct TTarget;
    TTarget ResolveTarget(const QString &source, const QString &dest, const QByteArray &nativeName);
    /// Asks until the target disk has room for the file; false when the user stopped.
    bool RoomForFile(const TTarget &target, qint64 size);
    /// Offers to create a missing target folder; false when it is not there afterwards.
    bool TargetFolderReady(const TTarget &target);
    /// The overwrite and write-protection questions for an existing target; false when it is
    /// to be kept. `liftReadOnly` tells whether the user allowed replacing it although it is
    /// write-protected (nothing is changed until the copy is complete).
    bool MayReplace(const TTarget &target, bool *liftReadOnly);
    /// The loop writing one file; false when it was cancelled. A new file is readable by no
    /// one the source is not readable by and writable by its owner; a replaced one keeps its
    /// mode, owner and group (with the owner's write permission when `liftReadOnly`); a link
    /// to a file is written through.
    bool CopyData(const QString &source, const QByteArray &hostSource, const TTarget &target,
                  bool liftReadOnly);
    /// Moves the bytes of the open source to out; false when the run was cancelled (out is
    /// then discarded). Throws EInOutError when reading or writing fails.
    bool MoveBytes(int in, platform::TAtomicFile &out, qint64 sizeWhenOpened, const QString &source,
                   const QString &target);
    /// The host path a target name stands for (see the .cpp); with `nativeName`, that entry
    /// of the target's folder.
    QByteArray TargetHostPath(const QString &path, bool *folderExists = nullptr,
                              const QByteArray &nativeName = QByteArray());
    /// Free bytes for the target: an estimate from the run's earlier measurement of its
    /// folder unless `fresh` (see the .cpp).
    qint64 TargetFree(const QByteArray &hostTarget, bool fresh);
    void Skip(const QString &source);
    void FireEnd();
    void Messages();
    void AddProgress(qint64 bytes);
    void StartFileGauges(qint64 size);
    /// Gauge values are bytes, shifted right so that the run's total fits an int.
    int GaugeValue(qint64 bytes) const;

    int m_bufferSize = 8192;
    bool m_copyAttrib = false;
    bool m_copyDate = false;
    TJXGauge *m_copyGauge = nullptr;
    QString m_dest;
    QString m_destGiven;
    QString m_dialogCaption;
    TJXGauge *m_fileGauge = nullptr;
    bool m_overWrite = false;
    bool m_overWriteMsg = true;
    bool m_processMessages = false;
    bool m_showCopyDialog = false;
    QString m_source;

    int m_filesBegun = 0;
    /// A file of the run could not be copied (it was no regular file).
    bool m_incomplete = false;
    /// Per target folder of the current run: case-folded entry name -> the first name on
    /// disk of that spelling, and every name as it is on disk.
    struct TFolderNames
    {
        QHash<QString, QByteArray> names;
        QSet<QByteArray> exact;
        bool exists = false; // the folder could be read
    };
    std::map<QString, TFolderNames> m_folderNames;
    /// Per target folder name of the current run: its host path.
    QHash<QString, QString> m_hostFolders;
    /// Per target host folder of the current run: free bytes when measured, and the run's
    /// bytes done then.
    struct TFreeSpace
    {
        qint64 bytes = -1;
        qint64 measuredNs = 0;
        qint64 runDoneThen = 0;
    };
    std::map<QString, TFreeSpace> m_freeSpace;
    int m_gaugeShift = 0;
    qint64 m_runDone = 0;
    qint64 m_fileDone = 0;
    TMessagePump m_pump; // messages between the blocks of a file, at most every 10 ms
};

} // namespace jxt
