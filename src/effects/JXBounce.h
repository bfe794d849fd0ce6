// SPDX-License-Identifier: MIT
// TJXBounce: a ball, or another control, falling under gravity and bouncing off the edges.
#pragma once

#include "base/Export.h"
#include "host/controls/Controls.h"
#include "host/core/About.h"
#include "host/core/Timer.h"
#include "util/JXVersions.h"

#include <QPointer>

#include <functional>
#include <memory>

namespace jxt {

/// Called on every move with the position and speed by reference (the handler may change
/// them) and the size of the moving object.
using TJXBounceEvent = std::function<void(TObject *sender, int &xPos, int &yPos, int aWidth,
                                          int aHeight, int &xSpeed, int &ySpeed)>;

/// A built-in 10 x 10 white ball, or the control given in Control, falls under Gravitation
/// and bounces off the four edges; each bounce keeps (1000 - Friction) / 1000 of the speed,
/// cut toward zero, so small speeds die out and the object comes to rest on the floor
/// (OnStop). Events report the wall contacts and every move. With NoRefresh the ball is not
/// erased and leaves a trail. Start throws the object again from its start values.
class JXT_EXPORT TJXBounce : public TCustomControl
{
    Q_OBJECT
    Q_PROPERTY(jxt::TJXAboutString About_JXTools READ GetAboutJXT WRITE SetAboutJXT)
    Q_PROPERTY(jxt::TControl *Control READ Control WRITE SetControl)
    Q_PROPERTY(int Friction READ Friction WRITE SetFriction)
    Q_PROPERTY(int Gravitation READ Gravitation WRITE SetGravitation)
    Q_PROPERTY(int Interval READ Interval WRITE SetInterval)
    Q_PROPERTY(bool NoRefresh READ NoRefresh WRITE SetNoRefresh)
    Q_PROPERTY(int StartXPos READ StartXPos WRITE SetStartXPos)
    Q_PROPERTY(int StartXSpeed READ StartXSpeed WRITE SetStartXSpeed)
    Q_PROPERTY(int StartYPos READ StartYPos WRITE SetStartYPos)
    Q_PROPERTY(int StartYSpeed READ StartYSpeed WRITE SetStartYSpeed)
    Q_PROPERTY(jxt::TAlign Align READ Align WRITE SetAlign)
    Q_PROPERTY(jxt::TColorValue Color READ Color WRITE SetColor)
    Q_PROPERTY(bool ParentShowHint READ ParentShowHint WRITE SetParentShowHint)
    Q_PROPERTY(bool ShowHint READ ShowHint WRITE SetShowHint)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    JXT_ABOUT(JXBounceVersion)

public:
    /// The side of the built-in ball in pixels.
    static constexpr int kBallSize = 10;

    explicit TJXBounce(TComponent *owner = nullptr);
    ~TJXBounce() override;
    TAccessibleInfo AccessibleInfo() const override;

    /// The control that bounces instead of the ball (positioned in its own parent's
    /// coordinates); none by default. Cleared when that control goes away.
    TControl *Control() const { return m_control; }
    void SetControl(TControl *value);
    /// Speed lost per bounce in tenths of a percent, 0..100; default 1.
    int Friction() const { return m_friction; }
    void SetFriction(int value);
    /// Added to the vertical speed every step, 0..10; default 1. Restarts.
    int Gravitation() const { return m_gravitation; }
    void SetGravitation(int value);
    /// Milliseconds per step; 0 (default) stops, 1..19 become 20.
    int Interval() const { return m_interval; }
    void SetInterval(int value);
    /// Leave the old balls on screen (a trail); default false. Repaints.
    bool NoRefresh() const { return m_noRefresh; }
    void SetNoRefresh(bool value);
    /// Start position 0..Width / 0..Height (default 1, 1) and speeds -100..100 (default
    /// 10, 10); each restarts.
    //!@{
    int StartXPos() const { return m_startXPos; }
    void SetStartXPos(int value);
    int StartXSpeed() const { return m_startXSpeed; }
    void SetStartXSpeed(int value);
    int StartYPos() const { return m_startYPos; }
    void SetStartYPos(int value);
    int StartYSpeed() const { return m_startYSpeed; }
    void SetStartYSpeed(int value);
    //!@}

    /// The object bounced off the floor (and is still moving).
    TNotifyEvent OnHitFloor;
    /// The object bounced off the left wall (the right wall, the roof).
    //!@{
    TNotifyEvent OnHitLeftWall;
    TNotifyEvent OnHitRightWall;
    TNotifyEvent OnHitRoof;
    //!@}
    /// The object moved (see TJXBounceEvent).
    TJXBounceEvent OnMove;
    /// The object came to rest on the floor; the timer stops.
    TNotifyEvent OnStop;

    /// Throws the object from the start position with the start speeds.
    Q_INVOKABLE void Start();
    /// One step: gravity, move, collisions, drawing.
    void JXOnTime();
    /// Draws the ball at its position, erasing it at the old one unless NoRefresh; with a
    /// Control, moves that control instead.
    void PaintBMP();
    /// The step timer (enabled while Interval is above 0 and the object moves).
    TTimer *Timer() const { return m_timer.get(); }

    /// The object's position, speed and size now.
    //!@{
    int X() const { return m_x; }
    int Y() const { return m_y; }
    int XSpeed() const { return m_xSpeed; }
    int YSpeed() const { return m_ySpeed; }
    int ObjectWidth() const { return m_objectWidth; }
    int ObjectHeight() const { return m_objectHeight; }
    //!@}

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void onHitFloor(jxt::TObject *sender);
    void onHitLeftWall(jxt::TObject *sender);
    void onHitRightWall(jxt::TObject *sender);
    void onHitRoof(jxt::TObject *sender);
    void onMove(jxt::TObject *sender, int *xPos, int *yPos, int aWidth, int aHeight, int *xSpeed,
                int *ySpeed);
    void onStop(jxt::TObject *sender);

protected:
    void Notification(TComponent *component, TOperation operation) override;
    void Paint() override;

private:
    /// Moves off the walls and fires the events; false when a handler freed the bounce.
    bool CheckCollision();
    void TakeObjectSize();
    int Slowed(int speed) const;

    QPointer<TControl> m_control;
    int m_friction = 1;
    int m_gravitation = 1;
    int m_interval = 0;
    bool m_noRefresh = false;
    int m_startXPos = 1;
    int m_startXSpeed = 10;
    int m_startYPos = 1;
    int m_startYSpeed = 10;

    int m_x = 1;
    int m_y = 1;
    int m_xSpeed = 10;
    int m_ySpeed = 10;
    int m_lastX = 1;
    int m_lastY = 1;
    int m_objectWidth = kBallSize;
    int m_objectHeight = kBallSize;
    std::unique_ptr<TTimer> m_timer;
};

} // namespace jxt
