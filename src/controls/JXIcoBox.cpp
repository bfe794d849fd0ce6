// SPDX-License-Identifier: MIT
#include "controls/JXIcoBox.h"

#include "host/core/Events.h"

#include "host/controls/Dialogs.h"
#include "host/controls/Forms.h"
#include "platform/Files.h"
#include "platform/Icons.h"
#include "platform/Paths.h"
#include "platform/Transfer.h"
#include "util/JxutilGraphics.h"

#include <algorithm>
#include <cstring>

namespace jxt {

TJXIcoBox::TJXIcoBox(TComponent *owner)
    : TCustomListBox(owner), m_backPic(std::make_unique<TBitmap>())
{
    SetStyle(lbOwnerDrawFixed);
    SetColor(clSilver);
    SetItemHeight(60);
    SetMultiSelect(false);
    m_backPic->OnChange = [this](TObject *) { Invalidate(); };
}

TJXIcoBox::~TJXIcoBox()
{
    FreeIcons();
}

void TJXIcoBox::SetActive(bool value)
{
    m_active = value;
    if (value) {
        FillItems(m_iconFileName);
        CheckIcoSize();
        Invalidate();
    }
}

void TJXIcoBox::SetBacKPic(const TBitmap *picture)
{
    if (picture)
        m_backPic->Assign(picture);
    else
        m_backPic->SetSize(0, 0);
    Invalidate();
}

void TJXIcoBox::SetBorder(bool value)
{
    m_border = value;
    CheckIcoSize();
    Invalidate();
}

void TJXIcoBox::SetCaption(bool value)
{
    m_caption = value;
    Invalidate();
}

void TJXIcoBox::SetIconFileName(const QString &value)
{
    if (value == m_iconFileName)
        return;
    m_iconFileName = value;
    FillItems(value);
    CheckIcoSize();
    Invalidate();
}

void TJXIcoBox::SetPicMinHeight(int value)
{
    m_picMinHeight = std::max(value, 32);
    CheckIcoSize();
    Refresh();
}

void TJXIcoBox::SetPicMinWidth(int value)
{
    m_picMinWidth = std::max(value, 32);
    CheckIcoSize();
    Refresh();
}

void TJXIcoBox::FillItems(const QString &fileName)
{
    Application()->ProcessMessages();
    FreeIcons();
    Items()->Clear();
    m_iconCount = -1;
    if (!platform::FileExists(fileName))
        return;
    const TCursor cursor = Cursor();
    SetCursor(crHourGlass);
    Application()->ProcessMessages();
    m_iconCount = jxtGetIconCount(fileName);
    Items()->BeginUpdate();
    for (int i = 0; i < m_iconCount; ++i)
        Items()->Add(QString::number(i));
    Items()->EndUpdate();
    if (!FireEvent(this, OnChangeIconCount, &TJXIcoBox::onChangeIconCount, this))
        return;
    SetCursor(cursor);
}

void TJXIcoBox::FreeIcons()
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

TIcon *TJXIcoBox::ReadIcon(int index) const
{
    auto *icon = new TIcon;
    const QImage image = platform::FileIcon(m_iconFileName, index, 32);
    if (!image.isNull())
        icon->SetImage(image);
    return icon;
}

TIcon *TJXIcoBox::GetIcon(int index)
{
    TStrings *items = Items();
    if (index < 0 || index >= items->Count())
        return nullptr;
    auto *icon = dynamic_cast<TIcon *>(items->GetObject(index));
    if (!icon) {
        icon = ReadIcon(index);
        // Keeping an extracted icon is not a change of the list: no repaint follows.
        const TNotifyEvent changed = items->OnChange;
        items->OnChange = nullptr;
        items->PutObject(index, icon);
        items->OnChange = changed;
    }
    return icon;
}

void TJXIcoBox::CheckIcoSize()
{
    SetColumns(ClientWidth() / MinCellWidth());
    const int rows = std::max(1, ClientHeight() / MinCellHeight());
    SetItemHeight(ClientHeight() / rows);
}

bool TJXIcoBox::FindItem(const QString &text)
{
    const QString wanted = text.toUpper();
    for (int i = 0; i < Items()->Count(); ++i) {
        if (Items()->Get(i).toUpper() == wanted) {
            SetItemIndex(i);
            return true;
        }
    }
    return false;
}

void TJXIcoBox::SaveToBMP(int index, const QString &fileName)
{
    TBitmap bitmap(32, 32);
    if (TIcon *icon = GetIcon(index))
        bitmap.Canvas()->Draw(0, 0, icon);
    bitmap.SaveToFile(fileName);
}

void TJXIcoBox::SaveToICO(int index, const QString &fileName)
{
    TIcon *icon = GetIcon(index);
    const QByteArray bytes =
        icon && !icon->Empty() ? platform::EncodeIcoFile({icon->Image()}) : QByteArray();
    if (bytes.isEmpty())
        throw EInOutError(QStringLiteral("Cannot write icon file \"%1\": there is no icon %2")
                              .arg(fileName)
                              .arg(index));
    // Written whole or not at all, as every file the library writes (platform/Transfer.h).
    const int error = platform::WriteFileAtomically(fileName, bytes);
    if (error != 0)
        throw EInOutError(QStringLiteral("Cannot write icon file \"%1\": %2")
                              .arg(fileName, QString::fromLocal8Bit(std::strerror(error))),
                          error);
}

TAccessibleItem TJXIcoBox::AccessibleItem(int index) const
{
    TAccessibleItem item = TCustomListBox::AccessibleItem(index);
    item.name = platform::ExtractFileName(item.name);
    return item;
}

QSize TJXIcoBox::sizeHint() const
{
    return QSize(4 * MinCellWidth(), 2 * MinCellHeight());
}

QSize TJXIcoBox::minimumSizeHint() const
{
    return QSize(MinCellWidth(), MinCellHeight());
}

void TJXIcoBox::Resize()
{
    TCustomListBox::Resize();
    CheckIcoSize();
}

void TJXIcoBox::DrawItem(int index, const TRect &rect, TOwnerDrawState state)
{
    if (state.Contains(odSelected) && state.Contains(odFocused))
        return;
    const int w = rect.Right - rect.Left, h = rect.Bottom - rect.Top;
    if (w <= 0 || h <= 0)
        return;
    TBitmap cell(w, h);
    TCanvas *c = cell.Canvas();
    c->Pen()->Assign(Canvas()->Pen());
    c->Brush()->Assign(Canvas()->Brush());
    c->SetFont(Font());
    const TRect whole = Rect(0, 0, w, h);
    c->FillRect(whole);
    if (!m_backPic->Empty())
        c->CopyRect(whole, m_backPic->Canvas(),
                    Rect(0, 0, m_backPic->Width(), m_backPic->Height()));
    if (TIcon *icon = GetIcon(index))
        c->Draw((w - 32) / 2, (h - 32) / 2, icon);
    if (m_caption) {
        if (state.Contains(odSelected))
            c->Font()->SetColor(clHighlightText);
        else // the cells keep their colour in any palette: the caption must read on it
            c->Font()->SetColor(ReadableTextColor(c->Font()->Color(), c->Brush()->Color()));
        const QString text = platform::ExtractFileName(Items()->Get(index));
        c->TextOut((w - c->TextWidth(text)) / 2, h - c->TextHeight(text) - 2, text);
    }
    if (m_border) {
        TRect frame = whole;
        Frame3D(c, frame, clWhite, clGray, 2);
    }
    Canvas()->Draw(rect.Left, rect.Top, &cell);
}

} // namespace jxt
