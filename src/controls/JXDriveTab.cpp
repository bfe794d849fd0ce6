// SPDX-License-Identifier: MIT
// TJXDriveTab: building the tabs from the drive table, selecting by letter, and the tabs
// drawn with their pictures.
#include "controls/JXDriveTab.h"

#include "platform/Paths.h"
#include "platform/Volumes.h"

#include <QDir>
#include <QPointer>

namespace jxt {

namespace {

constexpr const char *kPictureNames[] = {"JXFLOPPY", "JXHARD", "JXNETWORK", "JXRAM", "JXCDROM"};
enum { kFloppy, kHard, kNetwork, kRam, kCdrom };

constexpr int kPictureGap = 2; // between the picture and the letter
constexpr int kPictureTop = 4;
constexpr int kTextTop = 2;

// The picture slot of a drive kind, or -1 for kinds that get no tab.
int PictureSlot(int driveType)
{
    switch (driveType) {
    case platform::DRIVE_REMOVABLE: return kFloppy;
    case platform::DRIVE_FIXED: return kHard;
    case platform::DRIVE_REMOTE: return kNetwork;
    case platform::DRIVE_CDROM: return kCdrom;
    case platform::DRIVE_RAMDISK: return kRam;
    default: return -1;
    }
}

QChar CurrentDirectoryDrive()
{
    const QString path = platform::ToWindowsPath(QDir::currentPath());
    return path.isEmpty() ? QLatin1Char('C') : path.at(0);
}

} // namespace

TJXDriveTab::TJXDriveTab(TComponent *owner) : TTabSet(owner)
{
    for (std::size_t i = 0; i < m_pictures.size(); ++i) {
        auto picture = std::make_unique<TBitmap>();
        try {
            picture->LoadFromResourceName(QString::fromLatin1(kPictureNames[i]));
            picture->SetTransparent(true);
        } catch (const Exception &) {
            // A picture that cannot be loaded leaves its tabs with the letter alone.
            picture = std::make_unique<TBitmap>();
        }
        m_pictures[i] = std::move(picture);
    }
    SetDrive(QChar());
    SetStyle(tsOwnerDraw);
}

TJXDriveTab::~TJXDriveTab()
{
    // The tabs hold the pictures as objects; they go before the pictures do.
    Tabs()->Clear();
}

const TBitmap *TJXDriveTab::DrivePicture(TDriveType type) const
{
    const int slot = PictureSlot(int(type));
    return slot < 0 ? nullptr : m_pictures[std::size_t(slot)].get();
}

void TJXDriveTab::SetDrive(QChar value)
{
    if (value.isNull())
        value = CurrentDirectoryDrive();
    m_drive = value;
    if (!Designing())
        SelectDriveTab();
}

void TJXDriveTab::SelectDriveTab()
{
    const QChar wanted = m_drive.toUpper();
    for (int i = 0; i < Tabs()->Count(); ++i) {
        const QString text = Tabs()->Get(i);
        if (!text.isEmpty() && text.at(0).toUpper() == wanted)
            SetTabIndex(i);
    }
}

void TJXDriveTab::Loaded()
{
    TTabSet::Loaded();
    BuildTabs();
}

void TJXDriveTab::showEvent(QShowEvent *event)
{
    TTabSet::showEvent(event);
    if (!m_built)
        BuildTabs();
}

void TJXDriveTab::BuildTabs()
{
    m_built = true;
    Tabs()->BeginUpdate();
    Tabs()->Clear();
    SetTabIndex(-1);
    // Only mapped drives can be present; each is asked for its kind, and a root that does
    // not exist gives no tab.
    for (const platform::TDriveMapping &drive : platform::Drives()) {
        const QChar letter = drive.Letter.toLower();
        const int slot =
            PictureSlot(platform::GetDriveType(QString(drive.Letter) + QStringLiteral(":\\")));
        if (slot < 0)
            continue;
        Tabs()->AddObject(QString(letter), m_pictures[std::size_t(slot)].get());
    }
    Tabs()->EndUpdate();
    SelectDriveTab();
}

void TJXDriveTab::Click()
{
    const int index = TabIndex();
    if (index >= 0 && index < Tabs()->Count()) {
        const QString text = Tabs()->Get(index);
        if (!text.isEmpty())
            m_drive = text.at(0);
    }
    TTabSet::Click();
}

void TJXDriveTab::MeasureTab(int index, int &tabWidth)
{
    TTabSet::MeasureTab(index, tabWidth);
    if (Designing())
        return;
    if (const auto *picture = dynamic_cast<const TBitmap *>(Tabs()->GetObject(index)))
        tabWidth += picture->Width() + kPictureGap;
}

void TJXDriveTab::DrawTab(TCanvas *canvas, const TRect &r, int index, bool selected)
{
    if (Designing()) {
        TTabSet::DrawTab(canvas, r, index, selected);
        return;
    }
    const auto *picture = dynamic_cast<const TBitmap *>(Tabs()->GetObject(index));
    int x = r.Left;
    if (picture && !picture->Empty()) {
        canvas->Draw(r.Left, r.Top + kPictureTop, picture);
        x += picture->Width() + kPictureGap;
    }
    canvas->Brush()->SetStyle(bsClear);
    canvas->TextOut(x, r.Top + kTextTop, Tabs()->Get(index));
}

} // namespace jxt
