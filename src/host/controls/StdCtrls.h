// SPDX-License-Identifier: MIT
// TLabel: a line (or word-wrapped block) of text on a form.
#pragma once

#include "base/Export.h"

#include "host/controls/Controls.h"

namespace jxt {

/// Shows Caption in Font, placed horizontally by Alignment and vertically by Layout. With
/// AutoSize the label takes the size of its text (with WordWrap only its height follows,
/// the width stays); a right-justified label keeps its right edge. A transparent label
/// leaves its background to the parent.
class JXT_EXPORT TLabel : public TGraphicControl
{
    Q_OBJECT
    Q_PROPERTY(jxt::TAlign Align READ Align WRITE SetAlign)
    Q_PROPERTY(jxt::TAlignment Alignment READ Alignment WRITE SetAlignment)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(jxt::TColorValue Color READ Color WRITE SetColor)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(jxt::TTextLayout Layout READ Layout WRITE SetLayout)
    Q_PROPERTY(bool ParentColor READ ParentColor WRITE SetParentColor)
    Q_PROPERTY(bool ParentFont READ ParentFont WRITE SetParentFont)
    Q_PROPERTY(bool ShowHint READ ShowHint WRITE SetShowHint)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_PROPERTY(bool WordWrap READ WordWrap WRITE SetWordWrap)

public:
    explicit TLabel(TComponent *owner = nullptr);

    void SetCaption(const QString &caption) override;
    /// Default taLeftJustify; repaints.
    TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment value);
    /// Default tlTop; repaints.
    TTextLayout Layout() const { return m_layout; }
    void SetLayout(TTextLayout value);
    /// Default true: the label follows the size of its text.
    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool value);
    /// Default false: the text breaks only at line breaks; true also wraps at blanks.
    bool WordWrap() const { return m_wordWrap; }
    void SetWordWrap(bool value);
    /// Default false: the label fills its background with Color.
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool value);

    void Loaded() override;

protected:
    void Paint() override;
    void FontChanged() override;
    /// Sizes the label to its text when AutoSize is on.
    void AdjustBounds();

private:
    unsigned DrawFlags() const;

    TAlignment m_alignment = taLeftJustify;
    TTextLayout m_layout = tlTop;
    bool m_autoSize = true;
    bool m_wordWrap = false;
    bool m_transparent = false;
};

} // namespace jxt
