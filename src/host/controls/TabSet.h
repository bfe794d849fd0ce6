// SPDX-License-Identifier: MIT
// TTabSet: a row of tabs hanging from the top edge, one per string of Tabs.
#pragma once

#include "base/Export.h"
#include "host/controls/Controls.h"
#include "host/core/Strings.h"

namespace jxt {

/// tsStandard draws the tabs' texts; tsOwnerDraw leaves each tab to OnMeasureTab and
/// OnDrawTab.
enum TTabStyle { tsStandard, tsOwnerDraw };

/// An owner-drawn tab's width is asked for: the handler may change tabWidth.
using TMeasureTabEvent = std::function<void(TObject *sender, int index, int &tabWidth)>;
/// An owner-drawn tab is to be drawn on canvas in r.
using TDrawTabEvent =
    std::function<void(TObject *sender, TCanvas *canvas, const TRect &r, int index, bool selected)>;

/// A tab set: one tab per string of Tabs, laid out left to right from StartMargin. The
/// selected tab (TabIndex, -1 for none) is drawn in SelectedColor and joined to the edge
/// above; the others in UnselectedColor. Pressing the left mouse button on a tab selects it;
/// the release fires OnClick. The Left and Right keys select the neighbouring tab and click.
/// With tsOwnerDraw, MeasureTab may widen each tab (OnMeasureTab) and DrawTab draws its
/// content (OnDrawTab; without a handler the text is drawn).
class JXT_EXPORT TTabSet : public TCustomControl
{
    Q_OBJECT

public:
    explicit TTabSet(TComponent *owner = nullptr);
    ~TTabSet() override;

    /// The tabs' texts and objects; changes repaint.
    //!@{
    TStrings *Tabs() { return &m_tabs; }
    const TStrings *Tabs() const { return &m_tabs; }
    //!@}
    /// The selected tab, or -1; out-of-range values select none. Repaints.
    int TabIndex() const { return m_tabIndex; }
    void SetTabIndex(int index);
    /// Standard or owner-drawn tabs; default tsStandard.
    TTabStyle Style() const { return m_style; }
    void SetStyle(TTabStyle style);
    /// Height of the tabs in pixels; default 20.
    int TabHeight() const { return m_tabHeight; }
    void SetTabHeight(int height);
    /// Space before the first tab; default 5.
    int StartMargin() const { return m_startMargin; }
    void SetStartMargin(int margin);
    /// The colour of the selected tab; default clBtnFace.
    TColor SelectedColor() const { return m_selectedColor; }
    void SetSelectedColor(TColor color);
    /// The colour of the other tabs; default clWindow.
    TColor UnselectedColor() const { return m_unselectedColor; }
    void SetUnselectedColor(TColor color);

    /// The rectangle of tab index (empty when there is no such tab).
    TRect TabRect(int index) const;
    /// The tab at (x, y), or -1.
    int ItemAtPos(int x, int y) const;

    /// See TMeasureTabEvent (tsOwnerDraw only).
    TMeasureTabEvent OnMeasureTab;
    /// See TDrawTabEvent (tsOwnerDraw only).
    TDrawTabEvent OnDrawTab;
    /// TabIndex changed.
    TNotifyEvent OnChange;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    /// A tab list named by its selected tab, with its tabs as children.
    //!@{
    TAccessibleInfo AccessibleInfo() const override;
    int AccessibleItemCount() const override { return m_tabs.Count(); }
    TAccessibleItem AccessibleItem(int index) const override;
    //!@}

protected:
    void Paint() override;
    /// Gives the width of a tab's content; tabWidth arrives as the width of its text.
    virtual void MeasureTab(int index, int &tabWidth);
    /// Draws the content of tab index into r (the tab less its padding).
    virtual void DrawTab(TCanvas *canvas, const TRect &r, int index, bool selected);
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void keyPressEvent(QKeyEvent *event) override;
    void FontChanged() override;

private:
    std::vector<TRect> Layout() const;
    TStringList m_tabs;
    int m_tabIndex = -1;
    TTabStyle m_style = tsStandard;
    int m_tabHeight = 20;
    int m_startMargin = 5;
    TColor m_selectedColor = clBtnFace;
    TColor m_unselectedColor = clWindow;
};

} // namespace jxt
