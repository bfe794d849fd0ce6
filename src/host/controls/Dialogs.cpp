// SPDX-License-Identifier: MIT
#include "host/controls/Dialogs.h"
#include "host/controls/Forms.h"
#include "jxtpack/Config.h"

#include <QApplication>
#include <QColorDialog>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFileDialog>
#include <QMessageBox>
#if JXT_WITH_PRINTING
#    include <QPrintDialog>
#    include <QPrinter>
#endif
#include <QPushButton>
#include <algorithm>

namespace jxt {

namespace {

std::unique_ptr<TDialogService> &ServiceSlot()
{
    static std::unique_ptr<TDialogService> service = std::make_unique<TQtDialogService>();
    return service;
}

QString TitleOf(TMsgDlgType type)
{
    switch (type) {
    case mtWarning: return QCoreApplication::translate("jxtpack", "Warnung");
    case mtError: return QCoreApplication::translate("jxtpack", "Fehler");
    case mtInformation: return QCoreApplication::translate("jxtpack", "Information");
    case mtConfirmation: return QCoreApplication::translate("jxtpack", "Bestätigen");
    default: return Application()->Title();
    }
}

struct ButtonMap
{
    TMsgDlgBtn button;
    QMessageBox::StandardButton qt;
    int result;
};

const ButtonMap kButtons[] = {
    {mbYes, QMessageBox::Yes, mrYes},
    {mbNo, QMessageBox::No, mrNo},
    {mbOK, QMessageBox::Ok, mrOk},
    {mbCancel, QMessageBox::Cancel, mrCancel},
    {mbAbort, QMessageBox::Abort, mrAbort},
    {mbRetry, QMessageBox::Retry, mrRetry},
    {mbIgnore, QMessageBox::Ignore, mrIgnore},
    {mbAll, QMessageBox::YesToAll, mrAll},
    {mbNoToAll, QMessageBox::NoToAll, mrNoToAll},
    {mbYesToAll, QMessageBox::YesToAll, mrYesToAll},
    {mbHelp, QMessageBox::Help, mrNone},
};

/// The buttons of a MessageBox and the ID each one answers, in display order.
std::vector<std::pair<TMsgDlgBtn, int>> BoxButtons(unsigned flags)
{
    switch (flags & 0x0F) {
    case MB_OKCANCEL: return {{mbOK, IDOK}, {mbCancel, IDCANCEL}};
    case MB_ABORTRETRYIGNORE: return {{mbAbort, IDABORT}, {mbRetry, IDRETRY}, {mbIgnore, IDIGNORE}};
    case MB_YESNOCANCEL: return {{mbYes, IDYES}, {mbNo, IDNO}, {mbCancel, IDCANCEL}};
    case MB_YESNO: return {{mbYes, IDYES}, {mbNo, IDNO}};
    case MB_RETRYCANCEL: return {{mbRetry, IDRETRY}, {mbCancel, IDCANCEL}};
    default: return {{mbOK, IDOK}};
    }
}

QMessageBox::Icon IconOf(TMsgDlgType type)
{
    switch (type) {
    case mtWarning: return QMessageBox::Warning;
    case mtError: return QMessageBox::Critical;
    case mtInformation: return QMessageBox::Information;
    case mtConfirmation: return QMessageBox::Question;
    default: return QMessageBox::NoIcon;
    }
}

QMessageBox::Icon IconOfFlags(unsigned flags)
{
    switch (flags & 0xF0) {
    case MB_ICONHAND: return QMessageBox::Critical;
    case MB_ICONQUESTION: return QMessageBox::Question;
    case MB_ICONEXCLAMATION: return QMessageBox::Warning;
    case MB_ICONASTERISK: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

/// "Text|*.txt;*.log|All|*.*" to Qt's "Text (*.txt *.log);;All (*)".
QString QtFilter(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        patterns.replace(QLatin1String("*.*"), QLatin1String("*"));
        out << parts[i] + QLatin1String(" (") + patterns + QLatin1Char(')');
    }
    return out.join(QLatin1String(";;"));
}

} // namespace

TDialogService *DialogService()
{
    return ServiceSlot().get();
}

std::unique_ptr<TDialogService> SetDialogService(std::unique_ptr<TDialogService> service)
{
    if (!service)
        service = std::make_unique<TQtDialogService>();
    std::swap(ServiceSlot(), service);
    return service;
}

namespace {

/// Runs a message box with the given buttons and answers the result that belongs to the
/// button pressed, or cancelled when it was closed otherwise.
int RunMessageBox(QMessageBox &box, const std::vector<std::pair<TMsgDlgBtn, int>> &buttons,
                  int cancelled)
{
    std::vector<std::pair<QAbstractButton *, int>> map;
    for (const auto &[button, result] : buttons)
        for (const ButtonMap &b : kButtons)
            if (b.button == button)
                map.emplace_back(static_cast<QAbstractButton *>(box.addButton(b.qt)), result);
    box.exec();
    for (auto &[button, result] : map)
        if (box.clickedButton() == button)
            return result;
    return cancelled;
}

int ShowMessage(TDialogRequest &request)
{
    if (request.kind == TDialogRequest::MessageBox) {
        QMessageBox box(IconOfFlags(request.flags), request.caption, request.text);
        std::vector<std::pair<TMsgDlgBtn, int>> buttons;
        for (auto [button, id] : BoxButtons(request.flags))
            buttons.emplace_back(button, id);
        return RunMessageBox(box, buttons, IDCANCEL);
    }
    QMessageBox box(IconOf(request.type), request.caption, request.text);
    const TMsgDlgButtons wanted =
        request.kind == TDialogRequest::Message ? TMsgDlgButtons{mbOK} : request.buttons;
    std::vector<std::pair<TMsgDlgBtn, int>> buttons;
    for (const ButtonMap &b : kButtons)
        if (wanted.Contains(b.button))
            buttons.emplace_back(b.button, b.result);
    return RunMessageBox(box, buttons, mrCancel);
}

int ShowModalForm(TForm *form)
{
    form->setWindowModality(Qt::ApplicationModal);
    form->SetModalResult(mrNone);
    form->Show();
    QEventLoop loop;
    while (form->ModalResult() == mrNone && form->isVisible())
        loop.processEvents(QEventLoop::WaitForMoreEvents);
    form->Hide();
    return form->ModalResult() == mrNone ? mrCancel : form->ModalResult();
}

int ShowFileDialog(TDialogRequest &request)
{
    QString chosen;
    if (request.kind == TDialogRequest::SelectDirectory) {
        chosen = QFileDialog::getExistingDirectory(nullptr, request.caption, request.initialDir);
    } else {
        const QString dir = request.initialDir.isEmpty() ? request.fileName : request.initialDir;
        chosen = request.kind == TDialogRequest::OpenFile
                     ? QFileDialog::getOpenFileName(nullptr, request.caption, dir,
                                                    QtFilter(request.filter))
                     : QFileDialog::getSaveFileName(nullptr, request.caption, dir,
                                                    QtFilter(request.filter));
    }
    if (chosen.isEmpty())
        return mrCancel;
    request.fileName = chosen;
    return mrOk;
}

int ShowColorDialog(TDialogRequest &request)
{
    const QColor c = QColorDialog::getColor(ColorToQColor(request.color), nullptr, request.caption);
    if (!c.isValid())
        return mrCancel;
    request.color = QColorToColor(c);
    return mrOk;
}

int ShowPrintDialog(TDialogRequest &request)
{
#if !JXT_WITH_PRINTING
    // A build without Qt's print support has no printer to configure.
    Q_UNUSED(request);
    return mrCancel;
#else
    if (!request.printer)
        return mrCancel;
    QPrintDialog dialog(request.printer);
    if (!request.caption.isEmpty())
        dialog.setWindowTitle(request.caption);
    QAbstractPrintDialog::PrintDialogOptions options = dialog.options();
    options.setFlag(QAbstractPrintDialog::PrintPageRange,
                    request.printOptions.Contains(poPageNums));
    options.setFlag(QAbstractPrintDialog::PrintSelection,
                    request.printOptions.Contains(poSelection));
    options.setFlag(QAbstractPrintDialog::PrintToFile,
                    !request.printOptions.Contains(poDisablePrintToFile));
    dialog.setOptions(options);
    dialog.setMinMax(request.minPage, request.maxPage);
    dialog.setFromTo(request.fromPage, request.toPage);
    dialog.setPrintRange(request.printRange == prPageNums    ? QAbstractPrintDialog::PageRange
                         : request.printRange == prSelection ? QAbstractPrintDialog::Selection
                                                             : QAbstractPrintDialog::AllPages);
    if (dialog.exec() != QDialog::Accepted)
        return mrCancel;
    switch (dialog.printRange()) {
    case QAbstractPrintDialog::PageRange:
        request.printRange = prPageNums;
        request.fromPage = dialog.fromPage();
        request.toPage = dialog.toPage();
        break;
    case QAbstractPrintDialog::Selection: request.printRange = prSelection; break;
    default: request.printRange = prAllPages; break;
    }
    request.fileName = request.printer->outputFormat() == QPrinter::PdfFormat
                           ? request.printer->outputFileName()
                           : QString();
    return mrOk;
#endif
}

} // namespace

int TQtDialogService::Show(TDialogRequest &request)
{
    switch (request.kind) {
    case TDialogRequest::Message:
    case TDialogRequest::MessageDlg:
    case TDialogRequest::MessageBox: return ShowMessage(request);
    case TDialogRequest::ModalForm: return ShowModalForm(request.form);
    case TDialogRequest::OpenFile:
    case TDialogRequest::SaveFile:
    case TDialogRequest::SelectDirectory: return ShowFileDialog(request);
    case TDialogRequest::Color: return ShowColorDialog(request);
    case TDialogRequest::Print: return ShowPrintDialog(request);
    }
    return mrCancel;
}

int TScriptedDialogs::Show(TDialogRequest &request)
{
    // A Responder may show further dialogs (a modal form's button that asks a question):
    // those are recorded after this request, which keeps its own place.
    const std::size_t index = m_shown.size();
    m_shown.push_back(request);
    if (Responder) {
        const int r = Responder(request);
        m_shown[index] = request;
        if (r != -1)
            return r;
    }
    if (!m_answers.empty()) {
        const int r = m_answers.front();
        m_answers.pop_front();
        return r;
    }
    switch (request.kind) {
    case TDialogRequest::Message: return mrOk;
    case TDialogRequest::MessageDlg:
        if (request.buttons.Contains(mbOK))
            return mrOk;
        for (const ButtonMap &b : kButtons)
            if (request.buttons.Contains(b.button))
                return b.result;
        return mrCancel;
    case TDialogRequest::MessageBox: return BoxButtons(request.flags).front().second;
    case TDialogRequest::ModalForm:
        return request.form && request.form->ModalResult() != mrNone ? request.form->ModalResult()
                                                                     : mrCancel;
    default: return mrCancel;
    }
}

QStringList TScriptedDialogs::Texts() const
{
    QStringList texts;
    for (const TDialogRequest &r : m_shown)
        texts << r.text;
    return texts;
}

void ShowMessage(const QString &text)
{
    TDialogRequest r;
    r.kind = TDialogRequest::Message;
    r.text = text;
    r.caption = Application()->Title();
    DialogService()->Show(r);
}

int MessageDlg(const QString &text, TMsgDlgType type, TMsgDlgButtons buttons, int)
{
    TDialogRequest r;
    r.kind = TDialogRequest::MessageDlg;
    r.text = text;
    r.type = type;
    r.caption = TitleOf(type);
    r.buttons = buttons;
    return DialogService()->Show(r);
}

int MessageBox(const QString &text, const QString &caption, unsigned flags)
{
    TDialogRequest r;
    r.kind = TDialogRequest::MessageBox;
    r.text = text;
    r.caption = caption;
    r.flags = flags;
    return DialogService()->Show(r);
}

bool PromptForFileName(QString &fileName, const QString &filter, const QString &initialDir,
                       const QString &title, bool save)
{
    TDialogRequest r;
    r.kind = save ? TDialogRequest::SaveFile : TDialogRequest::OpenFile;
    r.fileName = fileName;
    r.filter = filter;
    r.initialDir = initialDir;
    r.caption = title;
    if (DialogService()->Show(r) != mrOk)
        return false;
    fileName = r.fileName;
    return true;
}

bool ExecutePrintDialog(TDialogRequest &request)
{
    request.kind = TDialogRequest::Print;
    return DialogService()->Show(request) == mrOk;
}

bool SelectDirectory(const QString &caption, const QString &root, QString &directory)
{
    TDialogRequest r;
    r.kind = TDialogRequest::SelectDirectory;
    r.caption = caption;
    r.initialDir = directory.isEmpty() ? root : directory;
    if (DialogService()->Show(r) != mrOk)
        return false;
    directory = r.fileName;
    return true;
}

// The dialog components

TOpenDialog::TOpenDialog(TComponent *owner) : TComponent(owner) {}

bool TOpenDialog::Execute()
{
    return Run(false);
}

bool TOpenDialog::Run(bool save)
{
    QString fileName = m_fileName;
    if (!PromptForFileName(fileName, m_filter, m_initialDir, m_title, save))
        return false;
    // A name without an extension gets the default one.
    const int slash =
        std::max(fileName.lastIndexOf(QLatin1Char('/')), fileName.lastIndexOf(QLatin1Char('\\')));
    if (!m_defaultExt.isEmpty() && fileName.indexOf(QLatin1Char('.'), slash + 1) < 0)
        fileName += QLatin1Char('.') + m_defaultExt;
    m_fileName = fileName;
    return true;
}

bool TSaveDialog::Execute()
{
    return Run(true);
}

TColorDialog::TColorDialog(TComponent *owner) : TComponent(owner) {}

bool TColorDialog::Execute()
{
    TDialogRequest r;
    r.kind = TDialogRequest::Color;
    r.color = int(m_color);
    if (DialogService()->Show(r) != mrOk)
        return false;
    m_color = TColor(r.color);
    return true;
}

TPrintDialog::TPrintDialog(TComponent *owner) : TComponent(owner) {}

bool TPrintDialog::Execute()
{
    TDialogRequest r;
    r.caption = m_title;
    r.printer = m_printer;
    r.printOptions = m_options;
    r.minPage = m_minPage;
    r.maxPage = m_maxPage;
    r.fromPage = m_fromPage;
    r.toPage = m_toPage;
    r.printRange = m_printRange;
    if (!ExecutePrintDialog(r))
        return false;
    m_printRange = r.printRange;
    m_fromPage = r.fromPage;
    m_toPage = r.toPage;
    m_fileName = r.fileName;
    return true;
}

} // namespace jxt
