// SPDX-License-Identifier: MIT
// The multi-line hint editor and its dialog.
#include "editors/HintProperty.h"

#include "TestSupport.h"
#include "display/JXGauge.h"
#include "host/controls/Dialogs.h"
#include "host/controls/ExtCtrls.h"
#include "host/controls/Forms.h"
#include "host/controls/StdCtrls.h"

#include <gtest/gtest.h>

#include <QPlainTextEdit>

using namespace jxt;

TEST(HintProperty, MemoCountsLinesAndFeedsTheTestPanel)
{
    THintStringEditDialog dialog;
    EXPECT_EQ(dialog.Caption(), QStringLiteral("Hint String Editor"));
    EXPECT_EQ(dialog.LineCounter->Caption(), QStringLiteral("0 Zeilen"));
    dialog.Memo->Editor()->setPlainText(QStringLiteral("erste\nzweite\ndritte"));
    EXPECT_EQ(dialog.LineCounter->Caption(), QStringLiteral("3 Lines"));
    EXPECT_EQ(dialog.ShowPanel->Hint(), QStringLiteral("erste\r\nzweite\r\ndritte"));
    EXPECT_EQ(dialog.HintText(), QStringLiteral("erste\r\nzweite\r\ndritte"));
    dialog.Memo->Editor()->setPlainText(QStringLiteral("eine\n"));
    EXPECT_EQ(dialog.LineCounter->Caption(), QStringLiteral("1 Lines"));
    dialog.Memo->Editor()->setPlainText(QString());
    EXPECT_EQ(dialog.LineCounter->Caption(), QStringLiteral("0 Lines"));
    for (const char *name :
         {"Bevel1", "LineCounter", "Memo", "OkButton", "CancelButton", "ShowPanel"})
        EXPECT_NE(dialog.FindComponent(QString::fromLatin1(name)), nullptr) << name;
    EXPECT_EQ(dialog.findChild<TMemo *>(QStringLiteral("Memo")), dialog.Memo);
}

TEST(HintProperty, PropertyEditorTakesTheTextOnOkOnly)
{
    jxt::test::InstallScriptedDialogs();
    TForm form;
    auto *gauge = new TJXGauge(&form);
    gauge->SetHint(QStringLiteral("alt"));
    THintProperty editor({gauge}, QStringLiteral("Hint"));
    EXPECT_EQ(editor.GetAttributes(), TPropertyAttributes({paDialog}));

    QString shown;
    jxt::test::Dialogs()->Responder = [&](TDialogRequest &request) {
        auto *dialog = qobject_cast<THintStringEditDialog *>(request.form);
        shown = dialog->HintText();
        dialog->Memo->Editor()->setPlainText(QStringLiteral("neu\nzweizeilig"));
        return int(mrOk);
    };
    editor.Edit();
    EXPECT_EQ(shown, QStringLiteral("alt"));
    EXPECT_EQ(gauge->Hint(), QStringLiteral("neu\r\nzweizeilig"));

    jxt::test::Dialogs()->Responder = [&](TDialogRequest &request) {
        qobject_cast<THintStringEditDialog *>(request.form)
            ->Memo->Editor()
            ->setPlainText("verworfen");
        return int(mrCancel);
    };
    editor.Edit();
    EXPECT_EQ(gauge->Hint(), QStringLiteral("neu\r\nzweizeilig"));
}
