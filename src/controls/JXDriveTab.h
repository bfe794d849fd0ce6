// SPDX-License-Identifier: MIT
// TJXDriveTab: a tab set with one tab per drive, each showing a picture of the drive's kind
// before its letter.
#pragma once

#include "base/Export.h"
#include "host/controls/TabSet.h"
#include "host/core/About.h"
#include "util/JXVersions.h"

#include <array>
#include <memory>

namespace jxt {

/// One tab per drive present, in letter order from a to z, each with the picture of its kind
/// (floppy, hard disk, network, CD-ROM, RAM disk) before its lower-case letter; drives of
/// unknown kind and letters without a drive get none. The tabs are built when the component
/// is loaded. Clicking a tab makes its letter the Drive.
class JXT_EXPORT TJXDriveTab : public TTabSet
{
    Q_OBJECT
    Q_PROPERTY(jxt::TJXAboutString About_JXTools READ GetAboutJXT WRITE SetAboutJXT)
    Q_PROPERTY(QChar Drive READ Drive WRITE SetDrive)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(jxt::TFont *Font READ Font)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(bool ShowHint READ ShowHint WRITE SetShowHint)
    Q_PROPERTY(int TabIndex READ TabIndex WRITE SetTabIndex)
    Q_PROPERTY(int Tag READ Tag WRITE SetTag)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    JXT_ABOUT(JXDriveTabVersion)

public:
    /// Kinds of drive, in the order of the system's drive-type codes 0 to 6.
    enum TDriveType { dtUnknown, dtNoDrive, dtFloppy, dtFixed, dtNetwork, dtCDROM, dtRAM };
    Q_ENUM(TDriveType)

    explicit TJXDriveTab(TComponent *owner = nullptr);
    ~TJXDriveTab() override;

    /// The current drive letter; assigning QChar() (character 0) takes the drive of the
    /// current directory. Outside the designer assigning selects the tab of that letter
    /// (ignoring case).
    QChar Drive() const { return m_drive; }
    void SetDrive(QChar value);

    /// The picture of a drive kind (empty when the kind has none or it failed to load).
    const TBitmap *DrivePicture(TDriveType type) const;

    /// Builds the tabs, one per drive present, and selects the one of Drive. A drive tab that
    /// was not loaded (made in code) does the same when it is first shown.
    void Loaded() override;
    /// Drive := the letter of the selected tab, then OnClick.
    void Click() override;

protected:
    void MeasureTab(int index, int &tabWidth) override;
    void DrawTab(TCanvas *canvas, const TRect &r, int index, bool selected) override;
    void showEvent(QShowEvent *event) override;

private:
    void BuildTabs();
    bool Designing() const { return ComponentState().Contains(csDesigning); }
    void SelectDriveTab();

    QChar m_drive;
    bool m_built = false;
    // Pictures by kind: floppy, hard disk, network, RAM disk, CD-ROM.
    std::array<std::unique_ptr<TBitmap>, 5> m_pictures;
};

using TDriveType = TJXDriveTab::TDriveType;

} // namespace jxt
