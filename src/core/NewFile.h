#pragma once
// A file added to a folder under a name that nothing there has, never over
// anything. Its bytes go first to a hidden file of SaveFile::Write's form (so
// that what a crash leaves is cleared as a save's leftover), and only the
// whole file, synced to the disk, takes its name.

#include <QByteArray>
#include <QString>

class NewFile {
public:
    // Creates the hidden file in `folder`; IsOpen() tells whether it could.
    explicit NewFile(const QString& folder);
    // Removes the hidden file unless it was given its name.
    ~NewFile();
    NewFile(const NewFile&) = delete;
    NewFile& operator=(const NewFile&) = delete;

    bool IsOpen() const { return fd_ >= 0; }
    // Adds the bytes at the end; false when not all of them could be written.
    bool Append(const char* data, qint64 size);
    bool Append(const QByteArray& bytes) { return Append(bytes.constData(), bytes.size()); }
    // Writes over bytes written before, from `pos` on: a header whose sizes
    // are known only at the end.
    bool Overwrite(qint64 pos, const QByteArray& bytes);

    // Syncs the file and gives it the name `name` in the folder. Taken when
    // an entry of exactly that name is there (it is left as it is, and the
    // file may be given another name); Failed when the file could not be
    // written or named. After Done the file is the folder's.
    enum class Named {
        Done,
        Taken,
        Failed
    };
    Named GiveName(const QString& name);

private:
    QString folder_;
    QString hidden_;
    int fd_ = -1;
    bool named_ = false;
};
