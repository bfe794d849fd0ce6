// SPDX-License-Identifier: MIT
// The hint editor: a dialog with a multi-line memo for the Hint of any control, a line
// counter and a panel on which the hint can be tried, and its property editor.
#pragma once

#include "base/Export.h"
#include "host/controls/Forms.h"
#include "host/designer/DesignRegistry.h"

namespace jxt {

class TBevel;
class TBitBtn;
class TLabel;
class TMemo;
class TPanel;

/// "Hint String Editor": the memo holds the hint being edited (one line per line of the
/// hint); every change shows the line count and gives the test panel the hint, so hovering
/// the panel shows it. Ok closes with mrOk, Abbruch with mrCancel.
class JXT_EXPORT THintStringEditDialog : public TForm
{
    Q_OBJECT

public:
    explicit THintStringEditDialog(TComponent *owner = nullptr);
    ~THintStringEditDialog() override;

    /// The hint as text, lines joined by CR LF.
    QString HintText() const;
    void SetHintText(const QString &text);

    /// Updates the test panel's hint and the line counter; runs on every change of the memo.
    void MemoChange();

    /// The dialog's controls: the memo the hint is typed in, the line counter, the OK and
    /// cancel buttons, and the test panel (ShowPanel) that shows the hint, on a bevel.
    //!@{
    TBevel *Bevel1 = nullptr;
    TLabel *LineCounter = nullptr;
    TMemo *Memo = nullptr;
    TBitBtn *OkButton = nullptr;
    TBitBtn *CancelButton = nullptr;
    TPanel *ShowPanel = nullptr;
    //!@}
};

/// The editor of the Hint property of every control: a dialog button that opens
/// THintStringEditDialog with the current hint and takes the memo's text on Ok.
class JXT_EXPORT THintProperty : public TStringProperty
{
public:
    using TStringProperty::TStringProperty;
    /// paDialog alone.
    TPropertyAttributes GetAttributes() const override;
    void Edit() override;
};

} // namespace jxt
