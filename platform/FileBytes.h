#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>

#include <QFile>

#include <memory>

namespace platform::fs {

// A file open for writing on its own descriptor. A failed write keeps the system's cause, so
// that every write the file layer makes turns a failure into the same number; the atomic writer
// is one of them.
class WriteFile : public QIODevice {
public:
    // Takes the open descriptor over.
    explicit WriteFile(int descriptor);
    ~WriteFile() override; // closes the file; finish() is the close that reports
    WriteFile(const WriteFile&) = delete;
    WriteFile& operator=(const WriteFile&) = delete;

    bool isSequential() const override { return true; }
    // VB's number for the last failed write: 61 for a full disk or quota, else 57.
    int failureNumber() const;
    // Closes the file; 61/57 when a write or the close failed.
    void finish();

protected:
    qint64 readData(char*, qint64) override { return -1; }
    // Hands the bytes to the system: what it took, or -1 with the cause kept.
    qint64 writeData(const char* data, qint64 size) override;
    // Writes the bytes whole; false (the cause kept) when the system refused some.
    bool writeThrough(const char* data, qint64 size);
    // Closes the descriptor without a word.
    void closeDescriptor();

    int descriptor_ = -1;
    int failedErrno_ = 0;
};

QByteArray readAll(const QString& path);
// The rest of an open file; 57 when it cannot be read.
QByteArray readRest(QFile& file);
// Creates or empties the file, then writes the bytes.
void writeAll(const QString& path, const QByteArray& bytes);
void appendAll(const QString& path, const QByteArray& bytes);

// Open files for the binary readers and writers; the errors of readAll and writeAll.
std::unique_ptr<QFile> openForRead(const QString& path);
std::unique_ptr<WriteFile> openForWrite(const QString& path); // created or emptied

// Makes the new file `nativePath`, taken exactly as it stands (75 when it cannot be made, also
// when any entry is there, a link among them), and writes into it the `count` bytes of `from`
// that start at `offset`: 62 when `from` ends early, 61/57 when the file does not take them all.
// A file that failed is removed, so that a file made here always holds all its bytes.
void writeNewFileExactly(const QString& nativePath, QIODevice& from, qint64 offset, qint64 count);

// Copies exactly count bytes from one device to the other in chunks; 62 when the input ends
// early, 61 when the output cannot take them.
void copyBytes(QIODevice& from, QIODevice& to, qint64 count);
// Reads exactly count bytes; 62 when fewer are there.
QByteArray readExactly(QIODevice& from, qint64 count);
// Writes all bytes; 61/57 (WriteFile::failureNumber) when they do not all go, 57 to a device
// that is no WriteFile.
void writeBytes(QIODevice& to, const QByteArray& bytes);

} // namespace platform::fs
