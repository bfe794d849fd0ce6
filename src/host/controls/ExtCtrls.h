// SPDX-License-Identifier: MIT
// Panels, images and bevels: the standard extended controls of the host layer.
#pragma once

#include "base/Export.h"

#include "host/controls/Controls.h"
#include "host/controls/Forms.h"

#include <memory>

namespace jxt {

/// A bevelled panel that holds other controls. It paints an outer bevel, a border of
/// BorderWidth in Color and an inner bevel, fills the rest with Color and shows Caption on
/// one line, centred vertically and placed horizontally by Alignment. Aligned children sit
/// inside the bevels and the border.
class JXT_EXPORT TCustomPanel : public TCustomControl
{
    Q_OBJECT

public:
    explicit TCustomPanel(TComponent *owner = nullptr);

    /// Placement of the caption; default taCenter; repaints.
    TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment value);
    /// Inner bevel; default bvNone; repaints and realigns the children.
    TPanelBevel BevelInner() const { return m_bevelInner; }
    void SetBevelInner(TPanelBevel value);
    /// Outer bevel; default bvRaised; repaints and realigns the children.
    TPanelBevel BevelOuter() const { return m_bevelOuter; }
    void SetBevelOuter(TPanelBevel value);
    /// Width of each bevel in pixels; default 1, at least 1.
    int BevelWidth() const { return m_bevelWidth; }
    void SetBevelWidth(int value);
    /// Width of the border between the bevels, drawn in Color; default 0, at least 0.
    int BorderWidth() const { return m_borderWidth; }
    void SetBorderWidth(int value);
    /// bsSingle draws a one-pixel line around the panel, outside its client area; default
    /// bsNone. Other styles count as bsSingle.
    TBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TBorderStyle value);
    /// Kept for form files; has no effect on drawing.
    bool Locked() const { return m_locked; }
    void SetLocked(bool value) { m_locked = value; }

    /// The panel's area less the single-line border.
    TRect ClientRect() const override;
    /// The client area less bevels and border: where aligned children are placed.
    TRect AlignRect() const override;

    /// The caption (each line break a line) with a few pixels of room inside the bevels.
    QSize sizeHint() const override;
    /// The caption inside the bevels.
    QSize minimumSizeHint() const override;

protected:
    void Paint() override;
    void paintEvent(QPaintEvent *event) override;
    /// Draws the outer bevel, the border and the inner bevel inside r and shrinks r to the
    /// area within them.
    void PaintBevels(TRect &r);
    /// The total width of bevels and border on each side.
    int BevelInset() const;
    /// The extent of text in Font, one line per line break.
    QSize TextExtent(const QString &text) const;

private:
    void BordersChanged();

    TAlignment m_alignment = taCenter;
    TPanelBevel m_bevelInner = bvNone;
    TPanelBevel m_bevelOuter = bvRaised;
    int m_bevelWidth = 1;
    int m_borderWidth = 0;
    TBorderStyle m_borderStyle = bsNone;
    bool m_locked = false;
};

/// A panel with its properties published.
class JXT_EXPORT TPanel : public TCustomPanel
{
    Q_OBJECT
    Q_PROPERTY(jxt::TAlign Align READ Align WRITE SetAlign)
    Q_PROPERTY(jxt::TAlignment Alignment READ Alignment WRITE SetAlignment)
    Q_PROPERTY(jxt::TPanelBevel BevelInner READ BevelInner WRITE SetBevelInner)
    Q_PROPERTY(jxt::TPanelBevel BevelOuter READ BevelOuter WRITE SetBevelOuter)
    Q_PROPERTY(int BevelWidth READ BevelWidth WRITE SetBevelWidth)
    Q_PROPERTY(int BorderWidth READ BorderWidth WRITE SetBorderWidth)
    Q_PROPERTY(jxt::TBorderStyle BorderStyle READ BorderStyle WRITE SetBorderStyle)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(jxt::TColorValue Color READ Color WRITE SetColor)
    Q_PROPERTY(bool Locked READ Locked WRITE SetLocked)
    Q_PROPERTY(bool ParentColor READ ParentColor WRITE SetParentColor)
    Q_PROPERTY(bool ParentFont READ ParentFont WRITE SetParentFont)
    Q_PROPERTY(bool ShowHint READ ShowHint WRITE SetShowHint)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)

public:
    using TCustomPanel::TCustomPanel;
};

/// Shows a picture. Stretch scales it to the control (keeping its proportions with
/// Proportional, which also shrinks pictures larger than the control), Center centres it,
/// Transparent draws bitmaps with their transparent colour left out, AutoSize gives the
/// control the picture's size. The parent shows through where the picture does not cover
/// the control. At design time a dashed frame marks the control.
class JXT_EXPORT TImage : public TGraphicControl
{
    Q_OBJECT
    Q_PROPERTY(jxt::TAlign Align READ Align WRITE SetAlign)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
    Q_PROPERTY(bool Center READ Center WRITE SetCenter)
    Q_PROPERTY(bool Proportional READ Proportional WRITE SetProportional)
    Q_PROPERTY(bool Stretch READ Stretch WRITE SetStretch)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)

public:
    explicit TImage(TComponent *owner = nullptr);
    ~TImage() override;

    /// The picture shown (owned); changing it repaints. SetPicture copies.
    TPicture *Picture() const { return m_picture.get(); }
    void SetPicture(const TPicture *picture);
    /// Default false; repaints.
    bool Stretch() const { return m_stretch; }
    void SetStretch(bool value);
    /// Default false; repaints.
    bool Center() const { return m_center; }
    void SetCenter(bool value);
    /// Default false; repaints.
    bool Proportional() const { return m_proportional; }
    void SetProportional(bool value);
    /// Default false; repaints.
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool value);
    /// Default false; when set the control takes the picture's size now and on every change.
    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool value);

    /// Where the picture is drawn, in client coordinates.
    TRect DestRect() const;

protected:
    void Paint() override;

private:
    void PictureChanged();

    std::unique_ptr<TPicture> m_picture;
    bool m_stretch = false;
    bool m_center = false;
    bool m_proportional = false;
    bool m_transparent = false;
    bool m_autoSize = false;
};

/// A bevelled box, frame or line.
class JXT_EXPORT TBevel : public TGraphicControl
{
    Q_OBJECT
    Q_PROPERTY(jxt::TAlign Align READ Align WRITE SetAlign)
    Q_PROPERTY(jxt::TBevelShape Shape READ Shape WRITE SetShape)
    Q_PROPERTY(jxt::TBevelStyle Style READ Style WRITE SetStyle)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)

public:
    explicit TBevel(TComponent *owner = nullptr);

    /// Default bsBox; repaints.
    TBevelShape Shape() const { return m_shape; }
    void SetShape(TBevelShape value);
    /// Default bsLowered; repaints.
    TBevelStyle Style() const { return m_style; }
    void SetStyle(TBevelStyle value);

protected:
    void Paint() override;

private:
    TBevelShape m_shape = bsBox;
    TBevelStyle m_style = bsLowered;
};

} // namespace jxt
