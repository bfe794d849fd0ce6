// SPDX-License-Identifier: MIT
// TJXForm: the background of its owner form in a fill style, limits to the form's size, and
// line breaks in the hints of the form's controls.
#pragma once

#include "base/Export.h"
#include "effects/JXFillImage.h"
#include "host/controls/Forms.h"
#include "host/core/About.h"
#include "host/core/Component.h"
#include "host/graphics/ColorValue.h"
#include "util/JXVersions.h"

#include <QPointer>
#include <QSize>

#include <array>
#include <memory>

namespace jxt {

/// A non-visual component that attaches to the form owning it: at run time it paints the
/// form's client area in one of the fill styles of TJXFillImage (the ramps here always have
/// 64 bands, running from RBToColor at the bottom or right edge towards RBFromColor), keeps
/// the form within FormMin/FormMax sizes, and at loading turns "^M" in the hints of the
/// form's controls into line breaks. It takes over the form's OnPaint (a handler set there
/// before is dropped); this component's OnPaint runs after the fill on every paint. One TJXForm is
/// allowed per form; when it goes away the form paints plainly again and takes back its own
/// size limits. With an owner that is not a form it stays inactive.
class JXT_EXPORT TJXForm : public TComponent
{
    Q_OBJECT
    Q_PROPERTY(jxt::TJXAboutString About_JXTools READ GetAboutJXT WRITE SetAboutJXT)
    Q_PROPERTY(jxt::TBitmap *FillBitmap READ FillBitmap WRITE SetFillBitmap)
    Q_PROPERTY(jxt::TJXFillImage::TFStyle FillStyle READ FillStyle WRITE SetFillStyle)
    Q_PROPERTY(int FormMaxHeight READ FormMaxHeight WRITE SetFormMaxHeight)
    Q_PROPERTY(int FormMaxWidth READ FormMaxWidth WRITE SetFormMaxWidth)
    Q_PROPERTY(int FormMinHeight READ FormMinHeight WRITE SetFormMinHeight)
    Q_PROPERTY(int FormMinWidth READ FormMinWidth WRITE SetFormMinWidth)
    Q_PROPERTY(jxt::TColorValue RBFromColor READ RBFromColor WRITE SetRBFromColor)
    Q_PROPERTY(jxt::TColorValue RBToColor READ RBToColor WRITE SetRBToColor)
    Q_CLASSINFO("ToolTip", "Form background, size limits and hint line breaks")
    Q_CLASSINFO("WhatsThis",
                "Paints its form's background with a colour ramp, a pattern or a bitmap, keeps "
                "the form between a minimum and a maximum size, and turns ^M in the hints of the "
                "form's controls into line breaks.")
    JXT_ABOUT(JXFormVersion)

public:
    /// Names of the fill styles, then the pattern resources of the eight pattern styles.
    static constexpr std::array<const char *, 12> FillString = {
        "NONE",     "BITMAP",   "vRAINBOW",  "hRAINBOW", "JXFBCYAN", "JXFBGRAY",
        "JXFLCYAN", "JXFLGRAY", "JXFWDGRAY", "JXFWEAVE", "JXFWGRAY", "JXFWLGRAY"};
    /// Number of bands of a ramp.
    static constexpr int kRampBands = 64;

    /// Attaches to owner, which must be a form. In the designer a second TJXForm on the form
    /// throws TDuplicateComponent and an owner that is no form TFormNotOwner.
    explicit TJXForm(TComponent *owner = nullptr);
    /// Gives the form its paint handler slot and size limits back and repaints it.
    ~TJXForm() override;

    /// The user bitmap of the BITMAP style (a copy is kept); empty by default. Repaints the
    /// form.
    TBitmap *FillBitmap() const { return m_fillBitmap.get(); }
    void SetFillBitmap(const TBitmap *value);
    /// Default NONE. A pattern style loads its pattern; the ramps and patterns repaint the
    /// form at once, NONE and BITMAP show at the form's next repaint. A form with the MDI
    /// style refuses every fill with a message and stays at NONE.
    TFStyle FillStyle() const { return m_fillStyle; }
    void SetFillStyle(TFStyle value);
    /// Size limits of the form's client area in pixels; 0 (default) or less leaves that
    /// side unlimited. They apply at once to every later resize, by the user or by code.
    //!@{
    int FormMaxHeight() const { return m_formMaxHeight; }
    void SetFormMaxHeight(int value);
    int FormMaxWidth() const { return m_formMaxWidth; }
    void SetFormMaxWidth(int value);
    int FormMinHeight() const { return m_formMinHeight; }
    void SetFormMinHeight(int value);
    int FormMinWidth() const { return m_formMinWidth; }
    void SetFormMinWidth(int value);
    //!@}
    /// Colour of the ramp's far end (top or left); default clLime. Shows at the next paint.
    TColor RBFromColor() const { return m_rbFromColor; }
    void SetRBFromColor(TColor value) { m_rbFromColor = value; }
    /// Colour of the ramp's near end (bottom or right); default clAqua. Shows at the next
    /// paint.
    TColor RBToColor() const { return m_rbToColor; }
    void SetRBToColor(TColor value) { m_rbToColor = value; }

    /// The form this component paints, or nullptr when it is inactive.
    TForm *Form() const { return m_form.data(); }
    /// The pattern of the last pattern style chosen (empty before the first).
    const TBitmap *PatternBitmap() const { return m_pattern.get(); }

    /// Replaces "^M" in the hints of the owner's controls by a line feed and a carriage
    /// return, and lets auto-sized labels measure their text again.
    void Loaded() override;

    /// Runs after the fill on every paint of the form at run time.
    TNotifyEvent OnPaint;

signals:
    void onPaint(jxt::TObject *sender);

protected:
    /// The form's paint handler: the fill, then OnPaint; nothing in the designer.
    void MyPaint(TObject *sender);

private:
    struct TPaintHook;
    void InitJXForm(TForm *form);
    void ApplySizeLimits();

    QPointer<TForm> m_form;
    QSize m_formOwnMinimum;
    QSize m_formOwnMaximum;
    std::unique_ptr<TBitmap> m_fillBitmap;
    std::unique_ptr<TBitmap> m_pattern;
    TFStyle m_fillStyle = NONE;
    int m_formMaxHeight = 0;
    int m_formMaxWidth = 0;
    int m_formMinHeight = 0;
    int m_formMinWidth = 0;
    TColor m_rbFromColor = clLime;
    TColor m_rbToColor = clAqua;
};

/// The ramp of the form background over (0, 0, width, height) of canvas: 64 bands of
/// length div 63 + 1 pixels from the bottom edge upwards (vertical) or from the right edge
/// leftwards, band 0 in `to` and each further band a step of the channel differences div 63
/// towards `from`. Nothing for a length of 0 or less.
JXT_EXPORT void PaintFormRamp(TCanvas *canvas, bool vertical, int width, int height, TColor from,
                              TColor to);

} // namespace jxt
