#pragma once

#include <QString>

namespace platform::fs {

// A folder of this process inside a shared folder: created under a fixed prefix and a random
// tail, and held for its lifetime by a shared lock on an open descriptor. Another process can
// therefore tell a folder in use from the leftover of a process that was killed: the leftover
// can be locked exclusively, a held folder cannot. The folder holds plain files only.
class HeldFolder {
public:
    // Makes `<parent>/<prefix>XXXXXX` (native paths); invalid when it cannot be made.
    HeldFolder(const QString& parentNative, const QString& prefix);
    // Removes the folder's files and the folder.
    ~HeldFolder();
    HeldFolder(const HeldFolder&) = delete;
    HeldFolder& operator=(const HeldFolder&) = delete;

    bool isValid() const { return m_descriptor >= 0; }
    QString nativePath() const { return m_path; }
    // Forgets the folder without touching it (a forked child must not remove its parent's).
    void release();

private:
    QString m_path;
    int m_descriptor = -1;
};

// Removes the folders of `parentNative` named `prefix` plus six letters or digits that are real
// folders (not links) of this user, hold only plain files, and that no running process holds.
// Nothing else is touched.
void removeUnheldFolders(const QString& parentNative, const QString& prefix);

} // namespace platform::fs
