// SPDX-License-Identifier: MIT
// TCustomComboBox: a drop-down list of strings with an optional edit field, over QComboBox.
#pragma once

#include "base/Export.h"
#include "host/controls/Controls.h"
#include "host/core/Strings.h"

#include <QLineEdit>
#include <QPointer>

class QComboBox;

namespace jxt {

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };

/// A combo box: Items in a drop-down list, ItemIndex the chosen one (-1 for none) and Text
/// what the box shows. csDropDown and csSimple have an edit field; the other styles only
/// choose from the list. Choosing an item with the mouse or the keyboard fires OnClick, then
/// OnChange (through Change); editing the text fires OnChange. Assigning ItemIndex or Text
/// from code fires nothing. Keys pressed in the box go through KeyDown first (OnKeyDown);
/// setting the key to 0 there swallows it.
class JXT_EXPORT TCustomComboBox : public TWinControl
{
    Q_OBJECT

public:
    explicit TCustomComboBox(TComponent *owner = nullptr);
    ~TCustomComboBox() override;

    /// The strings of the list; changing them refills the list (ItemIndex is kept when the
    /// list is still long enough).
    //!@{
    TStrings *Items() { return &m_items; }
    const TStrings *Items() const { return &m_items; }
    //!@}
    /// The index of the chosen item, or -1 for none; an index outside the list chooses none.
    int ItemIndex() const;
    void SetItemIndex(int index);
    /// The text in the edit field (the chosen item's text for csDropDownList). Setting it
    /// in a list-only style chooses the item of that text (ignoring case), or none.
    QString Text() const;
    void SetText(const QString &text);
    /// csDropDown (default): an edit field with a list; csSimple: editable; csDropDownList:
    /// choose from the list only; the owner-draw styles behave as csDropDownList.
    TComboBoxStyle Style() const { return m_style; }
    void SetStyle(TComboBoxStyle style);
    /// Keeps Items sorted (ignoring case); default false.
    bool Sorted() const { return m_items.Sorted(); }
    void SetSorted(bool sorted);
    /// Height of an item in the list, in pixels; default 16.
    int ItemHeight() const { return m_itemHeight; }
    void SetItemHeight(int height);
    /// Whether the list is open; setting it opens or closes the list.
    bool DroppedDown() const;
    void SetDroppedDown(bool down);

    /// The user chose an item or edited the text (setting ItemIndex or Text from code does
    /// not fire it).
    TNotifyEvent OnChange;
    /// The list is about to open.
    TNotifyEvent OnDropDown;

signals:
    void onDropDown(jxt::TObject *sender);

public:
    /// The Qt combo box that shows the control.
    QComboBox *ComboBox() const { return m_combo; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    /// Fires OnChange; called after the user chose an item or edited the text.
    virtual void Change();
    /// Fires OnDropDown before the list opens.
    virtual void DropDown();
    /// Fires OnKeyDown for a key pressed in the box.
    virtual void KeyDown(int &key, TShiftState shift);
    void FontChanged() override;
    void resizeEvent(QResizeEvent *event) override;
    /// Keys reach the control through the inner box; those the box leaves go on to the
    /// parent without firing the key events a second time.
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void ItemsChanged();
    void ApplyStyle();

    QComboBox *m_combo;
    QPointer<QLineEdit> m_edit;
    TStringList m_items;
    TComboBoxStyle m_style = csDropDown;
    int m_itemHeight = 16;
    int m_filling = 0;
};

} // namespace jxt
