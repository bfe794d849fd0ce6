// SPDX-License-Identifier: MIT
// The designer's editor of the icon list box's file name.
#include "editors/IcoFileProperty.h"

#include "TestSupport.h"
#include "controls/JXIcoBox.h"
#include "host/controls/Dialogs.h"

#include <gtest/gtest.h>

using namespace jxt;

TEST(IcoFileProperty, OffersProgramsAndLibraries)
{
    jxt::test::InstallScriptedDialogs();
    TJXIcoBox box;
    TIcoFileProperty editor({&box}, QStringLiteral("IconFileName"));
    EXPECT_EQ(editor.GetAttributes(), TPropertyAttributes{paDialog});
    jxt::test::Dialogs()->Responder = [](TDialogRequest &r) {
        EXPECT_EQ(r.filter, QStringLiteral("Executable (*.Exe)|*.EXE;*.DLL|All files (*.*)|*.*"));
        r.fileName = QStringLiteral("/nonexistent/chosen.exe");
        return int(mrOk);
    };
    editor.Edit();
    EXPECT_EQ(box.IconFileName(), QStringLiteral("/nonexistent/chosen.exe"));
}
