// SPDX-License-Identifier: MIT
// The version dates of the component units and the About string type.
#include "util/JXVersions.h"

#include <gtest/gtest.h>

#include <QVariant>

using namespace jxt;

namespace {

struct TVersionRow
{
    const TJXAboutString *constant;
    const char *name;
    const char *value;
};

const TVersionRow kVersions[] = {
    {&JXAnimateVersion, "JXAnimateVersion", "01.05.98"},
    {&JXScrollTextVersion, "JXScrollTextVersion", "01.05.98"},
    {&JXPicBoxVersion, "JXPicBoxVersion", "23.08.97"},
    {&JXBlinkerVersion, "JXBlinkerVersion", "15.11.96"},
    {&JXWAVVersion, "JXWAVVersion", "15.11.96"},
    {&JXLCDPanelVersion, "JXLCDPanelVersion", "15.11.96"},
    {&JXBiBtnVersion, "JXBiBtnVersion", "15.11.96"},
    {&JXDriveTabVersion, "JXDriveTabVersion", "15.11.96"},
    {&JXFontComboVersion, "JXFontComboVersion", "15.11.96"},
    {&JXFindVersion, "JXFindVersion", "15.11.96"},
    {&JXIcoBoxVersion, "JXIcoBoxVersion", "15.11.96"},
    {&JXStarsVersion, "JXStarsVersion", "15.11.96"},
    {&JXBounceVersion, "JXBounceVersion", "15.11.96"},
    {&JXPanelVersion, "JXPanelVersion", "14.12.96^M(Beta)"},
    {&JX3dLabelVersion, "JX3dLabelVersion", "16.11.96"},
    {&JXGrabBarVersion, "JXGrabBarVersion", "02.01.97"},
    {&JXGaugeVersion, "JXGaugeVersion", "10.10.98"},
    {&JXFormVersion, "JXFormVersion", "18.08.98"},
    {&JXDOTPanelVersion, "JXDOTPanelVersion", "01.09.98"},
    {&JXIniVersion, "JXIniVersion", "29.07.98"},
    {&JXCopyVersion, "JXCopyVersion", "25.04.98"},
    {&JXHintVersion, "JXHintVersion", "14.08.98"},
    {&JXAppVersion, "JXAppVersion", "13.10.98"},
    {&JX3dVersion, "JX3dVersion", "15.11.96^M(Beta)"},
    {&JXAutoButtonVersion, "JXAutoButtonVersion", "20.06.98"},
    {&JXFillImageVersion, "JXFillImageVersion", "27.07.98"},
    {&JXFxImageVersion, "JXFxImageVersion", "25.11.96^M(Beta)"},
    {&JXPrinterVersion, "JXPrinterVersion", "03.02.97"},
    {&JXPicClipVersion, "JXPicClipVersion", "08.02.97"},
};

} // namespace

TEST(JXVersions, EveryUnitCarriesItsDate)
{
    for (const TVersionRow &row : kVersions)
        EXPECT_EQ(QString(*row.constant), QString::fromLatin1(row.value)) << row.name;
}

TEST(JXVersions, AboutStringKeepsAtMostFortyCharacters)
{
    const QString longText(50, QLatin1Char('x'));
    EXPECT_EQ(TJXAboutString(longText).size(), 40);
    EXPECT_EQ(TJXAboutString("15.11.96"), QStringLiteral("15.11.96"));
    const QVariant v = QVariant::fromValue(TJXAboutString("14.12.96^M(Beta)"));
    EXPECT_EQ(v.toString(), QStringLiteral("14.12.96^M(Beta)"));
}
