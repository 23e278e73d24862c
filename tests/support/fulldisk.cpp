#include "fulldisk.h"

#include <QDir>
#include <QFile>

#ifdef __linux__
#include <cerrno>
#include <cstring>
#include <sys/mount.h>
#include <unistd.h>
#endif

namespace {

const QString Filler = QStringLiteral(".filler");
constexpr qint64 Page = 4096;

} // namespace

FullDisk::FullDisk(int kibibytes)
{
#ifdef __linux__
    if (geteuid() != 0) {
        skipReason_ = QStringLiteral("not root: a tmpfs cannot be mounted for the full-disk test");
        return;
    }
    const QByteArray options = "size=" + QByteArray::number(kibibytes) + "k,mode=0700";
    if (::mount("tmpfs", QFile::encodeName(dir_.path()).constData(), "tmpfs", 0, options.constData()) != 0) {
        skipReason_ = QStringLiteral("mounting a tmpfs failed: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
        return;
    }
    mounted_ = true;
#else
    Q_UNUSED(kibibytes)
    skipReason_ = QStringLiteral("no tmpfs on this system for the full-disk test");
#endif
}

FullDisk::~FullDisk()
{
#ifdef __linux__
    if (mounted_)
        ::umount2(QFile::encodeName(dir_.path()).constData(), MNT_DETACH);
#endif
}

QString FullDisk::filePath(const QString& name) const
{
    return QDir(dir_.path()).filePath(name);
}

bool FullDisk::fillLeaving(qint64 freeBytes)
{
    QFile filler(filePath(Filler));
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        return false;
    const QByteArray page(Page, 'x');
    while (filler.write(page) == Page) {
    }
    const qint64 keep = filler.size() - (freeBytes + Page - 1) / Page * Page;
    return keep >= 0 && filler.resize(keep);
}
