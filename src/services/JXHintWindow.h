// SPDX-License-Identifier: MIT
// The balloon hint window that TJXHint installs as the application's hint window class.
#pragma once

#include "services/JXHint.h"

#include <memory>

namespace jxt {

/// The balloon hint window. ActivateHint measures the text, picks the corner, reads the
/// screen behind the balloon, darkens it where the shadow falls, draws the balloon with its
/// tail towards the cursor and the centred text, and shows the window; Paint shows that
/// picture.
class JXT_EXPORT TJXHintWindow : public THintWindow
{
    Q_OBJECT

public:
    explicit TJXHintWindow(TComponent *owner = nullptr);
    ~TJXHintWindow() override;

    /// Builds the balloon for hint at the cursor and shows it; rect is not used.
    void ActivateHint(const TRect &rect, const QString &hint) override;
    /// True (the hint closes) for keys, mouse buttons and the wheel, activation changes,
    /// application keys and system commands, commands and non-client mouse moves; for a
    /// mouse move only when the cursor moved since the last call. Every call notes the
    /// cursor position in JXH_Crs.
    bool IsHintMsg(const TMsg &msg) override;

    /// Where a W x H balloon for the cursor at (x, y) goes on a screenWidth x screenHeight
    /// screen when preferred is the wish: the final corner, the window's origin and the text
    /// offset inside it.
    struct TPlacement
    {
        THintPosition Position = hpAboveRight; ///< The corner the balloon ends up at.
        TPoint Origin;                         ///< The window's top-left corner on screen.
        TPoint TextOffset;                     ///< Where the text starts inside the window.
    };
    /// The placement of a W x H balloon for the cursor (see TPlacement).
    static TPlacement Place(TPoint cursor, int w, int h, THintPosition preferred, int screenWidth,
                            int screenHeight);

    /// The picture shown (JXH_BakBitmap, or the window's own one without a TJXHint).
    TBitmap *Picture() const;
    /// The corner chosen by the last ActivateHint.
    THintPosition LastPosition() const { return m_lastPosition; }

protected:
    void Paint() override;

private:
    std::unique_ptr<TBitmap> m_ownPicture;
    THintPosition m_lastPosition = hpAboveRight;
};

} // namespace jxt
