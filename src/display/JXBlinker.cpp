// SPDX-License-Identifier: MIT
// Colour blinker for other controls.
#include "display/JXBlinker.h"

#include "host/core/Timer.h"

namespace jxt {

TJXBlinker::TJXBlinker(TComponent *owner) : TComponent(owner), m_timer(std::make_unique<TTimer>())
{
    m_timer->SetEnabled(false);
    m_timer->SetInterval(m_interval);
    m_timer->OnTimer = [this](TObject *) { JXOnTime(); };
}

TJXBlinker::~TJXBlinker()
{
    m_timer->SetEnabled(false);
    m_timer->OnTimer = nullptr;
}

void TJXBlinker::SetBlink(bool value)
{
    m_blink = value;
    m_timer->SetEnabled(value);
    m_hiPhase = true;
    if (!value)
        SetControlColor(m_inaktColor);
}

void TJXBlinker::SetBlinkInaktColor(TColor color)
{
    m_inaktColor = color;
    SetControlColor(color);
}

void TJXBlinker::SetInterval(int value)
{
    if (value >= 1 && value <= 19)
        value = 20;
    m_interval = value;
    m_timer->SetInterval(value);
}

void TJXBlinker::SetBlinkStyle(TBlinkStyle style)
{
    SetControlColor(m_inaktColor);
    m_style = style;
    // Without a control there is no colour of the new kind to rest on; the resting colour
    // stays as it is.
    if (m_control)
        m_inaktColor = ControlColor();
}

void TJXBlinker::SetControl(TControl *control)
{
    if (m_control) {
        SetControlColor(m_inaktColor);
        if (m_control != control)
            RemoveFreeNotification(m_control);
    }
    m_control = control;
    if (control) {
        // The control may belong to another owner; ask it to tell us when it goes away.
        FreeNotification(control);
        m_inaktColor = ControlColor();
    }
}

void TJXBlinker::Notification(TComponent *component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == opRemove && m_control && component == m_control) {
        m_control = nullptr;
        SetBlink(false);
    }
}

void TJXBlinker::JXOnTime()
{
    if (!m_control)
        return;
    const bool running = m_timer->Enabled();
    m_timer->SetEnabled(false);
    SetControlColor(m_hiPhase ? m_hiColor : m_loColor);
    m_timer->SetEnabled(running);
    m_hiPhase = !m_hiPhase;
}

TColor TJXBlinker::ControlColor() const
{
    if (!m_control)
        return 0;
    return m_style == bsColor ? m_control->Color() : m_control->Font()->Color();
}

void TJXBlinker::SetControlColor(TColor color)
{
    if (!m_control)
        return;
    if (m_style == bsColor)
        m_control->SetColor(color);
    else
        m_control->Font()->SetColor(color);
}

} // namespace jxt
