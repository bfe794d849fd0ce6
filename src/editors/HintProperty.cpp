// SPDX-License-Identifier: MIT
// Hint string editor.
#include "editors/HintProperty.h"

#include "host/controls/Buttons.h"
#include "host/controls/ExtCtrls.h"
#include "host/controls/StdCtrls.h"
#include "host/core/Strings.h"

#include <QPlainTextEdit>

namespace jxt {

THintStringEditDialog::THintStringEditDialog(TComponent *owner) : TForm(owner)
{
    SetCaption(QStringLiteral("Hint String Editor"));
    SetBorderStyle(bsDialog);
    SetClientWidth(428);
    SetClientHeight(277);

    Bevel1 = new TBevel(this);
    Bevel1->SetParent(this);
    Bevel1->SetShape(bsFrame);
    Bevel1->SetBounds(8, 8, 413, 229);

    LineCounter = new TLabel(this);
    LineCounter->SetParent(this);
    LineCounter->SetBounds(16, 16, 60, 13);
    LineCounter->SetCaption(QStringLiteral("0 Zeilen"));

    Memo = new QPlainTextEdit(this);
    Memo->setObjectName(QStringLiteral("Memo"));
    Memo->setGeometry(16, 32, 397, 197);
    Memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QObject::connect(Memo, &QPlainTextEdit::textChanged, this, [this] { MemoChange(); });

    OkButton = new TBitBtn(this);
    OkButton->SetParent(this);
    OkButton->SetCaption(QStringLiteral("Ok"));
    OkButton->SetModalResult(mrOk);
    OkButton->SetDefault(true);
    OkButton->SetBounds(264, 248, 75, 25);

    CancelButton = new TBitBtn(this);
    CancelButton->SetParent(this);
    CancelButton->SetCaption(QStringLiteral("Abbruch"));
    CancelButton->SetModalResult(mrCancel);
    CancelButton->SetCancel(true);
    CancelButton->SetBounds(344, 248, 75, 25);

    ShowPanel = new TPanel(this);
    ShowPanel->SetParent(this);
    ShowPanel->SetCaption(QStringLiteral("Hint Testen"));
    ShowPanel->SetBevelInner(bvLowered);
    ShowPanel->SetBounds(8, 246, 105, 29);
    ShowPanel->SetShowHint(true);
}

THintStringEditDialog::~THintStringEditDialog() = default;

QString THintStringEditDialog::HintText() const
{
    TStringList lines;
    lines.SetText(Memo->toPlainText());
    QString text = lines.Text();
    // Lines are joined by CR LF; the last line ends without one.
    if (text.endsWith(QLatin1String("\r\n")))
        text.chop(2);
    return text;
}

void THintStringEditDialog::SetHintText(const QString &text)
{
    Memo->setPlainText(text);
    MemoChange();
}

void THintStringEditDialog::MemoChange()
{
    TStringList lines;
    lines.SetText(Memo->toPlainText());
    ShowPanel->SetHint(HintText());
    LineCounter->SetCaption(QString::asprintf("%d Lines", lines.Count()));
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
