// SPDX-License-Identifier: MIT
// TFileListBox.
#include "host/controls/FileCtrl.h"

#include "platform/Find.h"
#include "platform/Paths.h"

#include <QStringList>

#include <algorithm>

namespace jxt {

namespace {

/// Width kept for the page symbol in front of a name.
constexpr int kGlyphWidth = 18;

/// The directory with one separator at its end, in the separator style it uses.
QString WithSeparator(const QString &directory)
{
    if (directory.isEmpty() || platform::IsPathDelimiter(directory.back()))
        return directory;
    const bool posix = directory.startsWith(QLatin1Char('/'));
    return directory + (posix ? QLatin1Char('/') : QLatin1Char('\\'));
}

} // namespace

TFileListBox::TFileListBox(TComponent *owner)
    : TCustomListBox(owner), m_directory(platform::GetCurrentDir())
{
    SetBounds(0, 0, 145, 97);
    SetColor(clWindow);
    SetParentColor(false);
    Update();
}

void TFileListBox::SetDirectory(const QString &directory)
{
    QString dir = directory;
    // A trailing separator is dropped (but not from a root such as "C:\" or "/").
    while (dir.size() > 1 && platform::IsPathDelimiter(dir.back()) &&
           !(dir.size() == 3 && dir.at(1) == QLatin1Char(':')))
        dir.chop(1);
    if (dir == m_directory)
        return;
    m_directory = dir;
    Update();
}

void TFileListBox::SetMask(const QString &mask)
{
    const QString m = mask.isEmpty() ? QStringLiteral("*.*") : mask;
    if (m == m_mask)
        return;
    m_mask = m;
    Update();
}

void TFileListBox::SetShowGlyphs(bool value)
{
    if (value == m_showGlyphs)
        return;
    m_showGlyphs = value;
    SetItemHeight(value ? std::max(ItemHeight(), 16) : ItemHeight());
    Invalidate();
}

QString TFileListBox::FileName() const
{
    const int index = ItemIndex();
    if (index < 0 || index >= Items()->Count())
        return QString();
    return WithSeparator(m_directory) + Items()->Get(index);
}

void TFileListBox::SetFileName(const QString &fileName)
{
    const QString dir = platform::ExtractFileDir(fileName);
    if (!dir.isEmpty())
        SetDirectory(dir);
    SetItemIndex(Items()->IndexOf(platform::ExtractFileName(fileName)));
}

void TFileListBox::Update()
{
    QStringList names;
    const QStringList masks = m_mask.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (const QString &mask : masks) {
        platform::TSearchRec rec;
        const QString pattern = WithSeparator(m_directory) + mask.trimmed();
        int result = platform::FindFirst(pattern, platform::faReadOnly | platform::faArchive, rec);
        while (result == 0) {
            if (!(rec.Attr & platform::faDirectory) && !names.contains(rec.Name))
                names << rec.Name;
            result = platform::FindNext(rec);
        }
        platform::FindClose(rec);
    }
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    Items()->BeginUpdate();
    Items()->Clear();
    for (const QString &name : names)
        Items()->Add(name);
    Items()->EndUpdate();
    SetItemIndex(-1);
}

void TFileListBox::DrawItem(int index, const TRect &rect, TOwnerDrawState state)
{
    if (!m_showGlyphs || OnDrawItem) {
        TCustomListBox::DrawItem(index, rect, state);
        return;
    }
    TCanvas *canvas = Canvas();
    canvas->FillRect(rect);
    if (index < 0 || index >= Items()->Count())
        return;
    // A page with a folded corner, in the colours of the text.
    const int top = rect.Top + (rect.Height() - 14) / 2;
    const int left = rect.Left + 3;
    const TColor ink = canvas->Font()->Color();
    canvas->FillSolid(Rect(left, top, left + 10, top + 14), clWindow);
    canvas->FillSolid(Rect(left, top, left + 7, top + 1), ink);
    canvas->FillSolid(Rect(left, top, left + 1, top + 14), ink);
    canvas->FillSolid(Rect(left, top + 13, left + 11, top + 14), ink);
    canvas->FillSolid(Rect(left + 10, top + 3, left + 11, top + 14), ink);
    canvas->FillSolid(Rect(left + 7, top, left + 8, top + 4), ink);
    canvas->FillSolid(Rect(left + 7, top + 3, left + 11, top + 4), ink);
    TRect text = rect;
    text.Left += kGlyphWidth;
    canvas->Brush()->SetStyle(bsClear);
    canvas->DrawText(Items()->Get(index), text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    canvas->Brush()->SetStyle(bsSolid);
}

} // namespace jxt
