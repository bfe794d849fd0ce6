// SPDX-License-Identifier: MIT
// TJXDirList: groups a list of full file names by directory.
#pragma once

#include "base/Export.h"
#include "host/core/Component.h"
#include "host/core/Strings.h"

#include <QStringList>

#include <memory>

namespace jxt {

/// One directory group of TJXDirList: the directory (with its trailing backslash, as taken
/// from the file names) and the names of its files, in list order.
class JXT_EXPORT TDirInfo : public TObject
{
public:
    QString Path;      ///< The directory, with its trailing backslash.
    TStringList Files; ///< The file names (full names, as in FileList).
};

/// A non-visual component that groups full file names by directory: fill FileList (for
/// example from TJXFind), call Update, and DirList holds one entry per directory, keyed by the
/// directory's own name (jxtDirName) and sorted, with a TDirInfo as its object.
///
/// Both lists are sorted by Update, ignoring case and duplicates. Files of one directory that
/// do not stand together after sorting ('C:\x\a', 'C:\x\sub\b', 'C:\x\z') all join that
/// directory's group. Of two different directories with the same name only the first gets a
/// group, since DirList holds each key once.
class JXT_EXPORT TJXDirList : public TComponent
{
    Q_OBJECT
    /// The full file names to group (a copy; setting it copies the given list).
    Q_PROPERTY(QStringList FileList READ FileListStrings WRITE SetFileListStrings)
    /// The keys of the groups built by the last Update.
    Q_PROPERTY(QStringList DirList READ DirListStrings)

public:
    explicit TJXDirList(TComponent *owner = nullptr);
    ~TJXDirList() override;

    /// The full file names to group.
    TStringList *FileList() const { return m_fileList.get(); }
    /// Copies the strings (and objects) of list into FileList.
    void SetFileList(const TStrings *list);
    /// The groups of the last Update: one key per directory, its TDirInfo as the object.
    TStringList *DirList() const { return m_dirList; }
    /// Makes list the list Update fills (the component does not take it over; nullptr goes
    /// back to the component's own list). The groups of the previous list are freed first.
    void SetDirList(TStringList *list);

    QStringList FileListStrings() const { return m_fileList->ToStringList(); }
    void SetFileListStrings(const QStringList &names) { m_fileList->SetStrings(names); }
    QStringList DirListStrings() const { return m_dirList->ToStringList(); }

    /// Rebuilds DirList from FileList. On an error the message "Fehler beim Updaten" is shown
    /// and the update ends there.
    Q_INVOKABLE void Update();
    /// The file names of the group at index of DirList; throws EListError for an index
    /// outside DirList. The list belongs to the component; nullptr when the entry holds no
    /// group.
    TStringList *GetFiles(int index) const;
    /// Frees the group of every DirList entry and clears DirList.
    void ClearDirList();

private:
    std::unique_ptr<TStringList> m_fileList;
    std::unique_ptr<TStringList> m_ownDirList;
    TStringList *m_dirList = nullptr;
};

} // namespace jxt
