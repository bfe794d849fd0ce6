// SPDX-License-Identifier: MIT
// The animation editor.
#include "editors/JXAnimPropertyForm.h"

#include "controls/JXPicBox.h"
#include "host/controls/Buttons.h"
#include "host/controls/Dialogs.h"
#include "host/controls/ExtCtrls.h"
#include "host/controls/FileCtrl.h"
#include "host/controls/Grids.h"
#include "host/controls/Menus.h"
#include "host/controls/StdCtrls.h"
#include "host/designer/DesignRegistry.h"
#include "host/files/IniFiles.h"
#include "platform/Paths.h"
#include "util/JxutilGraphics.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <memory>

namespace jxt {

namespace {

const QString kSection = QStringLiteral("JXTools");
const QString kAnimDirKey = QStringLiteral("AnimDir");
const QString kBitmapMask = QStringLiteral("*.BMP");
/// Most columns and rows the scroll bars offer.
constexpr int kMaxDivision = 100;

const char *const kHelpText = QT_TRANSLATE_NOOP(
    "jxtpack",
    "Animations-Editor\n\n"
    "Die Animationsbitmap wird mit den Schiebern Cols und Rows in Spalten und Reihen von "
    "Einzelbildern geteilt. Ein Bild aus der Dateiliste oder den Vorschaubildern, auf das "
    "Raster gezogen, ersetzt das gewählte Einzelbild; ein Doppelklick auf ein Bild ersetzt "
    "die ganze Animation. Die rechte Maustaste öffnet das Menü des Rasters und das Menü der "
    "Bilderlisten.");

/// The directory with the separators at its end removed (a root keeps its own).
QString WithoutTrailingSeparator(QString dir)
{
    while (dir.size() > 1 && platform::IsPathDelimiter(dir.back()) &&
           !(dir.size() == 3 && dir.at(1) == QLatin1Char(':')))
        dir.chop(1);
    return dir;
}

TLabel *MakeLabel(TComponent *owner, TWinControl *parent, const char *name, const QString &text,
                  int left, int top)
{
    auto *label = new TLabel(owner);
    label->SetName(QString::fromLatin1(name));
    label->SetParent(parent);
    label->SetBounds(left, top, 0, 0);
    label->SetCaption(text);
    return label;
}

TPanel *MakePanel(TComponent *owner, TWinControl *parent, const char *name, int left, int top,
                  int width, int height)
{
    auto *panel = new TPanel(owner);
    panel->SetName(QString::fromLatin1(name));
    panel->SetParent(parent);
    panel->SetBounds(left, top, width, height);
    panel->SetCaption(QString());
    return panel;
}

/// A lowered panel that shows a number.
TPanel *MakeValuePanel(TComponent *owner, TWinControl *parent, const char *name, int left, int top,
                       int width)
{
    TPanel *panel = MakePanel(owner, parent, name, left, top, width, 21);
    panel->SetBevelOuter(bvLowered);
    panel->SetCaption(QStringLiteral("0"));
    return panel;
}

TMenuItem *MakeItem(TComponent *owner, TPopupMenu *menu, const char *name, const QString &caption)
{
    auto *item = new TMenuItem(owner);
    if (name)
        item->SetName(QString::fromLatin1(name));
    item->SetCaption(caption);
    menu->Items()->Add(item);
    return item;
}

} // namespace

TfrmAnimEd::TfrmAnimEd(TComponent *owner) : TForm(owner)
{
    SetName(QStringLiteral("frmAnimEd"));
    SetCaption(
        QCoreApplication::translate("jxtpack", "TJXAnimate Animations-Editor Stand 31.03.1997"));
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    SetClientWidth(582);
    SetClientHeight(413);
    Font()->SetName(QStringLiteral("System"));
    Font()->SetHeight(-13);
    CreateMenus();
    CreateControls();
    OnActivate = [this](TObject *) { FormActivate(); };
    OnPaint = [this](TObject *) { FormPaint(); };
}

TfrmAnimEd::~TfrmAnimEd() = default;

void TfrmAnimEd::CreateMenus()
{
    popDrawGrid = new TPopupMenu(this);
    popDrawGrid->SetName(QStringLiteral("popDrawGrid"));
    ColPlus1 = MakeItem(this, popDrawGrid, "ColPlus1", QStringLiteral("Col +"));
    ColMinus1 = MakeItem(this, popDrawGrid, "ColMinus1", QStringLiteral("Col -"));
    RowPlus1 = MakeItem(this, popDrawGrid, "RowPlus1", QStringLiteral("Row +"));
    RowMinus1 = MakeItem(this, popDrawGrid, "RowMinus1", QStringLiteral("Row -"));
    MakeItem(this, popDrawGrid, "N1", QStringLiteral("-"));
    AlleBilderLoeschen1 = MakeItem(this, popDrawGrid, "AlleBilderLoeschen1",
                                   QCoreApplication::translate("jxtpack", "Alle Bilder löschen"));
    MakeItem(this, popDrawGrid, "N2", QStringLiteral("-"));
    Farbuebersetzung1 = MakeItem(this, popDrawGrid, "Farbuebersetzung1",
                                 QCoreApplication::translate("jxtpack", "Farbübersetzung"));
    MakeItem(this, popDrawGrid, "N3", QStringLiteral("-"));
    AnimationSpeichernUnter1 =
        MakeItem(this, popDrawGrid, "AnimationSpeichernUnter1",
                 QCoreApplication::translate("jxtpack", "Animation speichern unter..."));
    ColPlus1->OnClick = [this](TObject *) { ColPlus1Click(); };
    ColMinus1->OnClick = [this](TObject *) { ColMinus1Click(); };
    RowPlus1->OnClick = [this](TObject *) { RowPlus1Click(); };
    RowMinus1->OnClick = [this](TObject *) { RowMinus1Click(); };
    AlleBilderLoeschen1->OnClick = [this](TObject *) { AlleBilderLoeschen1Click(); };
    Farbuebersetzung1->OnClick = [this](TObject *) { Farbuebersetzung1Click(); };
    AnimationSpeichernUnter1->OnClick = [this](TObject *) { AnimationSpeichernUnter1Click(); };

    popPicBox = new TPopupMenu(this);
    popPicBox->SetName(QStringLiteral("popPicBox"));
    VerzeichnisWaehlen1 = MakeItem(this, popPicBox, "VerzeichnisWaehlen1",
                                   QCoreApplication::translate("jxtpack", "Verzeichnis wählen"));
    Vorschaubilder1 = MakeItem(this, popPicBox, "Vorschaubilder1",
                               QCoreApplication::translate("jxtpack", "Vorschaubilder"));
    VerzeichnisWaehlen1->OnClick = [this](TObject *) { VerzeichnisWaehlen1Click(); };
    Vorschaubilder1->OnClick = [this](TObject *) { Vorschaubilder1Click(); };

    OpenDialog1 = new TOpenDialog(this);
    OpenDialog1->SetName(QStringLiteral("OpenDialog1"));
    OpenDialog1->SetFilter(QCoreApplication::translate("jxtpack", "Bitmap|*.BMP|Alle Dateien|*.*"));
    OpenDialog1->SetDefaultExt(QStringLiteral("BMP"));
    SaveDialog1 = new TSaveDialog(this);
    SaveDialog1->SetName(QStringLiteral("SaveDialog1"));
    SaveDialog1->SetFilter(QCoreApplication::translate("jxtpack", "Bitmap|*.BMP|Alle Dateien|*.*"));
    SaveDialog1->SetDefaultExt(QStringLiteral("BMP"));
    ColorDialog1 = new TColorDialog(this);
    ColorDialog1->SetName(QStringLiteral("ColorDialog1"));
}

void TfrmAnimEd::CreateControls()
{
    Image = new TImage(this);
    Image->SetName(QStringLiteral("Image"));
    Image->SetParent(this);
    Image->SetBounds(312, 8, 8, 8);
    Image->SetVisible(false);

    // The form's background pattern.
    imgFill = new TImage(this);
    imgFill->SetName(QStringLiteral("imgFill"));
    imgFill->SetParent(this);
    imgFill->SetBounds(0, 0, 8, 8);
    imgFill->SetVisible(false);
    try {
        imgFill->Picture()->Bitmap()->LoadFromResourceName(QStringLiteral("JXLGRAY"));
    } catch (const Exception &) {
    }

    Panel1 = MakePanel(this, this, "Panel1", 8, 8, 297, 265);
    Panel1->SetBevelOuter(bvLowered);
    Panel1->SetBorderWidth(5);
    DrawGrid = new TDrawGrid(this);
    DrawGrid->SetName(QStringLiteral("DrawGrid"));
    DrawGrid->SetParent(Panel1);
    DrawGrid->SetAlign(alClient);
    DrawGrid->SetColor(clWhite);
    DrawGrid->SetBorderStyle(bsNone);
    DrawGrid->SetFixedCols(0);
    DrawGrid->SetFixedRows(0);
    DrawGrid->SetDefaultColWidth(50);
    DrawGrid->SetDefaultRowHeight(50);
    DrawGrid->SetGridLineWidth(5);
    DrawGrid->SetDefaultDrawing(false);
    DrawGrid->SetColCount(1);
    DrawGrid->SetRowCount(1);
    DrawGrid->SetPopupMenu(popDrawGrid);
    DrawGrid->SetHint(QCoreApplication::translate(
        "jxtpack", "Rechte Maustaste für Popupmenü|Rechte Maustaste für Popupmenü"));
    DrawGrid->SetShowHint(true);
    DrawGrid->OnDrawCell = [this](TObject *, int col, int row, const TRect &rect,
                                  TGridDrawState state) {
        DrawGridDrawCell(col, row, rect, state.Contains(gdSelected) || state.Contains(gdFocused));
    };
    DrawGrid->OnDragOver = [this](TObject *, TObject *source, int, int, TDragState, bool &accept) {
        accept = DrawGridDragOver(source);
    };

    Panel2 = MakePanel(this, this, "Panel2", 320, 200, 249, 137);
    Label1 = MakeLabel(this, Panel2, "Label1",
                       QCoreApplication::translate("jxtpack", "Animationsabschnitt-Daten :"), 8, 6);
    Label2 = MakeLabel(this, Panel2, "Label2", QStringLiteral("Cols"), 8, 30);
    Label3 = MakeLabel(this, Panel2, "Label3", QStringLiteral("Rows"), 8, 56);
    Label4 = MakeLabel(this, Panel2, "Label4", QStringLiteral("PicWidth"), 8, 84);
    Label5 = MakeLabel(this, Panel2, "Label5", QStringLiteral("PicHeight"), 8, 110);
    const auto scrollBar = [this](const char *name, int top, const QString &hint) {
        auto *bar = new TScrollBar(this);
        bar->SetName(QString::fromLatin1(name));
        bar->SetParent(Panel2);
        bar->SetBounds(56, top, 136, 17);
        bar->SetParams(1, 1, kMaxDivision);
        bar->SetHint(hint);
        bar->SetShowHint(true);
        return bar;
    };
    hsbCols = scrollBar(
        "hsbCols", 30,
        QCoreApplication::translate("jxtpack", "Aufteilung der Bitmap in Spalten ändern"));
    hsbRows =
        scrollBar("hsbRows", 56,
                  QCoreApplication::translate("jxtpack", "Aufteilung der Bitmap in Reihen ändern"));
    hsbCols->OnChange = [this](TObject *) { hsbColsChange(); };
    hsbRows->OnChange = [this](TObject *) { hsbRowsChange(); };
    panCols = MakeValuePanel(this, Panel2, "panCols", 198, 28, 43);
    panRows = MakeValuePanel(this, Panel2, "panRows", 198, 54, 43);
    panCols->SetCaption(QStringLiteral("1"));
    panRows->SetCaption(QStringLiteral("1"));
    panPicWidth = MakeValuePanel(this, Panel2, "panPicWidth", 80, 80, 60);
    panPicHeight = MakeValuePanel(this, Panel2, "panPicHeight", 80, 106, 60);

    Panel3 = MakePanel(this, this, "Panel3", 8, 288, 297, 113);
    Label6 = MakeLabel(this, Panel3, "Label6",
                       QCoreApplication::translate("jxtpack", "Animationsbitmap-Daten :"), 8, 6);
    Label7 = MakeLabel(this, Panel3, "Label7", QStringLiteral("Width"), 8, 34);
    Label8 = MakeLabel(this, Panel3, "Label8", QStringLiteral("Height"), 8, 62);
    panWidth = MakeValuePanel(this, Panel3, "panWidth", 64, 30, 60);
    panHeight = MakeValuePanel(this, Panel3, "panHeight", 64, 58, 60);
    panHGColor = MakePanel(this, Panel3, "panHGColor", 140, 28, 145, 25);
    panHGColor->SetCaption(QCoreApplication::translate("jxtpack", "Hintergrund"));
    panHGColor->SetColor(clWhite);
    panTransColor = MakePanel(this, Panel3, "panTransColor", 140, 60, 145, 25);
    panTransColor->SetCaption(QCoreApplication::translate("jxtpack", "Transparent"));
    panTransColor->SetColor(clFuchsia);
    panHGColor->OnClick = [this](TObject *) { panHGColorClick(); };
    panTransColor->OnClick = [this](TObject *) { panTransColorClick(); };

    // The two lists of pictures share a place; the menu switches between them.
    panPicBox = MakePanel(this, this, "panPicBox", 320, 8, 249, 177);
    panPicBox->SetVisible(false);
    panPicBox->SetPopupMenu(popPicBox);
    JXPicBox1 = new TJXPicBox(this);
    JXPicBox1->SetName(QStringLiteral("JXPicBox1"));
    JXPicBox1->SetParent(panPicBox);
    JXPicBox1->SetAlign(alClient);
    JXPicBox1->SetPicType({ptBMP, ptICO});
    JXPicBox1->SetPicWidth(40);
    JXPicBox1->SetPicHeight(40);
    JXPicBox1->SetColumns(3);
    JXPicBox1->SetRows(2);
    JXPicBox1->SetDragMode(dmAutomatic);
    JXPicBox1->SetPopupMenu(popPicBox);
    JXPicBox1->OnEndDrag = [this](TObject *, TObject *target, int, int) {
        JXPicBox1EndDrag(target);
    };
    JXPicBox1->OnDblClick = [this](TObject *) { JXPicBox1DblClick(); };

    panDir = MakePanel(this, this, "panDir", 320, 8, 249, 177);
    panDir->SetPopupMenu(popPicBox);
    FileListBox1 = new TFileListBox(this);
    FileListBox1->SetName(QStringLiteral("FileListBox1"));
    FileListBox1->SetParent(panDir);
    FileListBox1->SetAlign(alClient);
    FileListBox1->SetMask(kBitmapMask);
    FileListBox1->SetShowGlyphs(true);
    FileListBox1->SetDragMode(dmAutomatic);
    FileListBox1->SetPopupMenu(popPicBox);
    FileListBox1->OnEndDrag = [this](TObject *, TObject *target, int, int) {
        FileListBox1EndDrag(target);
    };
    FileListBox1->OnDblClick = [this](TObject *) { FileListBox1DblClick(); };

    Panel4 = MakePanel(this, this, "Panel4", 320, 352, 249, 49);
    const auto button = [this](const char *name, int left, TBitBtnKind kind, const QString &text) {
        auto *b = new TBitBtn(this);
        b->SetName(QString::fromLatin1(name));
        b->SetParent(Panel4);
        b->SetKind(kind);
        b->SetCaption(text);
        b->SetBounds(left, 12, 75, 25);
        return b;
    };
    BitBtn1 = button("BitBtn1", 8, bkOK, QCoreApplication::translate("jxtpack", "&OK"));
    BitBtn2 = button("BitBtn2", 87, bkCancel, QCoreApplication::translate("jxtpack", "&Abbruch"));
    BitBtn3 = button("BitBtn3", 166, bkHelp, QCoreApplication::translate("jxtpack", "&Hilfe"));
    BitBtn3->OnClick = [this](TObject *) { BitBtn3Click(); };
}

TBitmap *TfrmAnimEd::Bitmap() const
{
    return Image->Picture()->Bitmap();
}

TRect TfrmAnimEd::FrameRect(int col, int row) const
{
    const TBitmap *b = Bitmap();
    const int w = b->Width() / DrawGrid->ColCount();
    const int h = b->Height() / DrawGrid->RowCount();
    return Bounds(col * b->Width() / DrawGrid->ColCount(), row * b->Height() / DrawGrid->RowCount(),
                  w, h);
}

QString TfrmAnimEd::DefaultAnimDir()
{
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    return !pictures.isEmpty() && QFileInfo(pictures).isDir() ? pictures : QDir::homePath();
}

bool TfrmAnimEd::Confirm(const QString &text) const
{
    return MessageDlg(text, mtConfirmation, {mbYes, mbNo}) == mrYes;
}

bool TfrmAnimEd::ReadPicture(const QString &fileName, TBitmap &bitmap)
{
    const std::unique_ptr<TBitmap> picture(jxtGetBitmapFromFile(fileName, 0));
    if (!picture || picture->Empty())
        return false;
    bitmap.Assign(picture.get());
    return true;
}

void TfrmAnimEd::FormActivate()
{
    QString dir = DefaultAnimDir();
    try {
        const TIniFile ini(DesignerSettingsFileName());
        dir = ini.ReadString(kSection, kAnimDirKey, dir);
    } catch (const Exception &) {
        // An unreadable settings file leaves the default.
    }
    JXPicBox1->SetPicPattern(dir + QStringLiteral("\\") + kBitmapMask);
    FileListBox1->SetDirectory(dir);
    OpenDialog1->SetInitialDir(dir);
    hsbRowsChange();
    hsbColsChange();
}

void TfrmAnimEd::FormPaint()
{
    TCanvas *canvas = Canvas();
    canvas->Brush()->SetBitmap(imgFill->Picture()->Bitmap());
    canvas->FillRect(ClientRect());
    canvas->Brush()->SetBitmap(nullptr);
}

void TfrmAnimEd::hsbColsChange()
{
    DrawGrid->SetColCount(hsbCols->Position());
    panCols->SetCaption(QString::number(hsbCols->Position()));
    DrawGrid->Invalidate();
}

void TfrmAnimEd::hsbRowsChange()
{
    DrawGrid->SetRowCount(hsbRows->Position());
    panRows->SetCaption(QString::number(hsbRows->Position()));
    DrawGrid->Invalidate();
}

void TfrmAnimEd::DrawGridDrawCell(int col, int row, const TRect &rect, bool selectedOrFocused)
{
    TBitmap *b = Bitmap();
    TCanvas *canvas = DrawGrid->Canvas();
    if (b->Width() != 0) {
        canvas->SetCopyMode(cmSrcCopy);
        canvas->CopyRect(rect, b->Canvas(), FrameRect(col, row));
    } else {
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(DrawGrid->Color());
        canvas->FillRect(rect);
    }
    if (selectedOrFocused)
        canvas->DrawFocusRect(rect);
    panWidth->SetCaption(QString::number(b->Width()));
    panHeight->SetCaption(QString::number(b->Height()));
    panPicWidth->SetCaption(QString::number(b->Width() / DrawGrid->ColCount()));
    panPicHeight->SetCaption(QString::number(b->Height() / DrawGrid->RowCount()));
}

bool TfrmAnimEd::DrawGridDragOver(TObject *source) const
{
    return dynamic_cast<TJXPicBox *>(source) || dynamic_cast<TFileListBox *>(source);
}

void TfrmAnimEd::JXPicBox1EndDrag(TObject *target)
{
    if (!target ||
        !Confirm(QCoreApplication::translate(
            "jxtpack", "Selektiertes Animationsbild löschen und durch neues Bild ersetzen ?")))
        return;
    const int index = JXPicBox1->ItemIndex();
    if (index >= 0 && index < JXPicBox1->Items()->Count())
        SetCell(DrawGrid->Col(), DrawGrid->Row(), JXPicBox1->Items()->Get(index));
}

void TfrmAnimEd::FileListBox1EndDrag(TObject *target)
{
    if (!target ||
        !Confirm(QCoreApplication::translate(
            "jxtpack", "Selektiertes Animationsbild löschen und durch neues Bild ersetzen ?")))
        return;
    const QString fileName = FileListBox1->FileName();
    if (!fileName.isEmpty())
        SetCell(DrawGrid->Col(), DrawGrid->Row(), fileName);
}

void TfrmAnimEd::SetCell(int col, int row, const QString &fileName)
{
    TBitmap picture;
    if (!ReadPicture(fileName, picture))
        return;
    TCanvas *canvas = Bitmap()->Canvas();
    canvas->SetCopyMode(cmSrcCopy);
    canvas->CopyRect(FrameRect(col, row), picture.Canvas(),
                     Rect(0, 0, picture.Width(), picture.Height()));
    DrawGrid->Invalidate();
}

void TfrmAnimEd::ReplaceAnimation(const QString &fileName)
{
    if (fileName.isEmpty() || !Confirm(QCoreApplication::translate(
                                  "jxtpack", "Animation löschen und durch neues Bild ersetzen ?")))
        return;
    TBitmap picture;
    if (ReadPicture(fileName, picture))
        Bitmap()->Assign(&picture);
    DrawGrid->Invalidate();
}

void TfrmAnimEd::JXPicBox1DblClick()
{
    const int index = JXPicBox1->ItemIndex();
    if (index >= 0 && index < JXPicBox1->Items()->Count())
        ReplaceAnimation(JXPicBox1->Items()->Get(index));
}

void TfrmAnimEd::FileListBox1DblClick()
{
    ReplaceAnimation(FileListBox1->FileName());
}

void TfrmAnimEd::ColPlus1Click()
{
    if (hsbCols->Position() >= kMaxDivision)
        return;
    TBitmap *b = Bitmap();
    b->SetWidth(b->Width() + b->Width() / DrawGrid->ColCount());
    hsbCols->SetPosition(hsbCols->Position() + 1);
}

void TfrmAnimEd::RowPlus1Click()
{
    if (hsbRows->Position() >= kMaxDivision)
        return;
    TBitmap *b = Bitmap();
    b->SetHeight(b->Height() + b->Height() / DrawGrid->RowCount());
    hsbRows->SetPosition(hsbRows->Position() + 1);
}

void TfrmAnimEd::ColMinus1Click()
{
    if (!Confirm(QCoreApplication::translate("jxtpack",
                                             "Spalte löschen ? Achtung Verlust von Bild-Daten")))
        return;
    if (hsbCols->Position() <= 1)
        return;
    TBitmap *b = Bitmap();
    b->SetWidth(b->Width() - b->Width() / DrawGrid->ColCount());
    hsbCols->SetPosition(hsbCols->Position() - 1);
}

void TfrmAnimEd::RowMinus1Click()
{
    if (!Confirm(QCoreApplication::translate("jxtpack",
                                             "Zeile löschen ? Achtung Verlust von Bild-Daten")))
        return;
    if (hsbRows->Position() <= 1)
        return;
    TBitmap *b = Bitmap();
    b->SetHeight(b->Height() - b->Height() / DrawGrid->RowCount());
    hsbRows->SetPosition(hsbRows->Position() - 1);
}

void TfrmAnimEd::AlleBilderLoeschen1Click()
{
    if (!Confirm(QCoreApplication::translate("jxtpack", "Alle Animationsbilder löschen ?")))
        return;
    Bitmap()->SetSize(0, 0);
    hsbCols->SetPosition(1);
    hsbRows->SetPosition(1);
    DrawGrid->Invalidate();
}

void TfrmAnimEd::Farbuebersetzung1Click()
{
    TBitmap *b = Bitmap();
    if (b->Empty())
        return;
    TBitmap copy;
    copy.Assign(b);
    const TRect whole = Rect(0, 0, b->Width(), b->Height());
    TCanvas *canvas = b->Canvas();
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(panHGColor->Color());
    canvas->BrushCopy(whole, &copy, whole, panTransColor->Color());
    DrawGrid->Invalidate();
}

void TfrmAnimEd::AnimationSpeichernUnter1Click()
{
    SaveDialog1->SetInitialDir(OpenDialog1->InitialDir());
    if (!SaveDialog1->Execute())
        return;
    try {
        Bitmap()->SaveToFile(SaveDialog1->FileName());
    } catch (const Exception &e) {
        ShowMessage(e.Message());
    }
}

void TfrmAnimEd::VerzeichnisWaehlen1Click()
{
    QString dir = platform::ExtractFilePath(JXPicBox1->PicPattern());
    if (!SelectDirectory(QString(), QString(), dir))
        return;
    dir = WithoutTrailingSeparator(dir);
    JXPicBox1->SetPicPattern(dir + QStringLiteral("\\") + kBitmapMask);
    FileListBox1->SetDirectory(dir);
    OpenDialog1->SetInitialDir(dir);
    try {
        const QString settings = DesignerSettingsFileName();
        QDir().mkpath(QFileInfo(settings).absolutePath());
        TIniFile ini(settings);
        ini.WriteString(kSection, kAnimDirKey, dir);
    } catch (const Exception &e) {
        ShowMessage(e.Message());
    }
}

void TfrmAnimEd::Vorschaubilder1Click()
{
    const bool thumbnails = !Vorschaubilder1->Checked();
    Vorschaubilder1->SetChecked(thumbnails);
    panPicBox->SetVisible(thumbnails);
    panDir->SetVisible(!thumbnails);
}

void TfrmAnimEd::panHGColorClick()
{
    ColorDialog1->SetColor(panHGColor->Color());
    if (ColorDialog1->Execute())
        panHGColor->SetColor(ColorDialog1->Color());
}

void TfrmAnimEd::panTransColorClick()
{
    ColorDialog1->SetColor(panTransColor->Color());
    if (ColorDialog1->Execute())
        panTransColor->SetColor(ColorDialog1->Color());
}

void TfrmAnimEd::BitBtn3Click()
{
    ShowMessage(QCoreApplication::translate("jxtpack", kHelpText));
}

} // namespace jxt
