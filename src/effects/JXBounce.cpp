// SPDX-License-Identifier: MIT
// TJXBounce: gravity, collisions with friction, and moving the ball or the other control.
#include "effects/JXBounce.h"

#include "host/core/Events.h"

#include "util/Jxutil.h"

#include <algorithm>
#include <climits>

namespace jxt {

namespace {
constexpr int kMinInterval = 20;
constexpr int kMaxSpeed = 100;

// a + b held within the range of int, so no speed or position can overflow.
int Add(int a, int b)
{
    const long long sum = static_cast<long long>(a) + b;
    return int(std::clamp<long long>(sum, INT_MIN, INT_MAX));
}
} // namespace

TJXBounce::TJXBounce(TComponent *owner) : TCustomControl(owner), m_timer(std::make_unique<TTimer>())
{
    setFocusPolicy(Qt::NoFocus); // a display: nothing to type into
    m_timer->OnTimer = [this](TObject *) { JXOnTime(); };
    m_timer->SetEnabled(false);
    SetBounds(Left(), Top(), 75, 50);
    TCustomControl::SetColor(clBlack);
    m_noRefresh = false;
    SetStartXPos(1);
    SetStartYPos(1);
    m_objectWidth = m_objectHeight = kBallSize;
    SetStartXSpeed(10);
    SetStartYSpeed(10);
    SetFriction(1);
    SetGravitation(1);
    SetInterval(0);
    m_lastX = m_x;
    m_lastY = m_y;
}

TJXBounce::~TJXBounce()
{
    m_timer->SetEnabled(false);
    m_timer->OnTimer = nullptr;
}

void TJXBounce::TakeObjectSize()
{
    if (m_control) {
        m_objectWidth = m_control->Width();
        m_objectHeight = m_control->Height();
    } else {
        m_objectWidth = m_objectHeight = kBallSize;
    }
}

void TJXBounce::SetControl(TControl *value)
{
    if (value == this)
        value = nullptr; // the bounce area cannot bounce itself
    if (m_control && m_control != value)
        RemoveFreeNotification(m_control);
    m_control = value;
    if (value)
        FreeNotification(value);
    TakeObjectSize();
}

void TJXBounce::Notification(TComponent *component, TOperation operation)
{
    if (operation == opRemove && component &&
        component == static_cast<TComponent *>(m_control.data())) {
        m_control = nullptr;
        TakeObjectSize();
    }
    TCustomControl::Notification(component, operation);
}

void TJXBounce::SetFriction(int value)
{
    jxtMinMaxInteger(value, 0, 100);
    m_friction = value;
}

void TJXBounce::SetGravitation(int value)
{
    jxtMinMaxInteger(value, 0, 10);
    m_gravitation = value;
    Start();
}

void TJXBounce::SetInterval(int value)
{
    if (value > 0 && value < kMinInterval)
        value = kMinInterval;
    m_interval = value;
    m_timer->SetInterval(value);
}

void TJXBounce::SetNoRefresh(bool value)
{
    m_noRefresh = value;
    Invalidate();
}

void TJXBounce::SetStartXPos(int value)
{
    jxtMinMaxInteger(value, 0, Width());
    m_startXPos = value;
    m_x = value;
    Invalidate();
    Start();
}

void TJXBounce::SetStartYPos(int value)
{
    jxtMinMaxInteger(value, 0, Height());
    m_startYPos = value;
    m_y = value;
    Invalidate();
    Start();
}

void TJXBounce::SetStartXSpeed(int value)
{
    jxtMinMaxInteger(value, -kMaxSpeed, kMaxSpeed);
    m_startXSpeed = value;
    m_xSpeed = value;
    Start();
}

void TJXBounce::SetStartYSpeed(int value)
{
    jxtMinMaxInteger(value, -kMaxSpeed, kMaxSpeed);
    m_startYSpeed = value;
    m_ySpeed = value;
    Start();
}

void TJXBounce::Start()
{
    m_x = m_startXPos;
    m_y = m_startYPos;
    m_xSpeed = m_startXSpeed;
    m_ySpeed = m_startYSpeed;
    TakeObjectSize();
    m_timer->SetEnabled(true);
    Invalidate();
}

void TJXBounce::JXOnTime()
{
    m_ySpeed = Add(m_ySpeed, m_gravitation);
    m_x = Add(m_x, m_xSpeed);
    m_y = Add(m_y, m_ySpeed);
    if (!CheckCollision())
        return; // a handler freed the bounce
    // A moved control is state, not a picture; the ball itself is only drawn where it shows.
    if (m_control || Showing())
        PaintBMP();
    else
        Invalidate();
}

// The speed after a bounce: (1000 - Friction) / 1000 of it, cut toward zero.
int TJXBounce::Slowed(int speed) const
{
    return int(static_cast<long long>(speed) * (1000 - m_friction) / 1000);
}

bool TJXBounce::CheckCollision()
{
    const int w = m_objectWidth;
    const int h = m_objectHeight;
    if (!FireEvent(this, OnMove, &TJXBounce::onMove, this, m_x, m_y, w, h, m_xSpeed, m_ySpeed))
        return false;

    if (m_x < 1) {
        m_x = 1;
        m_xSpeed = -Slowed(m_xSpeed);
        if (m_xSpeed != 0) {
            if (!FireEvent(this, OnHitLeftWall, &TJXBounce::onHitLeftWall, this))
                return false;
        }
    }
    if (static_cast<long long>(m_x) + w >= Width()) {
        m_x = Width() - w - 1;
        m_xSpeed = -Slowed(m_xSpeed);
        if (m_xSpeed != 0) {
            if (!FireEvent(this, OnHitRightWall, &TJXBounce::onHitRightWall, this))
                return false;
        }
    }
    if (m_y < 1) {
        m_y = 1;
        m_ySpeed = -Slowed(m_ySpeed);
        if (!FireEvent(this, OnHitRoof, &TJXBounce::onHitRoof, this))
            return false;
    }
    if (static_cast<long long>(m_y) + h >= Height()) {
        m_y = Height() - h - 1;
        m_ySpeed = -Slowed(m_ySpeed);
        if (m_ySpeed >= -1 && m_ySpeed <= 1)
            m_xSpeed = Slowed(m_xSpeed); // rolling: slowed in the same direction
        if (m_xSpeed != 0 || m_ySpeed != 0) {
            if (!FireEvent(this, OnHitFloor, &TJXBounce::onHitFloor, this))
                return false;
        } else {
            m_timer->SetEnabled(false);
            if (!FireEvent(this, OnStop, &TJXBounce::onStop, this))
                return false;
        }
    }
    return true;
}

void TJXBounce::PaintBMP()
{
    if (!Visible() && !ComponentState().Contains(csDesigning))
        return;
    if (m_control) {
        m_control->SetBounds(m_x, m_y, m_control->Width(), m_control->Height());
        return;
    }
    TCanvas *c = Canvas();
    if (!m_noRefresh && (m_lastX != m_x || m_lastY != m_y)) {
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(Color());
        c->Pen()->SetColor(Color());
        c->Ellipse(m_lastX, m_lastY, m_lastX + kBallSize, m_lastY + kBallSize);
        m_lastX = m_x;
        m_lastY = m_y;
    }
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clWhite);
    c->Ellipse(m_x, m_y, m_x + kBallSize, m_y + kBallSize);
}

void TJXBounce::Paint()
{
    if (!m_noRefresh)
        TCustomControl::Paint();
    PaintBMP();
}

QSize TJXBounce::sizeHint() const
{
    return {75, 50};
}

QSize TJXBounce::minimumSizeHint() const
{
    return {kBallSize + 2, kBallSize + 2};
}

TAccessibleInfo TJXBounce::AccessibleInfo() const
{
    return {QAccessible::Animation, QStringLiteral("Springender Ball")};
}

} // namespace jxt
