// SPDX-License-Identifier: MIT
// The dialog components: what they ask the dialog service and what they keep.
#include "host/controls/Dialogs.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

using namespace jxt;

TEST(DialogComponents, FileDialogsPassTheirSettingsAndAddTheDefaultExtension)
{
    test::InstallScriptedDialogs();
    TScriptedDialogs *dialogs = test::Dialogs();
    TSaveDialog save;
    save.SetFilter(QStringLiteral("Bitmap|*.BMP|Alle Dateien|*.*"));
    save.SetDefaultExt(QStringLiteral("BMP"));
    save.SetInitialDir(QStringLiteral("/tmp/pics"));
    dialogs->Responder = [](TDialogRequest &r) {
        r.fileName = QStringLiteral("/tmp/pics.d/anim");
        return int(mrOk);
    };
    ASSERT_TRUE(save.Execute());
    EXPECT_EQ(save.FileName(), QStringLiteral("/tmp/pics.d/anim.BMP"));
    ASSERT_EQ(dialogs->Shown().size(), 1U);
    EXPECT_EQ(dialogs->Shown()[0].kind, TDialogRequest::SaveFile);
    EXPECT_EQ(dialogs->Shown()[0].filter, save.Filter());
    EXPECT_EQ(dialogs->Shown()[0].initialDir, QStringLiteral("/tmp/pics"));

    // A name with an extension keeps it; a cancelled dialog keeps the old name.
    TOpenDialog open;
    open.SetDefaultExt(QStringLiteral("BMP"));
    dialogs->Responder = [](TDialogRequest &r) {
        EXPECT_EQ(r.kind, TDialogRequest::OpenFile);
        r.fileName = QStringLiteral("C:\\bilder\\a.ico");
        return int(mrOk);
    };
    ASSERT_TRUE(open.Execute());
    EXPECT_EQ(open.FileName(), QStringLiteral("C:\\bilder\\a.ico"));
    dialogs->Responder = [](TDialogRequest &) { return int(mrCancel); };
    EXPECT_FALSE(open.Execute());
    EXPECT_EQ(open.FileName(), QStringLiteral("C:\\bilder\\a.ico"));
    dialogs->Responder = nullptr;
}

TEST(DialogComponents, ColourDialogStartsWithItsColourAndKeepsTheChoice)
{
    test::InstallScriptedDialogs();
    TColorDialog dialog;
    dialog.SetColor(clNavy);
    test::Dialogs()->Responder = [](TDialogRequest &r) {
        EXPECT_EQ(r.color, int(clNavy));
        r.color = int(clLime);
        return int(mrOk);
    };
    EXPECT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.Color(), clLime);
    test::Dialogs()->Responder = [](TDialogRequest &r) {
        r.color = int(clRed);
        return int(mrCancel);
    };
    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(dialog.Color(), clLime);
    test::Dialogs()->Responder = nullptr;
}
