// SPDX-License-Identifier: MIT
// Hint windows: THintWindow, the application's hint window class, and the hint machinery
// that shows a hint window of that class for controls with a Hint.
#pragma once

#include "base/Export.h"
#include "host/controls/Controls.h"

#include <QImage>

#include <functional>
#include <memory>

class QMetaObject;

namespace jxt {

/// A message: its Windows message number, and the Qt event it stands for with the object
/// that receives it (both null for messages made up by code).
struct JXT_EXPORT TMsg
{
    unsigned Message = 0;        ///< The Windows message number (WM_KEYDOWN, ...).
    QObject *Receiver = nullptr; ///< The object the event goes to.
    QEvent *Event = nullptr;     ///< The Qt event.
};

/// Message numbers the hint machinery reports to IsHintMsg.
constexpr unsigned WM_NCMOUSEMOVE = 0x00A0;
constexpr unsigned WM_KEYFIRST = 0x0100, WM_KEYDOWN = 0x0100, WM_KEYUP = 0x0101, WM_CHAR = 0x0102,
                   WM_SYSKEYDOWN = 0x0104, WM_SYSKEYUP = 0x0105, WM_KEYLAST = 0x0108;
constexpr unsigned WM_COMMAND = 0x0111;
constexpr unsigned WM_MOUSEMOVE = 0x0200, WM_LBUTTONDOWN = 0x0201, WM_LBUTTONUP = 0x0202,
                   WM_LBUTTONDBLCLK = 0x0203, WM_RBUTTONDOWN = 0x0204, WM_RBUTTONUP = 0x0205,
                   WM_MBUTTONDOWN = 0x0207, WM_MBUTTONUP = 0x0208, WM_MOUSEWHEEL = 0x020A;
/// The framework's own messages: activation changes, application key and system commands.
constexpr unsigned CM_ACTIVATE = 0xB000, CM_DEACTIVATE = 0xB001, CM_APPKEYDOWN = 0xB016,
                   CM_APPSYSCOMMAND = 0xB017;

/// The message number of an input or activation event (WM_LBUTTONDOWN for a left button
/// press, CM_ACTIVATE for a window activation, ...), or 0 for other events.
JXT_EXPORT unsigned MessageOf(const QEvent *event);

/// A borderless pop-up window that shows a hint near the mouse cursor. It never takes the
/// focus and lets the mouse through. The base class shows the text on the hint colour with a
/// thin frame; subclasses draw their own picture.
class JXT_EXPORT THintWindow : public TCustomControl
{
    Q_OBJECT

public:
    explicit THintWindow(TComponent *owner = nullptr);
    ~THintWindow() override;

    /// Shows hint in the window placed on rect (screen coordinates).
    virtual void ActivateHint(const TRect &rect, const QString &hint);
    /// The size a hint needs when it wraps at maxWidth, as a rectangle at (0, 0).
    virtual TRect CalcHintRect(int maxWidth, const QString &hint);
    /// Whether msg closes the hint. The base closes on keys, mouse buttons and the wheel,
    /// activation changes and commands, not on mouse moves.
    virtual bool IsHintMsg(const TMsg &msg);
    /// Hides the window.
    void ReleaseHandle();

protected:
    void Paint() override;
};

/// A hint window class: what the application creates its hint window from.
struct JXT_EXPORT THintWindowClass
{
    const QMetaObject *MetaObject = nullptr;              ///< The class's meta-object.
    std::function<std::unique_ptr<THintWindow>()> Create; ///< Makes a window of the class.
    /// The same class when the meta-objects are the same.
    //!@{
    bool operator==(const THintWindowClass &o) const { return MetaObject == o.MetaObject; }
    bool operator!=(const THintWindowClass &o) const { return !(*this == o); }
    //!@}
};

/// The hint window class of T (a THintWindow subclass).
template <typename T> THintWindowClass HintWindowClassOf()
{
    return THintWindowClass{&T::staticMetaObject, [] { return std::make_unique<T>(); }};
}

/// Sets the class of the application's hint window (the next hint shown uses it). Setting a
/// class also switches the library's hint machinery on: from then on the hints of controls
/// are shown in windows of that class rather than as the toolkit's tooltips.
JXT_EXPORT void SetHintWindowClass(const THintWindowClass &windowClass);
/// The class set last; THintWindow until one is set.
JXT_EXPORT THintWindowClass HintWindowClass();
/// The hint window shown now, or nullptr.
JXT_EXPORT THintWindow *ActiveHintWindow();
/// Shows the hint of widget (or of the nearest parent with one) now, as the hint pause
/// running out does; false when there is none to show or hints are off.
JXT_EXPORT bool ShowHintFor(QWidget *widget);
/// Hides the hint shown now, if any.
JXT_EXPORT void CancelHint();
/// Passes msg to the hint window shown now and hides it when the window says msg closes it
/// (the machinery does this for the events it sees).
JXT_EXPORT void HintMessage(const TMsg &msg);

/// Reads the pictures of the screen behind windows; tests install their own.
using TScreenGrabber = std::function<QImage(const TRect &area)>;
/// The screen's picture of area (screen coordinates, logical pixels), area's size; parts the
/// screen does not cover are button-face grey.
JXT_EXPORT QImage GrabScreenArea(const TRect &area);
/// Installs grabber (nullptr restores the real screen) and returns the previous one.
JXT_EXPORT TScreenGrabber SetScreenGrabber(TScreenGrabber grabber);

} // namespace jxt
