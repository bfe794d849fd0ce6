// SPDX-License-Identifier: MIT
// TJXFxImage: a picture, or a caption rendered into one, shown and removed with a
// transition: blocks in random order, or sliding in from the right edge.
#pragma once

#include "base/Export.h"
#include "host/controls/Controls.h"
#include "host/core/About.h"
#include "util/JXVersions.h"

#include <memory>
#include <vector>

namespace jxt {

/// FadeIn shows Picture with the effect of FadeStyle and FadeOut removes it with the
/// matching one; both run to their end before they return, showing each step and keeping
/// the application responsive in short pauses. The random effect cuts the picture into
/// square blocks (single pixels, or larger blocks for large pictures so that the list of
/// blocks stays within 1,000,000 bytes); the left effects slide the picture in from the
/// right edge (WipeLeft also scrolls what is there). Center places the picture in the
/// middle. Setting Caption renders the text in Font on Color into Picture and hides it
/// until the next FadeIn.
class JXT_EXPORT TJXFxImage : public TGraphicControl
{
    Q_OBJECT
    Q_PROPERTY(jxt::TJXAboutString About_JXTools READ GetAboutJXT WRITE SetAboutJXT)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(bool Center READ Center WRITE SetCenter)
    Q_PROPERTY(TFadeStyle FadeStyle READ FadeStyle WRITE SetFadeStyle)
    Q_PROPERTY(jxt::TBitmap *Picture READ Picture WRITE SetPicture)
    Q_PROPERTY(jxt::TAlign Align READ Align WRITE SetAlign)
    Q_PROPERTY(jxt::TColorValue Color READ Color WRITE SetColor)
    Q_PROPERTY(jxt::TFont *Font READ Font)
    JXT_ABOUT(JXFxImageVersion)

public:
    /// The effect of FadeIn and FadeOut: none (at once), random blocks, or the picture
    /// sliding in from the right edge (jxfsWipeLeft also scrolls what is there).
    enum TFadeStyle { jxfsNONE, jxfsRandom, jxfsFadeLeft, jxfsWipeLeft };
    Q_ENUM(TFadeStyle)

    /// Largest size of the block list in bytes (8 bytes a block).
    static constexpr int kMaxBlockBytes = 1000000;

    explicit TJXFxImage(TComponent *owner = nullptr);
    ~TJXFxImage() override;
    TAccessibleInfo AccessibleInfo() const override;

    /// Renders the text into Picture (its size, Font on Color) and hides the picture.
    void SetCaption(const QString &value) override;
    /// Centre the picture in the control at the next effect; default false.
    bool Center() const { return m_center; }
    void SetCenter(bool value) { m_center = value; }
    /// Default jxfsNONE, which also shows the picture at the next paint.
    TFadeStyle FadeStyle() const { return m_fadeStyle; }
    void SetFadeStyle(TFadeStyle value);
    /// The picture (a copy is kept). Repaints.
    TBitmap *Picture() const { return m_picture.get(); }
    void SetPicture(const TBitmap *value);

    /// Shows the picture with the effect of FadeStyle.
    void FadeIn();
    /// Removes the picture with the effect of FadeStyle.
    void FadeOut();
    /// Replaces Picture by a copy stretched to the control's size.
    void Stretch();

    /// Pause briefly during the random effects (default true); without pauses an effect
    /// runs at full speed and shows only its end.
    bool Pauses() const { return m_pauses; }
    void SetPauses(bool value) { m_pauses = value; }
    /// Whether Paint draws the picture.
    bool Showing() const { return m_show; }
    /// Side of the square blocks and the block origins of the last effect.
    //!@{
    int BlockSize() const { return m_blockSize; }
    const std::vector<TPoint> &Blocks() const { return m_blocks; }
    //!@}
    /// A pause is made after every PauseStep-th block (after every block when it is 0).
    int PauseStep() const { return m_pauseStep; }
    /// Number of pauses made so far.
    int PauseCount() const { return m_pauseCount; }
    /// Where the picture's top-left corner is drawn in the control.
    TPoint Offset() const { return Point(m_offX, m_offY); }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void Paint() override;

private:
    bool InitPoints(int pw, int ph);
    bool Delay(int ms);
    bool ShowStep();
    bool PauseAfter(int index);
    void ScrollLeft();

    bool m_center = false;
    TFadeStyle m_fadeStyle = jxfsNONE;
    std::unique_ptr<TBitmap> m_picture;
    bool m_pauses = true;
    bool m_show = true;
    bool m_running = false;
    int m_blockSize = 1;
    std::vector<TPoint> m_blocks;
    int m_offX = 0;
    int m_offY = 0;
    int m_pauseStep = 100;
    int m_pauseCount = 0;
};

using TFadeStyle = TJXFxImage::TFadeStyle;
constexpr TFadeStyle jxfsNONE = TJXFxImage::jxfsNONE;
constexpr TFadeStyle jxfsRandom = TJXFxImage::jxfsRandom;
constexpr TFadeStyle jxfsFadeLeft = TJXFxImage::jxfsFadeLeft;
constexpr TFadeStyle jxfsWipeLeft = TJXFxImage::jxfsWipeLeft;

} // namespace jxt
