// SPDX-License-Identifier: MIT
// TJXFontCombo: a combo box of the screen's font names that can set the font of a linked
// control, with a separately filtered list of the installed fonts.
#pragma once

#include "base/Export.h"
#include "host/controls/CustomComboBox.h"
#include "host/core/About.h"
#include "util/JXVersions.h"

namespace jxt {

/// Lists the screen's font families (sorted once, when the component is loaded). Choosing a
/// name gives it to the font of Control at once; Escape goes back to the font named by
/// SelFont. Fonts is a second list, enumerated afresh on every read, of the installed font
/// families that pass the character-set, pitch and outline filters. The filters are shared
/// by every font combo: the most recent assignment in any of them applies to all.
class JXT_EXPORT TJXFontCombo : public TCustomComboBox
{
    Q_OBJECT
    Q_PROPERTY(jxt::TJXAboutString About_JXTools READ GetAboutJXT WRITE SetAboutJXT)
    Q_PROPERTY(TCharSet CharSet READ CharSet WRITE SetCharSet)
    Q_PROPERTY(jxt::TWinControl *Control READ Control WRITE SetControl)
    Q_PROPERTY(TPitch Pitch READ Pitch WRITE SetPitch)
    Q_PROPERTY(QString SelFont READ SelFont WRITE SetSelFont)
    Q_PROPERTY(bool TrueTypeOnly READ TrueTypeOnly WRITE SetTrueTypeOnly)
    Q_PROPERTY(QStringList Fonts READ FontNames)
    Q_PROPERTY(jxt::TAlign Align READ Align WRITE SetAlign)
    Q_PROPERTY(bool Ctl3D READ Ctl3D WRITE SetCtl3D)
    Q_PROPERTY(int Cursor READ Cursor WRITE SetCursor)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(jxt::TFont *Font READ Font)
    /// Left, Top, Width and Height are the bounds; forms keep them as the geometry.
    Q_PROPERTY(int Height READ Height WRITE SetHeight DESIGNABLE false)
    Q_PROPERTY(int HelpContext READ HelpContext WRITE SetHelpContext)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(int ItemHeight READ ItemHeight WRITE SetItemHeight)
    Q_PROPERTY(int Left READ Left WRITE SetLeft DESIGNABLE false)
    Q_PROPERTY(bool ParentColor READ ParentColor WRITE SetParentColor)
    Q_PROPERTY(bool ParentCtl3D READ ParentCtl3D WRITE SetParentCtl3D)
    Q_PROPERTY(bool ParentShowHint READ ParentShowHint WRITE SetParentShowHint)
    /// The menu of a right click; a referenced component, so it is set from code.
    Q_PROPERTY(jxt::TPopupMenu *PopupMenu READ PopupMenu WRITE SetPopupMenu)
    Q_PROPERTY(bool ShowHint READ ShowHint WRITE SetShowHint)
    Q_PROPERTY(bool Sorted READ Sorted WRITE SetSorted)
    Q_PROPERTY(int TabOrder READ TabOrder WRITE SetTabOrder)
    Q_PROPERTY(bool TabStop READ TabStop WRITE SetTabStop)
    Q_PROPERTY(int Tag READ Tag WRITE SetTag)
    Q_PROPERTY(int Top READ Top WRITE SetTop DESIGNABLE false)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_PROPERTY(int Width READ Width WRITE SetWidth DESIGNABLE false)
    JXT_ABOUT(JXFontComboVersion)

public:
    /// Character sets: every font, fonts for Western text, symbol fonts, fonts with the
    /// line-drawing characters of the DOS character set.
    enum TCharSet { ALL, ANSI, SYMBOL, OEM };
    Q_ENUM(TCharSet)
    /// Pitches: every font, proportional fonts, fixed-pitch fonts.
    enum TPitch { piALL, piVARIABLE, piFIXED };
    Q_ENUM(TPitch)

    explicit TJXFontCombo(TComponent *owner = nullptr);
    ~TJXFontCombo() override;

    /// Character-set filter of Fonts; default ALL. Also sets the shared filter.
    TCharSet CharSet() const { return m_charSet; }
    void SetCharSet(TCharSet value);
    /// The control whose font follows the choice; default none. Assigning one makes its font
    /// name SelFont.
    TWinControl *Control() const { return m_control; }
    void SetControl(TWinControl *value);
    /// Pitch filter of Fonts; default piALL. Also sets the shared filter.
    TPitch Pitch() const { return m_pitch; }
    void SetPitch(TPitch value);
    /// The font Escape returns to; assigning it selects the matching item. Default empty.
    QString SelFont() const { return m_selFont; }
    void SetSelFont(const QString &value);
    /// Restricts Fonts to scalable outline fonts; default false. Also sets the shared filter.
    bool TrueTypeOnly() const { return m_trueTypeOnly; }
    void SetTrueTypeOnly(bool value);
    /// The installed font families passing the shared filters, enumerated on every read
    /// (the list belongs to the combo).
    //!@{
    TStrings *Fonts();
    QStringList FontNames();
    //!@}

    /// Selects the first item equal to name (ignoring case) and runs the change handling;
    /// without a match nothing changes.
    void SetItemIndex(const QString &name);
    using TCustomComboBox::SetItemIndex;

    /// Fills the list with the screen's fonts, sorted, and selects SelFont. A combo that was
    /// not loaded (made in code) does the same when it is first shown.
    void Loaded() override;

    /// Emitted with OnChange.
    Q_SIGNAL void onChange(jxt::TObject *sender);

protected:
    void Change() override;
    void KeyDown(int &key, TShiftState shift) override;
    void Notification(TComponent *component, TOperation operation) override;
    void showEvent(QShowEvent *event) override;

private:
    void UpdateFontList();
    void FillList();

    TCharSet m_charSet = ALL;
    TWinControl *m_control = nullptr;
    TPitch m_pitch = piALL;
    QString m_selFont;
    bool m_trueTypeOnly = false;
    bool m_filled = false;
    TStringList m_fonts;
};

using TCharSet = TJXFontCombo::TCharSet;
using TPitch = TJXFontCombo::TPitch;
constexpr TCharSet ALL = TJXFontCombo::ALL;
constexpr TCharSet ANSI = TJXFontCombo::ANSI;
constexpr TCharSet SYMBOL = TJXFontCombo::SYMBOL;
constexpr TCharSet OEM = TJXFontCombo::OEM;
constexpr TPitch piALL = TJXFontCombo::piALL;
constexpr TPitch piVARIABLE = TJXFontCombo::piVARIABLE;
constexpr TPitch piFIXED = TJXFontCombo::piFIXED;

/// The filters every font combo's Fonts applies, written by the setters of any of them.
JXT_EXPORT extern TCharSet fontCharSet;
JXT_EXPORT extern TPitch fontPitch;
JXT_EXPORT extern bool fontTrueTypeOnly;

/// The installed font families that pass the three filters, sorted, each once. A family
/// passes when one of its faces does: ANSI needs the letters and digits of Western text
/// with the German umlauts, SYMBOL a symbol font, OEM the line-drawing characters; piFIXED
/// a monospaced or character-cell face, piVARIABLE a proportional one; trueTypeOnly a
/// scalable outline face.
JXT_EXPORT QStringList EnumerateFonts(TCharSet charSet, TPitch pitch, bool trueTypeOnly);

} // namespace jxt
