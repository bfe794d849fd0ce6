// SPDX-License-Identifier: MIT
// JXU_File: the small path unit. It offers the standard directories and path forms of Jxutil
// under its own name, and a jxtSplitFileName that splits the name at the last ".".
#pragma once

#include "base/Export.h"

#include "util/JxutilFiles.h"

namespace jxt::JXU_File {

using jxt::jxtAppDir;
using jxt::jxtCheckPath;
using jxt::jxtCheckUnixPath;
using jxt::jxtDirName;
using jxt::jxtGetLongFileName;
using jxt::jxtGetShortFileName;
using jxt::jxtParentDir;
using jxt::jxtSysDir;
using jxt::jxtTMPDir;
using jxt::jxtWinDir;

/// Directory part with its trailing backslash, name before the last "." and the extension
/// from that "." on ('C:\x\a.b.txt' gives 'C:\x\', 'a.b', '.txt'). A name without "." leaves
/// name and ext empty.
JXT_EXPORT void jxtSplitFileName(QString fileName, QString &path, QString &name, QString &ext);

} // namespace jxt::JXU_File
