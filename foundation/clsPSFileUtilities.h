#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>

// Files, folders, path texts, whole-file text reading and writing, media and shell helpers.
// Paths are the system's internal Windows-style paths; the platform file layer maps them to
// the disk. An instance remembers the last path it was given (PellowFileName); the path-part
// getters work on it.
class clsPSFileUtilities {
public:
    QString PellowFileName() const;
    void setPellowFileName(const QString& path);

    bool FileExists(const QString& path);
    bool DirExists(const QString& path);
    bool HiddenDirExists(const QString& path);
    void psKill(const QString& path);
    void MakeDir();
    void CreateDirMaybe(const QString& path);
    void psFileCopy(const QString& destination);
    QString StripDirectory(const QString& path);
    QString StripFileName(const QString& path);
    QString StripExtension(const QString& name);
    QString sFileOpenProc(const QString& path);
    void SaveFileAs(const QString& path, const QString& text);
    void SaveFileAsArray(const QString& path, const QStringList& lines);
    QString ReadTextFile(const QString& path);
    // Replaces `fields` by the fields read (at least one element); always returns an empty text.
    QString ReadTextFileArray(const QString& path, QStringList& fields);
    QString sGetNextDirLevel(const QString& folderPath, int16_t levelCount);
    // Trims trailing blanks of `path` in place and ends it with a separator.
    void AddDirSep(QString& path);
    // Kept for the countdown model's interface; the programs themselves do not call it.
    QString GetWindowsDir();
    QString RemoveNulls(const QString& text);
    void MediaPlay(int16_t mediaType, const QString& path, quintptr ownerWindow = 0);
    void Play_Avi(const QString& path, quintptr ownerWindow = 0);
    void Play_AviMCI(const QString& path);
    void Close_AviMCI();
    void InternetOpen(const QString& fileOrUrl, quintptr ownerWindow = 0);
    QString DirectoryName();
    QString Extension();
    QString Filename();
    QString FileTitle();
    void SeparatePathAndFileName(const QString& fullPath, QString& folder, QString& name);

    static const QString kMp3Alias;   // "MP3_Device1"
    static const QString kVideoAlias; // "video"

private:
    bool bFileExist(const QString& path);
    bool bPathExists(const QString& path, bool folder = false);
    bool bDirExist(const QString& path);
    bool bHiddenDirExist(const QString& path);
    QString sMciErrorString(int32_t error);
    QString sShortPathName(const QString& path);
    void PlayMp3MCI(const QString& path);

    QString m_pellowFileName;
};
