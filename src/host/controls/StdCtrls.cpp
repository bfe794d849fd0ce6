// SPDX-License-Identifier: MIT
// TLabel, TMemo, TScrollBar, TRadioButton and TGroupBox.
#include "host/controls/StdCtrls.h"

#include "host/core/Events.h"

#include <QFontMetrics>
#include <QImage>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScrollBar>

namespace jxt {

namespace {

/// The text that is measured and drawn: an empty caption still takes one line.
QString DisplayText(const QString &caption)
{
    return caption.isEmpty() ? QStringLiteral(" ") : caption;
}

} // namespace

TLabel::TLabel(TComponent *owner) : TGraphicControl(owner)
{
    SetBounds(0, 0, 65, 17);
}

unsigned TLabel::DrawFlags() const
{
    unsigned flags = DT_EXPANDTABS;
    if (m_wordWrap)
        flags |= DT_WORDBREAK;
    switch (m_alignment) {
    case taRightJustify: flags |= DT_RIGHT; break;
    case taCenter: flags |= DT_CENTER; break;
    default: break;
    }
    return flags;
}

void TLabel::SetCaption(const QString &caption)
{
    if (caption == Caption())
        return;
    TGraphicControl::SetCaption(caption);
    AdjustBounds();
}

void TLabel::SetAlignment(TAlignment value)
{
    if (value == m_alignment)
        return;
    m_alignment = value;
    Invalidate();
}

void TLabel::SetLayout(TTextLayout value)
{
    if (value == m_layout)
        return;
    m_layout = value;
    Invalidate();
}

void TLabel::SetAutoSize(bool value)
{
    if (value == m_autoSize)
        return;
    m_autoSize = value;
    AdjustBounds();
}

void TLabel::SetWordWrap(bool value)
{
    if (value == m_wordWrap)
        return;
    m_wordWrap = value;
    AdjustBounds();
    Invalidate();
}

void TLabel::SetTransparent(bool value)
{
    if (value == m_transparent)
        return;
    m_transparent = value;
    SetSurfaceTransparent(value);
    Invalidate();
}

void TLabel::Loaded()
{
    TGraphicControl::Loaded();
    AdjustBounds();
}

void TLabel::FontChanged()
{
    TGraphicControl::FontChanged();
    AdjustBounds();
}

void TLabel::AdjustBounds()
{
    if (!m_autoSize || ComponentState().Contains(csLoading))
        return;
    // Measure on a scratch canvas, so sizing never touches the label's own surface.
    QImage scratch(1, 1, QImage::Format_ARGB32_Premultiplied);
    TCanvas canvas(&scratch);
    canvas.SetFont(Font());
    TRect r = Rect(0, 0, m_wordWrap ? ClientWidth() : 0, 0);
    canvas.DrawText(DisplayText(Caption()), r, DrawFlags() | DT_CALCRECT);
    if (m_wordWrap) {
        // The lines break at the label's width, which stays as it is.
        SetBounds(Left(), Top(), Width(), r.Bottom);
        return;
    }
    int left = Left();
    if (m_alignment == taRightJustify)
        left += Width() - r.Right;
    SetBounds(left, Top(), r.Right, r.Bottom);
}

void TLabel::Paint()
{
    TCanvas *canvas = Canvas();
    if (!m_transparent) {
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(ClientRect());
    }
    canvas->Brush()->SetStyle(bsClear);
    canvas->SetFont(Font());
    const QString text = Caption();
    if (text.isEmpty())
        return;
    TRect r = ClientRect();
    const unsigned flags = DrawFlags();
    if (m_layout != tlTop) {
        TRect calc = r;
        canvas->DrawText(text, calc, flags | DT_CALCRECT);
        const int offset =
            m_layout == tlBottom ? Height() - calc.Bottom : (Height() - calc.Bottom) / 2;
        r.Top += offset;
        r.Bottom += offset;
    }
    if (!isEnabled()) {
        // Disabled text looks engraved: a highlight copy one pixel down and right, the text
        // itself in the shadow colour.
        TRect lit = r;
        lit.Left += 1;
        lit.Top += 1;
        lit.Right += 1;
        lit.Bottom += 1;
        canvas->Font()->SetColor(clBtnHighlight);
        canvas->DrawText(text, lit, flags);
        canvas->Font()->SetColor(clBtnShadow);
    }
    canvas->DrawText(text, r, flags);
}

// TMemo

TMemo::TMemo(TComponent *owner) : TWinControl(owner), m_edit(new QPlainTextEdit(this))
{
    setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(m_edit);
    SetColor(clWindow);
    SetParentColor(false);
    m_lines.OnChange = [this](TObject *) { LinesChanged(); };
    QObject::connect(m_edit, &QPlainTextEdit::textChanged, this, [this] { EditChanged(); });
    ApplyOptions();
    SetBounds(0, 0, 185, 89);
    m_edit->setGeometry(0, 0, Width(), Height());
    m_edit->setFont(Font()->ToQFont());
    m_edit->show();
}

TMemo::~TMemo()
{
    m_lines.OnChange = nullptr;
}

QString TMemo::Text() const
{
    QString text = m_edit->toPlainText();
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return text;
}

void TMemo::SetText(const QString &text)
{
    m_lines.SetText(text);
}

void TMemo::SetReadOnly(bool value)
{
    m_readOnly = value;
    ApplyOptions();
}

void TMemo::SetScrollBars(TScrollStyle value)
{
    m_scrollBars = value;
    ApplyOptions();
}

void TMemo::SetWordWrap(bool value)
{
    m_wordWrap = value;
    ApplyOptions();
}

void TMemo::SetColor(TColor color)
{
    TWinControl::SetColor(color);
    QPalette palette = m_edit->palette();
    palette.setColor(QPalette::Base, ColorToQColor(Color()));
    m_edit->setPalette(palette);
}

void TMemo::ApplyOptions()
{
    m_edit->setReadOnly(m_readOnly);
    m_edit->setLineWrapMode(m_wordWrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    const bool horizontal = m_scrollBars == ssHorizontal || m_scrollBars == ssBoth;
    const bool vertical = m_scrollBars == ssVertical || m_scrollBars == ssBoth;
    m_edit->setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAlwaysOn
                                                    : Qt::ScrollBarAlwaysOff);
    m_edit->setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

void TMemo::FontChanged()
{
    TWinControl::FontChanged();
    m_edit->setFont(Font()->ToQFont());
}

void TMemo::Resize()
{
    TWinControl::Resize();
    m_edit->setGeometry(0, 0, Width(), Height());
}

// Code changed Lines: the editor shows them, without an OnChange.
void TMemo::LinesChanged()
{
    if (m_syncing)
        return;
    ++m_syncing;
    m_edit->setPlainText(m_lines.ToStringList().join(QLatin1Char('\n')));
    --m_syncing;
}

// The editor's text changed: Lines follow, and an edit of the user fires OnChange.
void TMemo::EditChanged()
{
    if (m_syncing)
        return;
    ++m_syncing;
    const QString text = m_edit->toPlainText();
    m_lines.BeginUpdate();
    m_lines.Clear();
    QStringList lines = text.split(QLatin1Char('\n'));
    // A text that ends with a line break has no further (empty) line.
    if (lines.size() > 1 && lines.back().isEmpty())
        lines.removeLast();
    if (!text.isEmpty())
        for (const QString &line : lines)
            m_lines.Add(line);
    m_lines.EndUpdate();
    --m_syncing;
    FireEvent(this, OnChange, &TMemo::onChange, this);
}

// TScrollBar

TScrollBar::TScrollBar(TComponent *owner)
    : TWinControl(owner), m_bar(new QScrollBar(Qt::Horizontal, this))
{
    setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(m_bar);
    m_bar->setRange(m_min, m_max);
    m_bar->setSingleStep(m_smallChange);
    m_bar->setPageStep(m_largeChange);
    QObject::connect(m_bar, &QScrollBar::valueChanged, this, [this](int value) {
        if (m_updating || value == m_position)
            return;
        m_position = value;
        Change();
    });
    SetBounds(0, 0, 121, 17);
    m_bar->setGeometry(0, 0, Width(), Height());
    m_bar->show();
}

TScrollBar::~TScrollBar() = default;

void TScrollBar::SetKind(TScrollBarKind kind)
{
    if (kind == m_kind)
        return;
    m_kind = kind;
    m_bar->setOrientation(kind == sbHorizontal ? Qt::Horizontal : Qt::Vertical);
    SetBounds(Left(), Top(), Height(), Width());
}

void TScrollBar::SetParams(int position, int min, int max)
{
    max = std::max(max, min);
    position = std::clamp(position, min, max);
    const bool changed = position != m_position;
    m_min = min;
    m_max = max;
    m_position = position;
    m_updating = true;
    m_bar->setRange(min, max);
    m_bar->setValue(position);
    m_updating = false;
    if (changed)
        Change();
}

void TScrollBar::SetSmallChange(int value)
{
    m_smallChange = std::max(1, value);
    m_bar->setSingleStep(m_smallChange);
}

void TScrollBar::SetLargeChange(int value)
{
    m_largeChange = std::max(1, value);
    m_bar->setPageStep(m_largeChange);
}

void TScrollBar::Resize()
{
    TWinControl::Resize();
    m_bar->setGeometry(0, 0, Width(), Height());
}

void TScrollBar::Change()
{
    FireEvent(this, OnChange, &TScrollBar::onChange, this);
}

// TRadioButton

namespace {

/// Diameter of the round button.
constexpr int kRadioSize = 13;

} // namespace

TRadioButton::TRadioButton(TComponent *owner) : TWinControl(owner)
{
    setFocusPolicy(Qt::StrongFocus);
    SetBounds(0, 0, 113, 17);
}

void TRadioButton::SetChecked(bool value)
{
    if (value == m_checked)
        return;
    m_checked = value;
    if (value && Parent()) {
        for (int i = 0; i < Parent()->ControlCount(); ++i) {
            auto *other = qobject_cast<TRadioButton *>(Parent()->Controls(i));
            if (other && other != this)
                other->SetChecked(false);
        }
    }
    Invalidate();
    // A button that becomes checked, by the user or by code, reports it as a click.
    if (value)
        TWinControl::Click();
}

void TRadioButton::Click()
{
    if (isEnabled())
        SetChecked(true);
}

void TRadioButton::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Space) {
        Click();
        return;
    }
    TWinControl::keyPressEvent(event);
}

void TRadioButton::Paint()
{
    TCanvas *canvas = Canvas();
    canvas->FillSolid(ClientRect(), Color());
    const int top = (Height() - kRadioSize) / 2;
    canvas->Pen()->SetColor(clBtnShadow);
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(isEnabled() ? clWindow : clBtnFace);
    canvas->Ellipse(0, top, kRadioSize, top + kRadioSize);
    if (m_checked) {
        canvas->Pen()->SetColor(clWindowText);
        canvas->Brush()->SetColor(isEnabled() ? clWindowText : clGrayText);
        canvas->Ellipse(4, top + 4, kRadioSize - 4, top + kRadioSize - 4);
    }
    canvas->SetFont(Font());
    if (!isEnabled())
        canvas->Font()->SetColor(clGrayText);
    canvas->Brush()->SetStyle(bsClear);
    TRect text = Rect(kRadioSize + 4, 0, Width(), Height());
    canvas->DrawText(Caption(), text, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    if (hasFocus()) {
        TRect focus = text;
        canvas->DrawText(Caption(), focus, DT_LEFT | DT_CALCRECT | DT_SINGLELINE);
        const int h = focus.Height();
        focus.Top = (Height() - h) / 2 - 1;
        focus.Bottom = focus.Top + h + 2;
        focus.Left -= 1;
        focus.Right += 1;
        canvas->Pen()->SetStyle(psDot);
        canvas->Pen()->SetColor(clWindowText);
        canvas->Brush()->SetStyle(bsClear);
        canvas->Rectangle(focus);
        canvas->Pen()->SetStyle(psSolid);
    }
}

// TGroupBox

TGroupBox::TGroupBox(TComponent *owner) : TCustomControl(owner)
{
    SetBounds(0, 0, 185, 105);
}

TRect TGroupBox::AlignRect() const
{
    const int textHeight = QFontMetrics(Font()->ToQFont()).height();
    TRect r = ClientRect();
    r.Left += 2;
    r.Right -= 2;
    r.Bottom -= 2;
    r.Top += textHeight + 2;
    return r;
}

void TGroupBox::Paint()
{
    TCanvas *canvas = Canvas();
    canvas->FillSolid(ClientRect(), Color());
    canvas->SetFont(Font());
    const int textHeight = canvas->TextHeight(QStringLiteral("0"));
    // An etched frame: a shadow line with a highlight line inside and below it.
    TRect frame = Rect(0, textHeight / 2, Width(), Height());
    canvas->Brush()->SetStyle(bsClear);
    canvas->Pen()->SetColor(clBtnHighlight);
    canvas->Rectangle(frame.Left + 1, frame.Top + 1, frame.Right, frame.Bottom);
    canvas->Pen()->SetColor(clBtnShadow);
    canvas->Rectangle(frame.Left, frame.Top, frame.Right - 1, frame.Bottom - 1);
    if (!Caption().isEmpty()) {
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(Color());
        if (!isEnabled())
            canvas->Font()->SetColor(clGrayText);
        canvas->TextOut(8, 0, Caption());
    }
}

} // namespace jxt
