// SPDX-License-Identifier: MIT
// The designer's editor of the picture list box's pattern.
#include "editors/PicPatternProperty.h"

#include "TestSupport.h"
#include "controls/JXPicBox.h"
#include "host/controls/Dialogs.h"

#include <gtest/gtest.h>

using namespace jxt;

TEST(PicPatternProperty, ChosenDirectoryBecomesAPattern)
{
    jxt::test::InstallScriptedDialogs();
    TJXPicBox box;
    box.SetPicPattern(QStringLiteral("C:\\pictures\\old\\*.bmp"));
    TPicPatternProperty editor({&box}, QStringLiteral("PicPattern"));
    EXPECT_EQ(editor.GetAttributes(), TPropertyAttributes{paDialog});
    QString startedAt;
    jxt::test::Dialogs()->Responder = [&](TDialogRequest &r) {
        startedAt = r.initialDir;
        r.fileName = QStringLiteral("D:\\new\\");
        return int(mrOk);
    };
    editor.Edit();
    EXPECT_EQ(startedAt, QStringLiteral("C:\\pictures\\old\\"));
    EXPECT_EQ(box.PicPattern(), QStringLiteral("D:\\new\\*.*"));
    jxt::test::Dialogs()->Responder = [](TDialogRequest &) { return int(mrCancel); };
    editor.Edit();
    EXPECT_EQ(box.PicPattern(), QStringLiteral("D:\\new\\*.*"));
}
