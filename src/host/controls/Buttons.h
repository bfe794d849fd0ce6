// SPDX-License-Identifier: MIT
// TBitBtn: a push button with a kind that gives it a caption, a glyph and a modal result.
#pragma once

#include "base/Export.h"

#include "host/controls/Controls.h"
#include "host/controls/Dialogs.h"

#include <memory>

namespace jxt {

/// A push button painted with a raised 3D face (sunken while pressed), its glyph (a picture
/// of its kind, or Glyph) and Caption. Clicking it (mouse release inside, Space or Enter
/// while focused, or Click()) gives the form it sits on the button's ModalResult, which
/// ends a modal form, then fires OnClick; bkClose closes the form instead.
class JXT_EXPORT TBitBtn : public TCustomControl
{
    Q_OBJECT
    Q_PROPERTY(bool Cancel READ Cancel WRITE SetCancel)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(bool Default READ Default WRITE SetDefault)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(jxt::TBitBtnKind Kind READ Kind WRITE SetKind)
    Q_PROPERTY(int ModalResult READ ModalResult WRITE SetModalResult)
    Q_PROPERTY(bool ShowHint READ ShowHint WRITE SetShowHint)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)

public:
    explicit TBitBtn(TComponent *owner = nullptr);
    ~TBitBtn() override;

    /// Default bkCustom. Any other kind sets Caption, ModalResult, Default and Cancel to the
    /// kind's values; repaints.
    TBitBtnKind Kind() const { return m_kind; }
    void SetKind(TBitBtnKind kind);
    /// Default mrNone.
    TModalResult ModalResult() const { return m_modalResult; }
    void SetModalResult(TModalResult value) { m_modalResult = value; }
    /// The default button of its form (drawn with a dark outline); default false.
    bool Default() const { return m_default; }
    void SetDefault(bool value);
    /// The button Escape stands for; default false.
    bool Cancel() const { return m_cancel; }
    void SetCancel(bool value) { m_cancel = value; }
    /// A picture drawn left of the caption (owned). When empty, the kind's own picture is
    /// drawn.
    TBitmap *Glyph() const { return m_glyph.get(); }
    void SetGlyph(const TBitmap *glyph);
    /// Whether the button is drawn pressed (mouse held down over it).
    bool Down() const { return m_down; }

    void Click() override;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void PaintKindGlyph(TCanvas *canvas, int x, int y) const;

    TBitBtnKind m_kind = bkCustom;
    TModalResult m_modalResult = mrNone;
    bool m_default = false;
    bool m_cancel = false;
    std::unique_ptr<TBitmap> m_glyph;
    bool m_tracking = false;
    bool m_down = false;
};

} // namespace jxt
