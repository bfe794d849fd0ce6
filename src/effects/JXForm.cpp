// SPDX-License-Identifier: MIT
// TJXForm: attachment to the owner form, the form's fill and ramp, size limits and hints.
#include "effects/JXForm.h"

#include "host/core/Events.h"

#include "host/controls/StdCtrls.h"
#include "util/Jxutil.h"
#include "util/JxutilSystem.h"

#include <QCoreApplication>

namespace jxt {

namespace {

constexpr int kRampDivisor = TJXForm::kRampBands - 1;

} // namespace

// The handler installed as the form's OnPaint. It is recognisable, so the component can tell
// on its way out whether the form still calls it, and it calls nothing once the component
// has gone.
struct TJXForm::TPaintHook
{
    QPointer<TJXForm> component;
    void operator()(TObject *sender) const
    {
        if (component)
            component->MyPaint(sender);
    }
};

TJXForm::TJXForm(TComponent *owner)
    : TComponent(owner), m_fillBitmap(std::make_unique<TBitmap>()),
      m_pattern(std::make_unique<TBitmap>())
{
    jxtCheckSingleInstance(this);
    InitJXForm(qobject_cast<TForm *>(owner));
}

TJXForm::~TJXForm()
{
    // An owner form that is being destroyed frees this component after its own parts are
    // gone: there is nothing left to detach from.
    // The owner is checked as a component: once the form's own destructor has run, the object
    // is no longer a TForm and must not be used as one.
    if (TComponent *owner = Owner(); owner && owner->ComponentState().Contains(csDestroying))
        return;
    if (!m_form || m_form->ComponentState().Contains(csDestroying))
        return;
    if (auto *hook = m_form->OnPaint.target<TPaintHook>(); hook && hook->component == this)
        m_form->OnPaint = nullptr;
    m_form->setMinimumSize(m_formOwnMinimum);
    m_form->setMaximumSize(m_formOwnMaximum);
    m_form->Invalidate();
}

void TJXForm::InitJXForm(TForm *form)
{
    if (!form)
        return;
    m_form = form;
    m_formOwnMinimum = form->minimumSize();
    m_formOwnMaximum = form->maximumSize();
    form->OnPaint = TPaintHook{this};
}

void TJXForm::SetFillBitmap(const TBitmap *value)
{
    m_fillBitmap->AssignOrClear(value);
    if (m_form)
        m_form->Invalidate();
}

void TJXForm::SetFillStyle(TFStyle value)
{
    m_fillStyle = value;
    if (m_form && m_form->FormStyle() == fsMDIForm) {
        Application()->MessageBox(
            QCoreApplication::translate("jxtpack", "MDIFormen werden nicht unterstützt"),
            QStringLiteral("JXForm"), 0);
        m_fillStyle = NONE;
    }
    if (IsPatternStyle(m_fillStyle) && m_fillStyle <= WLGray)
        LoadFillPattern(m_pattern, QString::fromLatin1(FillString[m_fillStyle]));
    if (m_form && m_fillStyle != NONE && m_fillStyle != BITMAP)
        m_form->Refresh();
}

void TJXForm::SetFormMaxHeight(int value)
{
    m_formMaxHeight = value;
    ApplySizeLimits();
}

void TJXForm::SetFormMaxWidth(int value)
{
    m_formMaxWidth = value;
    ApplySizeLimits();
}

void TJXForm::SetFormMinHeight(int value)
{
    m_formMinHeight = value;
    ApplySizeLimits();
}

void TJXForm::SetFormMinWidth(int value)
{
    m_formMinWidth = value;
    ApplySizeLimits();
}

// The limits become the form's minimum and maximum size, which the window system enforces
// while the user drags the frame and Qt enforces for every resize by code. A side without a
// limit keeps the form's own value.
void TJXForm::ApplySizeLimits()
{
    if (!m_form)
        return;
    const auto pick = [](int limit, int own) { return limit > 0 ? limit : own; };
    m_form->setMinimumSize(pick(m_formMinWidth, m_formOwnMinimum.width()),
                           pick(m_formMinHeight, m_formOwnMinimum.height()));
    m_form->setMaximumSize(pick(m_formMaxWidth, m_formOwnMaximum.width()),
                           pick(m_formMaxHeight, m_formOwnMaximum.height()));
}

void TJXForm::Loaded()
{
    TComponent::Loaded();
    TComponent *owner = Owner();
    if (!owner)
        return;
    for (int i = 0; i < owner->ComponentCount(); ++i) {
        auto *control = qobject_cast<TControl *>(owner->Components(i));
        if (!control)
            continue;
        QString hint = control->Hint();
        jxtReplaceString(hint, QStringLiteral("^M"), QStringLiteral("\n\r"));
        control->SetHint(hint);
        // Switching AutoSize off and on makes a label measure its (now final) text again.
        if (auto *label = qobject_cast<TLabel *>(control); label && label->AutoSize()) {
            label->SetAutoSize(false);
            label->SetAutoSize(true);
        }
    }
}

void TJXForm::MyPaint(TObject *)
{
    if (ComponentState().Contains(csDesigning) || !m_form)
        return;
    TCanvas *canvas = m_form->Canvas();
    const int w = m_form->ClientWidth();
    const int h = m_form->ClientHeight();
    switch (m_fillStyle) {
    case NONE: break;
    case BITMAP: FillWithUserBitmap(canvas, m_fillBitmap.get(), w, h); break;
    case vRAINBOW:
    case hRAINBOW:
        PaintFormRamp(canvas, m_fillStyle == vRAINBOW, w, h, m_rbFromColor, m_rbToColor);
        break;
    default: FillWithPattern(canvas, m_pattern.get(), w, h); break;
    }
    FireEvent(this, OnPaint, &TJXForm::onPaint, this);
}

// Always 64 bands of length div 63 + 1 pixels (together they cover the whole length; the
// last may reach past the edge), from `to` at the bottom (right) edge towards `from`, in steps
// of the colour difference div 63 per channel.
void PaintFormRamp(TCanvas *canvas, bool vertical, int width, int height, TColor fromColor,
                   TColor toColor)
{
    const int length = vertical ? height : width;
    if (length <= 0)
        return;
    const int band = length / kRampDivisor + 1;
    const TColor from = ColorToRGB(fromColor);
    const TColor to = ColorToRGB(toColor);
    // C++ division truncates toward zero, as the steps require.
    const int stepR = (GetRValue(from) - GetRValue(to)) / kRampDivisor;
    const int stepG = (GetGValue(from) - GetGValue(to)) / kRampDivisor;
    const int stepB = (GetBValue(from) - GetBValue(to)) / kRampDivisor;
    for (int i = 0; i < TJXForm::kRampBands; ++i) {
        const TColor color =
            RGB((GetRValue(to) + i * stepR) & 0xFF, (GetGValue(to) + i * stepG) & 0xFF,
                (GetBValue(to) + i * stepB) & 0xFF);
        const int nearEdge = length - band * i;
        const int farEdge = length - band * (i + 1);
        const TRect r =
            vertical ? Rect(0, farEdge, width, nearEdge) : Rect(farEdge, 0, nearEdge, height);
        canvas->FillSolid(r, color);
    }
}

} // namespace jxt
