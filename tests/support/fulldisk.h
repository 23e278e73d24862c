#pragma once

#include <QString>
#include <QTemporaryDir>

// A real, tiny filesystem (tmpfs) that a test can fill to the brim, so that a
// save meets the disk-full error of a real system call. Mounting needs root;
// skipReason() tells why there is none.
class FullDisk {
public:
    explicit FullDisk(int kibibytes = 64);
    ~FullDisk();
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

    bool mounted() const { return mounted_; }
    QString skipReason() const { return skipReason_; }
    QString filePath(const QString& name) const;

    // Takes every free byte but about freeBytes (whole pages) with a filler file.
    bool fillLeaving(qint64 freeBytes);

private:
    QTemporaryDir dir_;
    bool mounted_ = false;
    QString skipReason_;
};
