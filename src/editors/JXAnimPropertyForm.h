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

    /// Reads the picture directory from the designer's settings file.
    void FormActivate();
    /// Fills the form with the pattern of imgFill.
    void FormPaint();
    /// The column and row scroll bars moved: the grid takes the new division.
    //!@{
    void hsbColsChange();
    void hsbRowsChange();
    //!@}
    /// Draws frame (col, row) of the bitmap into rect of the grid.
    void DrawGridDrawCell(int col, int row, const TRect &rect, bool selectedOrFocused);
    /// Whether a drag from source may be dropped on the grid.
    bool DrawGridDragOver(TObject *source) const;
    /// A drag from the picture box (the file list) ended on target: a drop on the grid
    /// replaces the frame under the mouse by the picture.
    //!@{
    void JXPicBox1EndDrag(TObject *target);
    void FileListBox1EndDrag(TObject *target);
    //!@}
    /// Copies the picture of fileName, scaled, into frame (col, row).
    void SetCell(int col, int row, const QString &fileName);
    /// A double click on a picture of the picture box (the file list) replaces the whole
    /// animation by it.
    //!@{
    void JXPicBox1DblClick();
    void FileListBox1DblClick();
    //!@}
    /// The grid's menu: a column or row of frames more or less, empty every frame, replace
    /// one colour by another, save the animation as a file.
    //!@{
    void ColPlus1Click();
    void ColMinus1Click();
    void RowPlus1Click();
    void RowMinus1Click();
    void AlleBilderLoeschen1Click();
    void Farbuebersetzung1Click();
    void AnimationSpeichernUnter1Click();
    //!@}
    /// The picture menu: choose the picture directory (remembered in the settings file),
    /// switch between thumbnails and the file list.
    //!@{
    void VerzeichnisWaehlen1Click();
    void Vorschaubilder1Click();
    //!@}
    /// A click on the colour swatch of the background (the transparent) colour picks it in
    /// the colour dialog.
    //!@{
    void panHGColorClick();
    void panTransColorClick();
    //!@}
    /// The help button: shows how the editor is used.
    void BitBtn3Click();

    /// The form's controls, menus and dialogs: the bitmap (Image), the background pattern
    /// (imgFill), the frame grid (DrawGrid) with its menu (popDrawGrid), the division panel
    /// (Panel2: the scroll bars hsbCols and hsbRows and the sizes), the bitmap panel (Panel3:
    /// its size and the two colour swatches), the pictures to choose from (JXPicBox1 on
    /// panPicBox, or FileListBox1 on panDir) with their menu (popPicBox), and the OK, cancel
    /// and help buttons (BitBtn1 to BitBtn3 on Panel4).
    //!@{
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
    //!@}

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
