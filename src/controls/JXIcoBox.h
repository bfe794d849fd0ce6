// SPDX-License-Identifier: MIT
// TJXIcoBox: every icon of a file (icon file, program or library) in a grid of cells, each
// with the 32 x 32 icon in its centre and optionally its number below it.
#pragma once

#include "host/controls/ListBox.h"
#include "host/core/About.h"
#include "util/JXVersions.h"

#include <memory>

namespace jxt {

/// An owner-drawn list box with one item per icon of IconFileName: the item's string is the
/// icon's number, its object the icon, extracted when its cell is first drawn and kept.
/// Cells are at least PicMinWidth x PicMinHeight (4 more each way with Border) and fill the
/// client area.
class JXT_EXPORT TJXIcoBox : public TCustomListBox
{
    Q_OBJECT
    Q_PROPERTY(jxt::TJXAboutString About_JXTools READ GetAboutJXT WRITE SetAboutJXT)
    Q_PROPERTY(bool Active READ Active WRITE SetActive)
    Q_PROPERTY(jxt::TBitmap *BacKPic READ BacKPic WRITE SetBacKPic)
    Q_PROPERTY(bool Border READ Border WRITE SetBorder)
    Q_PROPERTY(bool Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(QString IconFileName READ IconFileName WRITE SetIconFileName)
    Q_PROPERTY(int IconCount READ IconCount WRITE SetIconCount)
    Q_PROPERTY(int PicMinHeight READ PicMinHeight WRITE SetPicMinHeight)
    Q_PROPERTY(int PicMinWidth READ PicMinWidth WRITE SetPicMinWidth)
    Q_PROPERTY(jxt::TAlign Align READ Align WRITE SetAlign)
    Q_PROPERTY(jxt::TColorValue Color READ Color WRITE SetColor)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(jxt::TFont *Font READ Font)
    /// The icons' numbers, one item per icon (loading a file fills them).
    Q_PROPERTY(QStringList Items READ ItemsList WRITE SetItemsList)
    Q_PROPERTY(bool ShowHint READ ShowHint WRITE SetShowHint)
    Q_PROPERTY(bool Sorted READ Sorted WRITE SetSorted)
    Q_PROPERTY(bool ParentShowHint READ ParentShowHint WRITE SetParentShowHint)
    /// The menu of a right click; a referenced component, so it is set from code.
    Q_PROPERTY(jxt::TPopupMenu *PopupMenu READ PopupMenu WRITE SetPopupMenu)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    JXT_ABOUT(JXIcoBoxVersion)

public:
    explicit TJXIcoBox(TComponent *owner = nullptr);
    ~TJXIcoBox() override;

    /// Default true; setting true reloads the list from IconFileName.
    bool Active() const { return m_active; }
    void SetActive(bool value);
    /// Picture stretched behind every cell; the box keeps a copy. Repaints.
    TBitmap *BacKPic() const { return m_backPic.get(); }
    void SetBacKPic(const TBitmap *picture);
    /// Raised 2-pixel frame around each cell; default true. Repaints.
    bool Border() const { return m_border; }
    void SetBorder(bool value);
    /// The icon's number under it; default true. Repaints.
    bool Caption() const { return m_caption; }
    void SetCaption(bool value);
    /// The file whose icons are shown; a different name reloads the list.
    QString IconFileName() const { return m_iconFileName; }
    void SetIconFileName(const QString &value);
    /// Number of icons of the file; -1 when it does not exist; assigning is ignored.
    int IconCount() const { return m_iconCount; }
    void SetIconCount(int) {}
    /// Smallest cell height, at least 32, default 50. Repaints at once.
    int PicMinHeight() const { return m_picMinHeight; }
    void SetPicMinHeight(int value);
    /// Smallest cell width, at least 32, default 60. Repaints at once.
    int PicMinWidth() const { return m_picMinWidth; }
    void SetPicMinWidth(int value);

    /// Loads the list: one item per icon of fileName (none when it does not exist).
    void FillItems(const QString &fileName);
    /// Frees every extracted icon.
    void FreeIcons();
    /// The item's icon, extracted on first use; owned by the box.
    TIcon *GetIcon(int index);
    /// A new icon of the file's icon number index, owned by the caller (empty when none).
    TIcon *ReadIcon(int index) const;
    /// Columns and ItemHeight from the client size and the minimum cell size.
    void CheckIcoSize();
    /// Selects the first item equal to text ignoring case; false when there is none.
    bool FindItem(const QString &text);
    /// Writes the item's icon drawn on a 32 x 32 bitmap as a bitmap file.
    void SaveToBMP(int index, const QString &fileName);
    /// Writes the item's icon as an icon file.
    void SaveToICO(int index, const QString &fileName);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    /// Each icon is a list item named by its file name.
    TAccessibleItem AccessibleItem(int index) const override;

    /// The list was filled anew with the icons of an existing icon file.
    TNotifyEvent OnChangeIconCount;

signals:
    void onChangeIconCount(jxt::TObject *sender);

protected:
    void DrawItem(int index, const TRect &rect, TOwnerDrawState state) override;
    void Resize() override;

private:
    int MinCellWidth() const { return m_picMinWidth + (m_border ? 4 : 0); }
    int MinCellHeight() const { return m_picMinHeight + (m_border ? 4 : 0); }

    bool m_active = true;
    std::unique_ptr<TBitmap> m_backPic;
    bool m_border = true;
    bool m_caption = true;
    QString m_iconFileName;
    int m_iconCount = 0;
    int m_picMinHeight = 50;
    int m_picMinWidth = 60;
};

} // namespace jxt
