// SPDX-License-Identifier: MIT
// TFileListBox: the files of one directory that match a mask.
#pragma once

#include "base/Export.h"

#include "host/controls/ListBox.h"

namespace jxt {

/// Lists the names of the files in Directory that match Mask (one or more patterns separated
/// by ";", with the Windows wildcard rules), sorted ignoring case; directories are left out.
/// FileName is the full name of the selected file. With ShowGlyphs every name has a small
/// page symbol in front of it.
class JXT_EXPORT TFileListBox : public TCustomListBox
{
    Q_OBJECT
    Q_PROPERTY(jxt::TAlign Align READ Align WRITE SetAlign)
    Q_PROPERTY(jxt::TColorValue Color READ Color WRITE SetColor)
    Q_PROPERTY(QString Directory READ Directory WRITE SetDirectory)
    Q_PROPERTY(jxt::TDragMode DragMode READ DragMode WRITE SetDragMode)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(QString FileName READ FileName WRITE SetFileName)
    Q_PROPERTY(QString Mask READ Mask WRITE SetMask)
    Q_PROPERTY(bool ShowGlyphs READ ShowGlyphs WRITE SetShowGlyphs)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)

public:
    explicit TFileListBox(TComponent *owner = nullptr);

    /// The directory listed, in the form it was given (a Windows path with a drive letter or
    /// a POSIX path); the current directory by default. Setting it reads the directory again.
    QString Directory() const { return m_directory; }
    void SetDirectory(const QString &directory);
    /// Default "*.*". Setting it reads the directory again.
    QString Mask() const { return m_mask; }
    void SetMask(const QString &mask);
    /// The selected file with the directory in front, or empty. Setting a name of a listed
    /// file selects it (and a name in another directory changes Directory first).
    QString FileName() const;
    void SetFileName(const QString &fileName);
    /// Default false. Repaints.
    bool ShowGlyphs() const { return m_showGlyphs; }
    void SetShowGlyphs(bool value);

    /// Reads the directory again.
    void Update();

protected:
    void DrawItem(int index, const TRect &rect, TOwnerDrawState state) override;

private:
    QString m_directory;
    QString m_mask = QStringLiteral("*.*");
    bool m_showGlyphs = false;
};

} // namespace jxt
