// SPDX-License-Identifier: MIT
// "Dienste": the services, each with a live demonstration: a wave player with the preview of
// a sample sound, a finder filling a list with running counts (grouped by directory on
// request), a copy with its progress form and gauges, balloon hints, window placement kept
// in an INI file, and a printed document in its preview.
#include "GalleryPage.h"

#include "display/JXGauge.h"
#include "host/controls/Dialogs.h"
#include "host/controls/ExtCtrls.h"
#include "host/controls/Forms.h"
#include "host/controls/Menus.h"
#include "host/controls/StdCtrls.h"
#include "jxtpack/Config.h"
#include "services/JXApp.h"
#include "services/JXCopy.h"
#include "services/JXDirList.h"
#include "services/JXFind.h"
#include "services/JXHint.h"
#include "services/JXINI.h"
#if JXT_WITH_PRINTING
#    include "services/JXPrinter.h"
#endif
#if JXT_WITH_SOUND
#    include "services/JXWAV.h"
#endif

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <QtEndian>

#include <cmath>
#include <cstring>

#include <memory>

namespace jxt::gallery {

namespace {

QPushButton *AddButton(TGallerySection &section, const QString &text)
{
    auto *button = new QPushButton(text, &section);
    section.Form()->addRow(QString(), button);
    return button;
}

/// A folder for the page's files that lives as long as the page.
std::shared_ptr<QTemporaryDir> PageFolder()
{
    static std::weak_ptr<QTemporaryDir> shared;
    if (auto folder = shared.lock())
        return folder;
    auto folder = std::make_shared<QTemporaryDir>();
    shared = folder;
    return folder;
}

#if JXT_WITH_SOUND
/// Writes a sample sound: two seconds of a plucked chord, 16-bit mono at 22050 samples per
/// second, fading out.
QString WriteSampleSound(const QString &path)
{
    constexpr int rate = 22050;
    constexpr int frames = rate * 2;
    QByteArray data(frames * 2, '\0');
    for (int i = 0; i < frames; ++i) {
        const double t = double(i) / rate;
        const double v = std::exp(-2.5 * t) * (std::sin(2 * M_PI * 220 * t) * 0.5 +
                                               std::sin(2 * M_PI * 277.2 * t) * 0.3 +
                                               std::sin(2 * M_PI * 329.6 * t) * 0.2);
        qToLittleEndian<qint16>(qint16(v * 30000), data.data() + 2 * i);
    }
    QByteArray header(44, '\0');
    char *h = header.data();
    std::memcpy(h, "RIFFxxxxWAVEfmt ", 16);
    qToLittleEndian<quint32>(36 + quint32(data.size()), h + 4);
    qToLittleEndian<quint32>(16, h + 16);
    qToLittleEndian<quint16>(1, h + 20);
    qToLittleEndian<quint16>(1, h + 22);
    qToLittleEndian<quint32>(rate, h + 24);
    qToLittleEndian<quint32>(rate * 2, h + 28);
    qToLittleEndian<quint16>(2, h + 32);
    qToLittleEndian<quint16>(16, h + 34);
    std::memcpy(h + 36, "data", 4);
    qToLittleEndian<quint32>(quint32(data.size()), h + 40);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(header + data);
    return path;
}
#endif

} // namespace

#if JXT_WITH_SOUND
void AddWav(TGalleryPage &page)
{
    auto &section = *page.AddSection(
        QStringLiteral("TJXWAV"),
        QStringLiteral("Spielt Wave-Dateien einmal oder in Schleife, meldet Position und Länge "
                       "über den Status-Zeitgeber und das Ende über OnNotify, liest das Format "
                       "der Datei und zeichnet eine Vorschau der Samples. Ohne Audiogerät läuft "
                       "die Wiedergabe stumm im selben Takt."));
    auto folder = PageFolder();
    const QString sample = WriteSampleSound(folder->filePath(QStringLiteral("akkord.wav")));
    auto *wav = new TJXWAV(section.Stage());
    wav->SetBounds(0, 0, 320, 80);
    wav->Font()->SetColor(clSilver);
    section.Place(wav, 8, 8);
    auto *status = new TLabel(section.Stage());
    section.Place(status, 8, 96);
    auto showFormat = [wav, status] {
        status->SetCaption(QStringLiteral("Format %1, %2 Kanäle, %3 Hz, %4 Bytes, %5 s")
                               .arg(wav->FormatTag())
                               .arg(wav->Channels())
                               .arg(wav->SamplesPerSec())
                               .arg(wav->DataSize())
                               .arg(double(wav->PlayTime()), 0, 'f', 2));
    };
    auto setFile = [wav, status, showFormat](const QString &name) {
        try {
            wav->SetFileName(name);
            showFormat();
        } catch (const Exception &e) {
            status->SetCaption(e.Message());
        }
    };
    setFile(sample);
    auto *position = new TLabel(section.Stage());
    position->SetCaption(QStringLiteral("Position 0 / 0 ms"));
    section.Place(position, 8, 116);
    wav->OnShowStatus = [position](TObject *, int pos, int length) {
        position->SetCaption(QStringLiteral("Position %1 / %2 ms").arg(pos).arg(length));
    };
    wav->OnNotify = [position](TObject *, TMPNotifyValues value) {
        static const char *const names[] = {"nvSuccessful", "nvSuperseded", "nvAborted",
                                            "nvFailure"};
        position->SetCaption(position->Caption() + QStringLiteral(" — ") +
                             QLatin1String(names[int(value)]));
    };

    section.AddSpinBox(QStringLiteral("Width"), 40, 600, wav->Width(), [wav, &section](int v) {
        wav->SetWidth(v);
        section.FitStage();
    });
    section.AddSpinBox(QStringLiteral("Interval"), 0, 1000, wav->Interval(),
                       [wav](int v) { wav->SetInterval(v); });
    section.AddCheckBox(QStringLiteral("Silence"), wav->Silence(),
                        [wav](bool on) { wav->SetSilence(on); });
    section.AddColorCycle(QStringLiteral("Color"), {clBlack, clNavy, clGray, clWhite}, wav->Color(),
                          [wav](TColor c) { wav->SetColor(c); });
    QObject::connect(
        AddButton(section, QStringLiteral("Datei wählen …")), &QPushButton::clicked, status,
        [wav, setFile] {
            QString name = wav->FileName();
            if (PromptForFileName(name,
                                  QStringLiteral("Wave Dateien (*.wav)|*.WAV|All files (*.*)|*.*"),
                                  QFileInfo(name).path(), QString(), false))
                setFile(name);
        });
    QObject::connect(AddButton(section, QStringLiteral("Play")), &QPushButton::clicked, status,
                     [wav] { wav->Play(); });
    QObject::connect(AddButton(section, QStringLiteral("CloseMedia")), &QPushButton::clicked,
                     status, [wav] { wav->CloseMedia(); });
    QObject::connect(AddButton(section, QStringLiteral("StartLoop")), &QPushButton::clicked, status,
                     [wav] { wav->StartLoop(wav->FileName()); });
    QObject::connect(AddButton(section, QStringLiteral("StopWav")), &QPushButton::clicked, status,
                     [wav] { wav->StopWav(); });
    QObject::connect(AddButton(section, QStringLiteral("Beep")), &QPushButton::clicked, status,
                     [wav] { wav->Beep(); });
    QObject::connect(status, &QObject::destroyed, [folder] {});
}
#endif

void AddApp(TGalleryPage &page)
{
    auto &section = *page.AddSection(
        QStringLiteral("TJXApp"),
        QStringLiteral("Titel, Hilfedatei und Symbol der Anwendung, ihre Ereignisse, ein Symbol "
                       "im Infobereich mit Tipp und Menü (die Anwendung verschwindet, bis man "
                       "darauf klickt, wo der Desktop einen Infobereich hat), jede Änderung der "
                       "Zwischenablage und die Versionsinformationen. Links das Symbol, das die "
                       "Komponente im Designer zeigt."));
    // The designer's picture of the component, from a copy in the designing state.
    auto *designOwner = new TForm();
    designOwner->SetDesigning(true);
    auto *symbol = new TJXApp(designOwner);
    section.Place(symbol, 8, 8);

    auto *owner = new TForm();
    auto *app = new TJXApp(owner);
    auto *menu = new TPopupMenu(owner);
    const auto addItem = [owner, menu](const QString &caption, std::function<void()> action) {
        auto *item = new TMenuItem(owner);
        item->SetCaption(caption);
        item->OnClick = [action](TObject *) { action(); };
        menu->Items()->Add(item);
    };
    addItem(QStringLiteral("Anwendung zeigen"), [app] { app->TaskBarRemoveIcon(); });
    addItem(QStringLiteral("Versionsinformationen"), [app] { app->ShowAppInfo(); });
    app->SetTaskBarPopupMenu(menu);
    app->SetTaskBarTip(QStringLiteral("jxtpack-Galerie"));

    auto *log = new QPlainTextEdit(&section);
    log->setReadOnly(true);
    log->setFixedHeight(90);
    const auto note = [log](const QString &text) { log->appendPlainText(text); };
    app->OnClipBoardChange = [note](TObject *) { note(QStringLiteral("Zwischenablage geändert")); };
    app->OnActivate = [note](TObject *) { note(QStringLiteral("Anwendung aktiv")); };
    app->OnDeactivate = [note](TObject *) { note(QStringLiteral("Anwendung inaktiv")); };
    app->OnTaskBarSetIcon = [note](TObject *) { note(QStringLiteral("Symbol gezeigt")); };
    app->OnTaskBarRemoveIcon = [note](TObject *) { note(QStringLiteral("Symbol entfernt")); };
    app->OnTaskBarMouseUp = [note](TObject *, TMouseButton button) {
        note(button == mbLeft ? QStringLiteral("Linksklick auf das Symbol")
                              : QStringLiteral("Rechtsklick auf das Symbol"));
    };
    jxt::Loaded(owner);
    note(QSystemTrayIcon::isSystemTrayAvailable()
             ? QStringLiteral("Der Desktop hat einen Infobereich.")
             : QStringLiteral("Der Desktop hat keinen Infobereich: das Symbol bleibt unsichtbar."));

    section.AddLineEdit(QStringLiteral("Title"), app->Title(),
                        [app](const QString &text) { app->SetTitle(text); });
    section.AddLineEdit(QStringLiteral("TaskBarTip"), app->TaskBarTip(),
                        [app](const QString &text) { app->SetTaskBarTip(text); });
    section.AddCheckBox(QStringLiteral("TaskBarAutoHide"), app->TaskBarAutoHide(),
                        [app](bool on) { app->SetTaskBarAutoHide(on); });
    section.AddCheckBox(QStringLiteral("TaskBarAutoRemove"), app->TaskBarAutoRemove(),
                        [app](bool on) { app->SetTaskBarAutoRemove(on); });
    QObject::connect(AddButton(section, QStringLiteral("TaskBarSetIcon")), &QPushButton::clicked,
                     log, [app] { app->TaskBarSetIcon(); });
    QObject::connect(AddButton(section, QStringLiteral("TaskBarRemoveIcon")), &QPushButton::clicked,
                     log, [app] { app->TaskBarRemoveIcon(); });
    QObject::connect(AddButton(section, QStringLiteral("ShowAppInfo")), &QPushButton::clicked, log,
                     [app] { app->ShowAppInfo(); });
    section.Form()->addRow(QStringLiteral("Ereignisse"), log);
    QObject::connect(log, &QObject::destroyed, [owner, designOwner] {
        owner->Free();
        designOwner->Free();
    });
}

void AddFind(TGalleryPage &page)
{
    auto &section = *page.AddSection(
        QStringLiteral("TJXFind und TJXDirList"),
        QStringLiteral("Durchsucht einen Verzeichnisbaum nach einer Musterliste "
                       "(\"*.H;*.CPP\") und meldet jeden Fund mit laufenden Zählern; "
                       "Abbrechen beendet die Suche. TJXDirList gruppiert die Funde nach "
                       "Verzeichnissen."));
    auto *find = new TJXFind(section.Stage());
    auto *dirList = new TJXDirList(section.Stage());
    find->SetSubdirs(true);
    find->SetFilePattern(QStringLiteral("*.H;*.CPP"));
    find->SetStartPath(QDir::currentPath());

    auto *counts = new TLabel(section.Stage());
    counts->SetCaption(QStringLiteral("0 Verzeichnisse, 0 Dateien"));
    section.Place(counts, 8, 8);
    auto *results = new QPlainTextEdit(&section);
    results->setReadOnly(true);
    results->setFixedHeight(140);

    section.AddLineEdit(QStringLiteral("StartPath"), find->StartPath(),
                        [find](const QString &text) { find->SetStartPath(text); });
    section.AddLineEdit(QStringLiteral("FilePattern"), find->FilePattern(),
                        [find](const QString &text) { find->SetFilePattern(text); });
    section.AddCheckBox(QStringLiteral("Subdirs"), find->Subdirs(),
                        [find](bool on) { find->SetSubdirs(on); });
    section.Form()->addRow(QStringLiteral("Funde"), results);

    find->OnChange = [counts](TObject *, const QString &, int dirs, int files) {
        counts->SetCaption(QStringLiteral("%1 Verzeichnisse, %2 Dateien").arg(dirs).arg(files));
    };
    find->OnFindFile = [results, dirList](TObject *, TSearchRec &rec, const QString &path,
                                          const QString &) {
        results->appendPlainText(path + rec.Name);
        dirList->FileList()->Add(path + rec.Name);
    };
    QObject::connect(AddButton(section, QStringLiteral("Suchen")), &QPushButton::clicked, results,
                     [find, results, dirList] {
                         results->clear();
                         dirList->FileList()->Clear();
                         find->Execute();
                     });
    QObject::connect(AddButton(section, QStringLiteral("Abbrechen")), &QPushButton::clicked,
                     results, [find] { find->BreakScan(); });
    QObject::connect(AddButton(section, QStringLiteral("Nach Verzeichnissen gruppieren")),
                     &QPushButton::clicked, results, [results, dirList] {
                         dirList->Update();
                         results->clear();
                         for (int i = 0; i < dirList->DirList()->Count(); ++i)
                             results->appendPlainText(QStringLiteral("%1: %2").arg(
                                 dirList->DirList()->Get(i), dirList->GetFiles(i)->CommaText()));
                     });
}

void AddCopy(TGalleryPage &page)
{
    auto &section = *page.AddSection(
        QStringLiteral("TJXCopy"),
        QStringLiteral("Kopiert eine Datei oder alle Dateien eines Musters blockweise, fragt "
                       "auf Deutsch nach, zeigt den Fortschritt in zwei Anzeigen und im "
                       "Fortschrittsfenster, das den Vorgang abbrechen kann. Ein Abbruch "
                       "hinterlässt kein halbes Ziel."));
    auto folder = PageFolder();
    auto *copy = new TJXCopy(section.Stage());
    auto *runGauge = new TJXGauge(section.Stage());
    runGauge->SetBounds(0, 0, 300, 22);
    runGauge->SetBoxes(20);
    section.Place(runGauge, 8, 8);
    auto *fileGauge = new TJXGauge(section.Stage());
    fileGauge->SetBounds(0, 0, 300, 22);
    fileGauge->SetBoxes(20);
    fileGauge->SetBoxColor(clPurple);
    section.Place(fileGauge, 8, 36);
    copy->SetCopyProgressGauge(runGauge);
    copy->SetFileProgressGauge(fileGauge);
    copy->SetShowCopyDialog(true);
    copy->SetProcessMessages(true);
    copy->SetOverWrite(true);
    copy->SetBufferSize(16384);

    auto *status = new TLabel(section.Stage());
    status->SetCaption(QStringLiteral("bereit"));
    section.Place(status, 8, 64);

    section.AddSpinBox(QStringLiteral("BufferSize"), 1024, 16384, copy->BufferSize(),
                       [copy](int v) { copy->SetBufferSize(v); });
    section.AddCheckBox(QStringLiteral("ShowCopyDialog"), copy->ShowCopyDialog(),
                        [copy](bool on) { copy->SetShowCopyDialog(on); });
    section.AddCheckBox(QStringLiteral("OverWriteMsg"), copy->OverWriteMsg(),
                        [copy](bool on) { copy->SetOverWriteMsg(on); });
    QObject::connect(
        AddButton(section, QStringLiteral("Vier Dateien zu 16 MiB kopieren")),
        &QPushButton::clicked, status, [copy, status, folder] {
            QDir(folder->path()).mkpath(QStringLiteral("quelle"));
            for (int i = 1; i <= 4; ++i) {
                QFile file(folder->filePath(QStringLiteral("quelle/daten%1.bin").arg(i)));
                if (file.exists() || !file.open(QIODevice::WriteOnly))
                    continue;
                const QByteArray block(1 << 20, char('0' + i));
                for (int j = 0; j < 16; ++j)
                    file.write(block);
            }
            copy->SetSource(folder->filePath(QStringLiteral("quelle/*.bin")));
            copy->SetDest(folder->filePath(QStringLiteral("ziel/")));
            status->SetCaption(QStringLiteral("kopiert ..."));
            const bool done = copy->Copy();
            status->SetCaption(done ? QStringLiteral("fertig") : QStringLiteral("abgebrochen"));
        });
}

void AddHint(TGalleryPage &page)
{
    auto &section = *page.AddSection(
        QStringLiteral("TJXHint"),
        QStringLiteral("Ersetzt die Hinweise der Anwendung durch Sprechblasen mit Schatten und "
                       "einem Schwanz zum Mauszeiger; am Bildschirmrand klappt die Blase in "
                       "eine andere Ecke. Fahren Sie mit der Maus über die Felder."));
    // Active from the start: every hint of the gallery shows as a balloon.
    auto *hint = new TJXHint(section.Stage());
    int left = 8;
    for (const QString &text :
         {QStringLiteral("Ein kurzer Hinweis"), QStringLiteral("Zwei Zeilen:^Mdie zweite hier"),
          QStringLiteral("Ein langer Hinweis, der an der Breite "
                         "DefaultWidth umbrochen und zentriert wird.")}) {
        auto *panel = new TPanel(section.Stage());
        panel->SetBounds(0, 0, 120, 40);
        panel->SetCaption(QStringLiteral("Hinweis %1").arg(left / 130 + 1));
        panel->SetHint(text);
        panel->SetShowHint(true);
        section.Place(panel, left, 8);
        left += 130;
    }
    section.AddCheckBox(QStringLiteral("Active"), hint->Active(),
                        [hint](bool on) { hint->SetActive(on); });
    section.AddChoice(QStringLiteral("HintPosition"),
                      {QStringLiteral("hpAboveLeft"), QStringLiteral("hpAboveRight"),
                       QStringLiteral("hpBelowLeft"), QStringLiteral("hpBelowRight")},
                      int(hint->HintPosition()),
                      [hint](int i) { hint->SetHintPosition(THintPosition(i)); });
    section.AddColorCycle(QStringLiteral("Color"), {clYellow, clAqua, clLime, clWhite},
                          hint->Color(), [hint](TColor c) { hint->SetColor(c); });
    section.AddSpinBox(QStringLiteral("DefaultWidth"), 40, 400, hint->DefaultWidth(),
                       [hint](int v) { hint->SetDefaultWidth(v); });
    section.AddSpinBox(QStringLiteral("ShadowDepth"), 0, 30, hint->ShadowDepth(),
                       [hint](int v) { hint->SetShadowDepth(v); });
    section.AddSpinBox(QStringLiteral("HintPause"), 0, 3000, hint->HintPause(),
                       [hint](int v) { hint->SetHintPause(v); });
}

void AddINI(TGalleryPage &page)
{
    auto &section = *page.AddSection(
        QStringLiteral("TJXINI"),
        QStringLiteral("Speichert Lage, Größe und Zustand eines Fensters in einer INI-Datei und "
                       "stellt sie wieder her; dazu Werte, Abschnitte, Listen und Schriften."));
    auto folder = PageFolder();
    auto *form = new TForm();
    form->SetCaption(QStringLiteral("Fenster mit TJXINI"));
    form->SetBounds(120, 120, 320, 160);
    auto *ini = new TJXINI(form);
    ini->SetName(QStringLiteral("Demo"));
    ini->SetINIFileName(folder->filePath(QStringLiteral("fenster.ini")));
    ini->SetSaveWinPos(swpSizePosition);
    auto *contents = new QPlainTextEdit(&section);
    contents->setReadOnly(true);
    contents->setFixedHeight(110);
    const auto show = [ini, contents] {
        QFile file(ini->ININame());
        contents->setPlainText(file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll())
                                                              : QStringLiteral("(keine Datei)"));
    };
    show();
    section.AddChoice(QStringLiteral("SaveWinPos"),
                      {QStringLiteral("swpNone"), QStringLiteral("swpPosition"),
                       QStringLiteral("swpSizePosition")},
                      int(ini->SaveWinPos()),
                      [ini](int i) { ini->SetSaveWinPos(TWinPosStyle(i)); });
    section.AddCheckBox(QStringLiteral("SaveLastRes"), ini->SaveLastRes(),
                        [ini](bool on) { ini->SetSaveLastRes(on); });
    QObject::connect(AddButton(section, QStringLiteral("Fenster zeigen")), &QPushButton::clicked,
                     contents, [form] { form->Show(); });
    QObject::connect(AddButton(section, QStringLiteral("WriteINI")), &QPushButton::clicked,
                     contents, [ini, show] {
                         ini->WriteINI();
                         show();
                     });
    QObject::connect(AddButton(section, QStringLiteral("ReadINI")), &QPushButton::clicked, contents,
                     [ini] { ini->ReadINI(); });
    section.Form()->addRow(QStringLiteral("INI-Datei"), contents);
    QObject::connect(contents, &QObject::destroyed, [form] { form->Free(); });
}

#if JXT_WITH_PRINTING
namespace {

/// A short document: a title, a raster, shapes, a text block that runs over to the next
/// page, and header and footer lines with the page number.
void DrawSampleDocument(TJXPrinter *printer)
{
    printer->Font()->SetName(QStringLiteral("Arial"));
    printer->Font()->SetSize(40);
    printer->TextCenter(QStringLiteral("Druckvorschau mit TJXPrinter"), printer->TopBand() + 40);
    printer->PrintRaster(clSilver, psDot);
    printer->Pen()->SetWidth(5);
    printer->Pen()->SetColor(clNavy);
    printer->Brush()->SetColor(clYellow);
    printer->Rectangle(200, 400, 900, 900);
    printer->Brush()->SetColor(clAqua);
    printer->Ellipse(1100, 400, 1800, 900);
    // A white box for the text, which is drawn on the brush selected last.
    printer->Brush()->SetColor(clWhite);
    printer->Pen()->SetWidth(1);
    printer->Rectangle(150, 1050, printer->PageWidth() - 150,
                       printer->PageHeight() - printer->BottomBand() - 50);
    printer->Font()->SetSize(24);
    TStringList lines;
    for (int i = 1; i <= 90; ++i)
        lines.Add(
            QStringLiteral("Zeile %1: Maße in Zehntelmillimetern, Ursprung oben links.").arg(i));
    printer->MoveTo(200, 1100);
    printer->PrintStrings(&lines, printer->TopBand() + 100, printer->BottomBand() + 100);
}

} // namespace

void AddPrinter(TGalleryPage &page)
{
    auto &section = *page.AddSection(
        QStringLiteral("TJXPrinter"),
        QStringLiteral("Zeichnet ein Dokument Seite für Seite in Zehntelmillimetern mit Kopf- und "
                       "Fußzeile (\"%Seite\" wird zur Seitenzahl) und zeigt es in der "
                       "Druckvorschau, aus der ein Seitenbereich gedruckt wird: auf einen Drucker "
                       "oder, wo keiner eingerichtet ist, in eine PDF-Datei."));
    auto *printer = new TJXPrinter(section.Stage());
    printer->SetTopCaption(QStringLiteral("jxtpack Galerie - Seite %Seite"));
    printer->SetBottomCaption(QStringLiteral("- %Seite -"));
    printer->TopFont()->SetSize(28);
    printer->BottomFont()->SetSize(24);
    printer->OnPrint = [printer](TObject *) { DrawSampleDocument(printer); };

    // The preview of the document, live on the page.
    printer->NewDoc();
    DrawSampleDocument(printer);
    printer->ClosePage();
    auto *preview = new TfrmPrint(printer);
    preview->SetBounds(0, 0, 651, 480);
    section.Place(preview, 0, 0);
    preview->show();
    preview->btnZoomFullClick();

    const QStringList alignments = {QStringLiteral("taLeftJustify"),
                                    QStringLiteral("taRightJustify"), QStringLiteral("taCenter")};
    section.AddLineEdit(QStringLiteral("TopCaption"), printer->TopCaption(),
                        [printer](const QString &text) { printer->SetTopCaption(text); });
    section.AddChoice(QStringLiteral("TopAlignment"), alignments, int(printer->TopAlignment()),
                      [printer](int i) { printer->SetTopAlignment(TAlignment(i)); });
    section.AddLineEdit(QStringLiteral("BottomCaption"), printer->BottomCaption(),
                        [printer](const QString &text) { printer->SetBottomCaption(text); });
    section.AddChoice(QStringLiteral("BottomAlignment"), alignments,
                      int(printer->BottomAlignment()),
                      [printer](int i) { printer->SetBottomAlignment(TAlignment(i)); });
    section.AddChoice(QStringLiteral("Orientation"),
                      {QStringLiteral("jxpoPortrait"), QStringLiteral("jxpoLandscape")},
                      int(printer->Orientation()), [printer](int i) {
                          printer->SetOrientation(TJXPrinter::TJXPrinterOrientation(i));
                      });
    QObject::connect(AddButton(section, QStringLiteral("Neu aufbauen")), &QPushButton::clicked,
                     preview, [printer, preview] {
                         printer->NewDoc();
                         DrawSampleDocument(printer);
                         printer->ClosePage();
                         preview->FormCreate();
                         preview->FormResize();
                     });
    QObject::connect(AddButton(section, QStringLiteral("Execute (Vorschau als Dialog)")),
                     &QPushButton::clicked, preview, [printer, preview] {
                         printer->Execute();
                         preview->FormCreate();
                         preview->FormResize();
                     });
}
#endif

void BuildServicesPage(TGalleryPage &page)
{
#if JXT_WITH_SOUND
    AddWav(page);
#endif
    AddApp(page);
    AddCopy(page);
    AddFind(page);
    AddHint(page);
    AddINI(page);
#if JXT_WITH_PRINTING
    AddPrinter(page);
#endif
}

} // namespace jxt::gallery
