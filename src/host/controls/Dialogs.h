// SPDX-License-Identifier: MIT
// Message boxes and standard dialogs. Everything goes through one dialog service: programs
// get real Qt dialogs, tests install TScriptedDialogs, which records every text shown and
// answers with scripted buttons, so nothing ever waits for a person.
#pragma once

#include "base/Export.h"

#include "host/core/Component.h"
#include "host/core/SysUtils.h"
#include "host/graphics/Graphics.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <memory>
#include <vector>

class QPrinter;

namespace jxt {

class TForm;

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn {
    mbYes,
    mbNo,
    mbOK,
    mbCancel,
    mbAbort,
    mbRetry,
    mbIgnore,
    mbAll,
    mbNoToAll,
    mbYesToAll,
    mbHelp
};
using TMsgDlgButtons = TSet<TMsgDlgBtn>;

/// Options and range of the print dialog.
enum TPrintDialogOption { poPrintToFile, poPageNums, poSelection, poWarning, poDisablePrintToFile };
using TPrintDialogOptions = TSet<TPrintDialogOption>;
enum TPrintRange { prAllPages, prSelection, prPageNums };

using TModalResult = int;
constexpr TModalResult mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5,
                       mrYes = 6, mrNo = 7, mrAll = 8, mrNoToAll = 9, mrYesToAll = 10;

/// MessageBox flags and answers, with their Windows values.
constexpr unsigned MB_OK = 0x00, MB_OKCANCEL = 0x01, MB_ABORTRETRYIGNORE = 0x02,
                   MB_YESNOCANCEL = 0x03, MB_YESNO = 0x04, MB_RETRYCANCEL = 0x05,
                   MB_ICONHAND = 0x10, MB_ICONERROR = 0x10, MB_ICONSTOP = 0x10,
                   MB_ICONQUESTION = 0x20, MB_ICONEXCLAMATION = 0x30, MB_ICONWARNING = 0x30,
                   MB_ICONASTERISK = 0x40, MB_ICONINFORMATION = 0x40;
constexpr int IDOK = 1, IDCANCEL = 2, IDABORT = 3, IDRETRY = 4, IDIGNORE = 5, IDYES = 6, IDNO = 7;

/// One request to the dialog service.
struct JXT_EXPORT TDialogRequest
{
    /// What is asked.
    enum Kind {
        Message,         ///< ShowMessage: text and an OK button.
        MessageDlg,      ///< MessageDlg: text, an icon of type, buttons.
        MessageBox,      ///< MessageBox: text, caption, flags.
        ModalForm,       ///< A form shown modally.
        OpenFile,        ///< The open-file dialog.
        SaveFile,        ///< The save-file dialog.
        SelectDirectory, ///< The folder dialog: from initialDir, the folder chosen out in fileName.
        Color,           ///< The colour dialog.
        Print            ///< The print dialog.
    };
    Kind kind = Message;         ///< what is asked
    QString text;                ///< message text, or the form's caption
    QString caption;             ///< window title
    TMsgDlgType type = mtCustom; ///< MessageDlg icon
    TMsgDlgButtons buttons;      ///< MessageDlg buttons
    unsigned flags = 0;          ///< MessageBox flags
    TForm *form = nullptr;       ///< ModalForm: the form shown
    QString className;           ///< ModalForm: its class name
    QString fileName;            ///< file dialogs: in the initial name, out the chosen one
    QString filter;              ///< file dialogs: "Text|*.txt|All|*.*"
    QString initialDir;          ///< file and folder dialogs: the folder they start in
    int color = 0;               ///< colour dialog: in and out (0x00BBGGRR)
    /// Print dialog: the printer it configures, the pages offered, and in and out the range
    /// chosen. fileName out: when not empty, the job goes to that PDF file.
    //!@{
    QPrinter *printer = nullptr;
    TPrintDialogOptions printOptions;
    TPrintRange printRange = prAllPages;
    int minPage = 0;
    int maxPage = 0;
    int fromPage = 0;
    int toPage = 0;
    //!@}
};

/// Shows dialogs and returns the answer: a TModalResult for MessageDlg and modal forms, an
/// ID… value for MessageBox, mrOk or mrCancel for the standard dialogs.
class JXT_EXPORT TDialogService
{
public:
    virtual ~TDialogService() = default;
    /// Shows the dialog the request describes and returns the answer; results the dialog
    /// gives back (a file name, a colour, a page range) go into request.
    virtual int Show(TDialogRequest &request) = 0;
};

/// Real dialogs (QMessageBox, QFileDialog, QColorDialog, modal forms in their own loop).
class JXT_EXPORT TQtDialogService : public TDialogService
{
public:
    int Show(TDialogRequest &request) override;
};

/// Records every request and answers from a script. Without a scripted answer it gives the
/// default: mrOk / IDOK where offered, else the first button; modal forms return their
/// ModalResult as set by the Responder (mrCancel if none).
class JXT_EXPORT TScriptedDialogs : public TDialogService
{
public:
    int Show(TDialogRequest &request) override;
    /// Queues the answer for the next request.
    void Answer(int result) { m_answers.push_back(result); }
    /// Called for every request before the queued answer is taken; may inspect or change the
    /// request (choose a file name, press a form's button). A return value other than -1 is
    /// the answer.
    std::function<int(TDialogRequest &)> Responder;
    /// Every request so far, oldest first.
    const std::vector<TDialogRequest> &Shown() const { return m_shown; }
    /// The text of every request so far, oldest first.
    QStringList Texts() const;
    /// Forgets the requests and the queued answers.
    void Clear()
    {
        m_shown.clear();
        m_answers.clear();
    }

private:
    std::vector<TDialogRequest> m_shown;
    std::deque<int> m_answers;
};

/// The service in use (a TQtDialogService until another is installed).
JXT_EXPORT TDialogService *DialogService();
/// Installs service and returns the previous one.
JXT_EXPORT std::unique_ptr<TDialogService>
SetDialogService(std::unique_ptr<TDialogService> service);

/// Shows text with an OK button.
JXT_EXPORT void ShowMessage(const QString &text);
/// Shows text with the icon of type and the buttons; returns the TModalResult pressed.
JXT_EXPORT int MessageDlg(const QString &text, TMsgDlgType type, TMsgDlgButtons buttons,
                          int helpContext = 0);
/// Shows a message box with flags (MB_…); returns the ID… value pressed.
JXT_EXPORT int MessageBox(const QString &text, const QString &caption, unsigned flags);
/// File name dialogs; return true and the chosen file in fileName, or false.
JXT_EXPORT bool PromptForFileName(QString &fileName, const QString &filter,
                                  const QString &initialDir, const QString &title, bool save);
/// The print dialog: request.kind must be Print. Returns true when the user confirmed; the
/// range and the file name chosen are then in request.
JXT_EXPORT bool ExecutePrintDialog(TDialogRequest &request);
/// The folder dialog, starting at directory (or root); returns true and the chosen folder in
/// directory, or false.
JXT_EXPORT bool SelectDirectory(const QString &caption, const QString &root, QString &directory);

/// Options of the file dialogs (those the dialog service's dialogs honour: the others are
/// kept for form files).
enum TOpenOption {
    ofReadOnly,
    ofOverwritePrompt,
    ofHideReadOnly,
    ofNoChangeDir,
    ofShowHelp,
    ofNoValidate,
    ofAllowMultiSelect,
    ofExtensionDifferent,
    ofPathMustExist,
    ofFileMustExist,
    ofCreatePrompt,
    ofShareAware,
    ofNoReadOnlyReturn,
    ofNoTestFileCreate
};
using TOpenOptions = TSet<TOpenOption>;

/// The open-file dialog as a component: Execute shows it through the dialog service with
/// Filter ("Text|*.txt|All|*.*"), InitialDir, Title and FileName, and on confirmation puts
/// the chosen name into FileName (with "." DefaultExt added when the name has no extension).
class JXT_EXPORT TOpenDialog : public TComponent
{
    Q_OBJECT
    Q_PROPERTY(QString DefaultExt READ DefaultExt WRITE SetDefaultExt)
    Q_PROPERTY(QString FileName READ FileName WRITE SetFileName)
    Q_PROPERTY(QString Filter READ Filter WRITE SetFilter)
    Q_PROPERTY(QString InitialDir READ InitialDir WRITE SetInitialDir)
    Q_PROPERTY(QString Title READ Title WRITE SetTitle)

public:
    explicit TOpenDialog(TComponent *owner = nullptr);

    /// The extension (without ".") given to a chosen name that has none; default empty.
    QString DefaultExt() const { return m_defaultExt; }
    void SetDefaultExt(const QString &value) { m_defaultExt = value; }
    /// The name the dialog starts with, and after Execute the name chosen; default empty.
    QString FileName() const { return m_fileName; }
    void SetFileName(const QString &value) { m_fileName = value; }
    /// The file types offered, as pairs of description and patterns: "Text|*.txt|All|*.*";
    /// default empty.
    QString Filter() const { return m_filter; }
    void SetFilter(const QString &value) { m_filter = value; }
    /// The folder the dialog starts in; default empty.
    QString InitialDir() const { return m_initialDir; }
    void SetInitialDir(const QString &value) { m_initialDir = value; }
    /// The dialog's title; default empty.
    QString Title() const { return m_title; }
    void SetTitle(const QString &value) { m_title = value; }
    /// The dialog's options; default ofHideReadOnly.
    TOpenOptions Options() const { return m_options; }
    void SetOptions(TOpenOptions value) { m_options = value; }

    /// Shows the dialog; true when the user confirmed a file.
    virtual bool Execute();

protected:
    /// Shows the open (save) dialog and takes the name chosen; what Execute does.
    bool Run(bool save);

private:
    QString m_defaultExt;
    QString m_fileName;
    QString m_filter;
    QString m_initialDir;
    QString m_title;
    TOpenOptions m_options{ofHideReadOnly};
};

/// The save-file dialog as a component.
class JXT_EXPORT TSaveDialog : public TOpenDialog
{
    Q_OBJECT

public:
    using TOpenDialog::TOpenDialog;
    bool Execute() override;
};

/// The colour dialog as a component: Execute starts it with Color and on confirmation puts
/// the chosen colour into Color.
class JXT_EXPORT TColorDialog : public TComponent
{
    Q_OBJECT

public:
    explicit TColorDialog(TComponent *owner = nullptr);
    /// Default clBlack.
    TColor Color() const { return m_color; }
    void SetColor(TColor value) { m_color = value; }
    /// Shows the dialog; true when the user confirmed a colour.
    bool Execute();

private:
    TColor m_color = 0;
};

/// The print dialog as a component: Execute offers the pages MinPage..MaxPage of Printer
/// and on confirmation leaves the range chosen in PrintRange, FromPage and ToPage (and in
/// FileName a PDF file the job goes to, when the user chose one).
class JXT_EXPORT TPrintDialog : public TComponent
{
    Q_OBJECT

public:
    explicit TPrintDialog(TComponent *owner = nullptr);
    /// The first and last page the dialog offers; default 0.
    //!@{
    int MinPage() const { return m_minPage; }
    void SetMinPage(int value) { m_minPage = value; }
    int MaxPage() const { return m_maxPage; }
    void SetMaxPage(int value) { m_maxPage = value; }
    //!@}
    /// The range of pages proposed, and after Execute the range chosen; default 0.
    //!@{
    int FromPage() const { return m_fromPage; }
    void SetFromPage(int value) { m_fromPage = value; }
    int ToPage() const { return m_toPage; }
    void SetToPage(int value) { m_toPage = value; }
    //!@}
    /// All pages (default prAllPages), the pages FromPage..ToPage, or the selection.
    TPrintRange PrintRange() const { return m_printRange; }
    void SetPrintRange(TPrintRange value) { m_printRange = value; }
    /// What the dialog lets the user choose (a page range, a selection, ...); default none.
    TPrintDialogOptions Options() const { return m_options; }
    void SetOptions(TPrintDialogOptions value) { m_options = value; }
    /// After Execute, the PDF file the job goes to, or empty for the printer.
    QString FileName() const { return m_fileName; }
    /// The printer the dialog configures (not owned).
    QPrinter *Printer() const { return m_printer; }
    void SetPrinter(QPrinter *printer) { m_printer = printer; }
    /// The dialog's title; default empty.
    QString Title() const { return m_title; }
    void SetTitle(const QString &value) { m_title = value; }
    /// Shows the dialog; true when the user confirmed.
    bool Execute();

private:
    int m_minPage = 0;
    int m_maxPage = 0;
    int m_fromPage = 0;
    int m_toPage = 0;
    TPrintRange m_printRange = prAllPages;
    TPrintDialogOptions m_options;
    QString m_fileName;
    QString m_title;
    QPrinter *m_printer = nullptr;
};

} // namespace jxt
