// SPDX-License-Identifier: MIT
// TfrmAnimEd: the animation editor, the form of TJXAnimProperty.
#pragma once

#include "base/Export.h"
#include "host/controls/Forms.h"

namespace jxt {

class TBitBtn;
class TBitmap;
class TColorDialog;
class TDrawGrid;
class TFileListBox;
class TImage;
class TJXPicBox;
class TLabel;
class TMenuItem;
class TOpenDialog;
class TPanel;
class TPopupMenu;
class TSaveDialog;
class TScrollBar;

/// Shows the animation bitmap (Image) cut into its frame grid: the columns and rows follow
/// the two scroll bars, a bitmap dragged from the file list or the picture box and dropped
/// on the grid replaces the current frame (scaled into it), a double click replaces the whole
/// animation, and the grid's menu grows or shrinks the bitmap by a column or row of frames,
/// empties it, replaces one colour by another or saves it as a file. The picture directory
/// is remembered in the designer's settings file (section "JXTools", key "AnimDir").
class JXT_EXPORT TfrmAnimEd : public TForm
{
    Q_OBJECT

public:
    explicit TfrmAnimEd(TComponent *owner = nullptr);
    ~TfrmAnimEd() override;

    /// The bitmap being edited (Image's picture).
    TBitmap *Bitmap() const;
    /// The rectangle of frame (col, row) of the bitmap in the grid's current division.
    TRect FrameRect(int col, int row) const;

    // Handlers, named as the form connects them.
    void FormActivate();
    void FormPaint();
    void hsbColsChange();
    void hsbRowsChange();
    void DrawGridDrawCell(int col, int row, const TRect &rect, bool selectedOrFocused);
    /// Whether a drag from source may be dropped on the grid.
    bool DrawGridDragOver(TObject *source) const;
    void JXPicBox1EndDrag(TObject *target);
    void FileListBox1EndDrag(TObject *target);
    /// Copies the picture of fileName, scaled, into frame (col, row).
    void SetCell(int col, int row, const QString &fileName);
    void JXPicBox1DblClick();
    void FileListBox1DblClick();
    void ColPlus1Click();
    void ColMinus1Click();
    void RowPlus1Click();
    void RowMinus1Click();
    void AlleBilderLoeschen1Click();
    void Farbuebersetzung1Click();
    void AnimationSpeichernUnter1Click();
    void VerzeichnisWaehlen1Click();
    void Vorschaubilder1Click();
    void panHGColorClick();
    void panTransColorClick();
    void BitBtn3Click();

    TImage *Image = nullptr;
    TImage *imgFill = nullptr;
    TPanel *Panel1 = nullptr;
    TDrawGrid *DrawGrid = nullptr;
    TPanel *Panel2 = nullptr;
    TLabel *Label1 = nullptr;
    TLabel *Label2 = nullptr;
    TLabel *Label3 = nullptr;
    TLabel *Label4 = nullptr;
    TLabel *Label5 = nullptr;
    TScrollBar *hsbCols = nullptr;
    TScrollBar *hsbRows = nullptr;
    TPanel *panCols = nullptr;
    TPanel *panRows = nullptr;
    TPanel *panPicWidth = nullptr;
    TPanel *panPicHeight = nullptr;
    TPanel *Panel3 = nullptr;
    TLabel *Label6 = nullptr;
    TLabel *Label7 = nullptr;
    TLabel *Label8 = nullptr;
    TPanel *panWidth = nullptr;
    TPanel *panHeight = nullptr;
    TPanel *panHGColor = nullptr;
    TPanel *panTransColor = nullptr;
    TPanel *panPicBox = nullptr;
    TJXPicBox *JXPicBox1 = nullptr;
    TPanel *panDir = nullptr;
    TFileListBox *FileListBox1 = nullptr;
    TPanel *Panel4 = nullptr;
    TBitBtn *BitBtn1 = nullptr;
    TBitBtn *BitBtn2 = nullptr;
    TBitBtn *BitBtn3 = nullptr;
    TPopupMenu *popDrawGrid = nullptr;
    TMenuItem *ColPlus1 = nullptr;
    TMenuItem *ColMinus1 = nullptr;
    TMenuItem *RowPlus1 = nullptr;
    TMenuItem *RowMinus1 = nullptr;
    TMenuItem *AlleBilderLoeschen1 = nullptr;
    TMenuItem *Farbuebersetzung1 = nullptr;
    TMenuItem *AnimationSpeichernUnter1 = nullptr;
    TPopupMenu *popPicBox = nullptr;
    TMenuItem *VerzeichnisWaehlen1 = nullptr;
    TMenuItem *Vorschaubilder1 = nullptr;
    TOpenDialog *OpenDialog1 = nullptr;
    TSaveDialog *SaveDialog1 = nullptr;
    TColorDialog *ColorDialog1 = nullptr;

    /// The directory the picture lists start in when none was chosen yet.
    static QString DefaultAnimDir();

private:
    void CreateControls();
    void CreateMenus();
    /// Asks a yes/no question; true for yes.
    bool Confirm(const QString &text) const;
    /// Replaces the whole animation by the picture of fileName after the question.
    void ReplaceAnimation(const QString &fileName);
    /// Reads the picture of a file as a bitmap, or nothing.
    static bool ReadPicture(const QString &fileName, TBitmap &bitmap);
};

} // namespace jxt
