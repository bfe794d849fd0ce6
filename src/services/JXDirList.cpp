// SPDX-License-Identifier: MIT
// Directory list component.
#include "services/JXDirList.h"

#include "host/controls/Dialogs.h"
#include "platform/Paths.h"
#include "util/JxutilFiles.h"

#include <QCoreApplication>

namespace jxt {

TJXDirList::TJXDirList(TComponent *owner)
    : TComponent(owner), m_fileList(std::make_unique<TStringList>()),
      m_ownDirList(std::make_unique<TStringList>()), m_dirList(m_ownDirList.get())
{}

TJXDirList::~TJXDirList()
{
    ClearDirList();
}

void TJXDirList::SetFileList(const TStrings *list)
{
    if (list)
        m_fileList->Assign(list);
    else
        m_fileList->Clear();
}

void TJXDirList::SetDirList(TStringList *list)
{
    if (!list)
        list = m_ownDirList.get();
    if (list == m_dirList)
        return;
    ClearDirList();
    m_dirList = list;
}

TStringList *TJXDirList::GetFiles(int index) const
{
    auto *info = dynamic_cast<TDirInfo *>(m_dirList->GetObject(index));
    return info ? &info->Files : nullptr;
}

void TJXDirList::ClearDirList()
{
    for (int i = 0; i < m_dirList->Count(); ++i) {
        delete dynamic_cast<TDirInfo *>(m_dirList->GetObject(i));
        m_dirList->PutObject(i, nullptr);
    }
    m_dirList->Clear();
}

void TJXDirList::Update()
{
    try {
        ClearDirList();
        m_dirList->SetDuplicates(dupIgnore);
        m_dirList->SetSorted(true);
        m_fileList->SetDuplicates(dupIgnore);
        m_fileList->SetSorted(true);
        const int count = m_fileList->Count();
        int i = 0;
        while (i < count) {
            auto info = std::make_unique<TDirInfo>();
            info->Path = platform::ExtractFilePath(m_fileList->Get(i));
            const QString key = jxtDirName(info->Path);
            while (i < count && platform::ExtractFilePath(m_fileList->Get(i)) == info->Path) {
                info->Files.Add(platform::ExtractFileName(m_fileList->Get(i)));
                ++i;
            }
            // A sorted list refuses a key it already holds. Files of a directory that did not
            // stand together after sorting join its group; a different directory of the same
            // name has no place in the list, and its group is freed here.
            int existing = -1;
            if (m_dirList->Find(key, existing)) {
                auto *group = dynamic_cast<TDirInfo *>(m_dirList->GetObject(existing));
                if (group && group->Path == info->Path)
                    group->Files.AddStrings(&info->Files);
                continue;
            }
            if (m_dirList->AddObject(key, info.get()) >= 0)
                info.release();
        }
    } catch (const std::exception &) {
        ShowMessage(QCoreApplication::translate("jxtpack", "Fehler beim Updaten"));
    }
}

} // namespace jxt
