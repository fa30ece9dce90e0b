#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <vector>

// The one cleaner of what ended processes left behind. A leftover is an entry of the programs'
// own name that its maker held locked while it lived (a file being written, a private folder):
// an entry that can be locked exclusively, without waiting, has no running holder.
namespace platform::fs {

enum class LeftoverKind {
    // A plain file, removed whole.
    File,
    // A folder of this user that holds plain files only, removed with its files.
    Folder,
};

// Removes each entry of the folder `folderNative` of that kind whose name `isOwnName` takes,
// that no running process holds, and that is still the entry that was locked when it goes. A
// link is never followed; a missing folder, or an entry that cannot be removed, is passed over.
void removeUnheldLeftovers(const QString& folderNative, LeftoverKind kind,
                           const std::function<bool(const QString& name)>& isOwnName);

namespace detail {

// The names of an open folder's entries, "." and ".." left out.
std::vector<QByteArray> entriesOf(int folderDescriptor);
// Removes an open folder's entries (plain files only).
void removeEntries(int folderDescriptor);

} // namespace detail

} // namespace platform::fs
