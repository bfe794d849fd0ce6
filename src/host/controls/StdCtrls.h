// SPDX-License-Identifier: MIT
// The standard controls: TLabel (a line or word-wrapped block of text), TMemo (a multi-line
// text box), TScrollBar, TRadioButton and TGroupBox.
#pragma once

#include "base/Export.h"

#include "host/controls/Controls.h"
#include "host/core/Strings.h"

#include <algorithm>

class QPlainTextEdit;
class QScrollBar;

namespace jxt {

/// Shows Caption in Font, placed horizontally by Alignment and vertically by Layout. With
/// AutoSize the label takes the size of its text (with WordWrap only its height follows,
/// the width stays); a right-justified label keeps its right edge. A transparent label
/// leaves its background to the parent.
class JXT_EXPORT TLabel : public TGraphicControl
{
    Q_OBJECT
    Q_PROPERTY(jxt::TAlign Align READ Align WRITE SetAlign)
    Q_PROPERTY(jxt::TAlignment Alignment READ Alignment WRITE SetAlignment)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(jxt::TColorValue Color READ Color WRITE SetColor)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(jxt::TTextLayout Layout READ Layout WRITE SetLayout)
    Q_PROPERTY(bool ParentColor READ ParentColor WRITE SetParentColor)
    Q_PROPERTY(bool ParentFont READ ParentFont WRITE SetParentFont)
    Q_PROPERTY(bool ShowHint READ ShowHint WRITE SetShowHint)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_PROPERTY(bool WordWrap READ WordWrap WRITE SetWordWrap)

public:
    explicit TLabel(TComponent *owner = nullptr);

    void SetCaption(const QString &caption) override;
    /// Default taLeftJustify; repaints.
    TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment value);
    /// Default tlTop; repaints.
    TTextLayout Layout() const { return m_layout; }
    void SetLayout(TTextLayout value);
    /// Default true: the label follows the size of its text.
    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool value);
    /// Default false: the text breaks only at line breaks; true also wraps at blanks.
    bool WordWrap() const { return m_wordWrap; }
    void SetWordWrap(bool value);
    /// Default false: the label fills its background with Color.
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool value);

    void Loaded() override;

protected:
    void Paint() override;
    void FontChanged() override;
    /// Sizes the label to its text when AutoSize is on.
    void AdjustBounds();

private:
    unsigned DrawFlags() const;

    TAlignment m_alignment = taLeftJustify;
    TTextLayout m_layout = tlTop;
    bool m_autoSize = true;
    bool m_wordWrap = false;
    bool m_transparent = false;
};

/// A multi-line text box over QPlainTextEdit. Lines holds the text one line per string and
/// follows every edit; changing Lines (or Text) from code replaces the text without firing
/// OnChange, while every change the user makes fires OnChange once.
class JXT_EXPORT TMemo : public TWinControl
{
    Q_OBJECT
    Q_PROPERTY(jxt::TAlign Align READ Align WRITE SetAlign)
    Q_PROPERTY(jxt::TColorValue Color READ Color WRITE SetColor)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(QStringList Lines READ LinesList WRITE SetLinesList)
    Q_PROPERTY(bool ReadOnly READ ReadOnly WRITE SetReadOnly)
    Q_PROPERTY(jxt::TScrollStyle ScrollBars READ ScrollBars WRITE SetScrollBars)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_PROPERTY(bool WordWrap READ WordWrap WRITE SetWordWrap)

public:
    explicit TMemo(TComponent *owner = nullptr);
    ~TMemo() override;

    /// The lines of the text (no line-break characters in them).
    /// LinesList and SetLinesList give and take them as a QStringList.
    //!@{
    TStrings *Lines() { return &m_lines; }
    const TStrings *Lines() const { return &m_lines; }
    QStringList LinesList() const { return m_lines.ToStringList(); }
    void SetLinesList(const QStringList &lines) { m_lines.SetStrings(lines); }
    //!@}
    /// The whole text, lines joined by CR LF (no break after the last line).
    QString Text() const;
    /// Replaces the text; CR LF, LF and CR each end a line.
    void SetText(const QString &text);
    /// Default false.
    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool value);
    /// Default ssNone.
    TScrollStyle ScrollBars() const { return m_scrollBars; }
    void SetScrollBars(TScrollStyle value);
    /// Long lines wrap at the right edge; default true.
    bool WordWrap() const { return m_wordWrap; }
    void SetWordWrap(bool value);
    void SetColor(TColor color) override;

    /// The Qt text box that shows the control.
    QPlainTextEdit *Editor() const { return m_edit; }

    /// The user changed the text.
    TNotifyEvent OnChange;

signals:
    void onChange(jxt::TObject *sender);

protected:
    void FontChanged() override;
    void Resize() override;

private:
    void LinesChanged();
    void EditChanged();
    void ApplyOptions();

    QPlainTextEdit *m_edit;
    TStringList m_lines;
    bool m_readOnly = false;
    TScrollStyle m_scrollBars = ssNone;
    bool m_wordWrap = true;
    int m_syncing = 0;
};

/// A scroll bar over QScrollBar: Position between Min and Max, moved by SmallChange with the
/// arrows and by LargeChange on the trough. OnChange fires after every change of Position,
/// by the user or by code.
class JXT_EXPORT TScrollBar : public TWinControl
{
    Q_OBJECT
    Q_PROPERTY(jxt::TScrollBarKind Kind READ Kind WRITE SetKind)
    Q_PROPERTY(int LargeChange READ LargeChange WRITE SetLargeChange)
    Q_PROPERTY(int Max READ Max WRITE SetMax)
    Q_PROPERTY(int Min READ Min WRITE SetMin)
    Q_PROPERTY(int Position READ Position WRITE SetPosition)
    Q_PROPERTY(int SmallChange READ SmallChange WRITE SetSmallChange)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(bool ShowHint READ ShowHint WRITE SetShowHint)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)

public:
    explicit TScrollBar(TComponent *owner = nullptr);
    ~TScrollBar() override;

    /// Default sbHorizontal; switching swaps width and height.
    TScrollBarKind Kind() const { return m_kind; }
    void SetKind(TScrollBarKind kind);
    /// Default 0 and 100; Position is held between them (Max is at least Min).
    //!@{
    int Min() const { return m_min; }
    void SetMin(int value) { SetParams(m_position, value, std::max(value, m_max)); }
    int Max() const { return m_max; }
    void SetMax(int value) { SetParams(m_position, std::min(value, m_min), value); }
    //!@}
    /// Default 0; held within Min..Max.
    int Position() const { return m_position; }
    void SetPosition(int value) { SetParams(value, m_min, m_max); }
    /// Sets all three at once; OnChange fires when Position changed.
    void SetParams(int position, int min, int max);
    /// Default 1, at least 1.
    int SmallChange() const { return m_smallChange; }
    void SetSmallChange(int value);
    /// Default 1, at least 1.
    int LargeChange() const { return m_largeChange; }
    void SetLargeChange(int value);

    /// The Qt scroll bar that shows the control.
    QScrollBar *Bar() const { return m_bar; }

    /// Position changed, by the user or by code.
    TNotifyEvent OnChange;

signals:
    void onChange(jxt::TObject *sender);

protected:
    void Resize() override;
    /// Fires OnChange.
    virtual void Change();

private:
    QScrollBar *m_bar;
    TScrollBarKind m_kind = sbHorizontal;
    int m_min = 0;
    int m_max = 100;
    int m_position = 0;
    int m_smallChange = 1;
    int m_largeChange = 1;
    bool m_updating = false;
};

/// A round option button with a caption. Checking one (by a click, Space, or code) unchecks
/// the other radio buttons of the same parent and fires its OnClick; clicking a button that
/// is already checked changes nothing and fires nothing.
class JXT_EXPORT TRadioButton : public TWinControl
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(bool Checked READ Checked WRITE SetChecked)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(bool ShowHint READ ShowHint WRITE SetShowHint)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)

public:
    explicit TRadioButton(TComponent *owner = nullptr);

    /// Default false. Checking unchecks the siblings, repaints and fires OnClick.
    bool Checked() const { return m_checked; }
    void SetChecked(bool value);
    /// Checks the button when it is enabled.
    void Click() override;

protected:
    void Paint() override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    bool m_checked = false;
};

/// A frame with a caption in its top edge that holds other controls.
class JXT_EXPORT TGroupBox : public TCustomControl
{
    Q_OBJECT
    Q_PROPERTY(jxt::TAlign Align READ Align WRITE SetAlign)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(jxt::TColorValue Color READ Color WRITE SetColor)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(bool ShowHint READ ShowHint WRITE SetShowHint)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)

public:
    explicit TGroupBox(TComponent *owner = nullptr);
    /// Inside the frame and below the caption.
    TRect AlignRect() const override;

protected:
    void Paint() override;
};

} // namespace jxt
