// SPDX-License-Identifier: MIT
// Hint string editor.
#include "editors/HintProperty.h"

#include "host/controls/Buttons.h"
#include "host/controls/ExtCtrls.h"
#include "host/controls/StdCtrls.h"
#include "host/core/Strings.h"

#include <QCoreApplication>

namespace jxt {

THintStringEditDialog::THintStringEditDialog(TComponent *owner) : TForm(owner)
{
    SetName(QStringLiteral("HintStringEditDialog"));
    SetCaption(QCoreApplication::translate("jxtpack", "Hint String Editor"));
    SetBorderStyle(bsDialog);
    SetClientWidth(428);
    SetClientHeight(277);

    Bevel1 = new TBevel(this);
    Bevel1->SetName(QStringLiteral("Bevel1"));
    Bevel1->SetParent(this);
    Bevel1->SetShape(bsFrame);
    Bevel1->SetBounds(8, 8, 413, 229);

    LineCounter = new TLabel(this);
    LineCounter->SetName(QStringLiteral("LineCounter"));
    LineCounter->SetParent(this);
    LineCounter->SetBounds(16, 16, 60, 13);
    LineCounter->SetCaption(QCoreApplication::translate("jxtpack", "0 Zeilen"));

    Memo = new TMemo(this);
    Memo->SetName(QStringLiteral("Memo"));
    Memo->SetParent(this);
    Memo->SetBounds(16, 32, 397, 197);
    Memo->SetWordWrap(false);
    Memo->SetScrollBars(ssBoth);
    Memo->OnChange = [this](TObject *) { MemoChange(); };

    OkButton = new TBitBtn(this);
    OkButton->SetName(QStringLiteral("OkButton"));
    OkButton->SetParent(this);
    OkButton->SetCaption(QCoreApplication::translate("jxtpack", "Ok"));
    OkButton->SetModalResult(mrOk);
    OkButton->SetDefault(true);
    OkButton->SetBounds(264, 248, 75, 25);

    CancelButton = new TBitBtn(this);
    CancelButton->SetName(QStringLiteral("CancelButton"));
    CancelButton->SetParent(this);
    CancelButton->SetCaption(QCoreApplication::translate("jxtpack", "Abbruch"));
    CancelButton->SetModalResult(mrCancel);
    CancelButton->SetCancel(true);
    CancelButton->SetBounds(344, 248, 75, 25);

    ShowPanel = new TPanel(this);
    ShowPanel->SetName(QStringLiteral("ShowPanel"));
    ShowPanel->SetParent(this);
    ShowPanel->SetCaption(QCoreApplication::translate("jxtpack", "Hint Testen"));
    ShowPanel->SetBevelInner(bvLowered);
    ShowPanel->SetBounds(8, 246, 105, 29);
    ShowPanel->SetShowHint(true);
}

THintStringEditDialog::~THintStringEditDialog() = default;

QString THintStringEditDialog::HintText() const
{
    return Memo->Text();
}

void THintStringEditDialog::SetHintText(const QString &text)
{
    Memo->SetText(text);
    MemoChange();
}

void THintStringEditDialog::MemoChange()
{
    ShowPanel->SetHint(HintText());
    LineCounter->SetCaption(QString::asprintf("%d Lines", Memo->Lines()->Count()));
}

TPropertyAttributes THintProperty::GetAttributes() const
{
    return {paDialog};
}

void THintProperty::Edit()
{
    THintStringEditDialog dialog;
    dialog.SetHintText(GetStrValue());
    if (dialog.ShowModal() == mrOk)
        SetStrValue(dialog.HintText());
}

} // namespace jxt
