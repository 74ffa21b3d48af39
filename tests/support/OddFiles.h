#pragma once

#include "tests/support/TempDir.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <cerrno>
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

namespace dw::test {

// A small file system of its own (tmpfs on a temporary folder), so a writer can be run against
// a full disk without filling the real one. Mounting needs the superuser, as the tests run
// here and in CI; elsewhere mounted() is false and why() says so, for GTEST_SKIP.
class SmallDisk {
public:
    explicit SmallDisk(int kib = 64)
    {
        const QByteArray options = "size=" + QByteArray::number(kib) + "k,mode=0777";
        if (::mount("tmpfs", QFile::encodeName(dir_.root()).constData(), "tmpfs", 0, options.constData()) == 0)
            mounted_ = true;
        else
            why_ = QStringLiteral("cannot mount a small tmpfs (%1); run the tests as root").arg(QString::fromLocal8Bit(strerror(errno)));
    }
    ~SmallDisk()
    {
        if (mounted_)
            ::umount2(QFile::encodeName(dir_.root()).constData(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk &) = delete;
    SmallDisk &operator=(const SmallDisk &) = delete;

    bool mounted() const { return mounted_; }
    std::string why() const { return why_.toStdString(); }
    QString path(const QString &name) const { return dir_.path(name); }
    QString root() const { return dir_.root(); }
    QString write(const QString &name, const QByteArray &bytes) const { return dir_.write(name, bytes); }

    // Takes every block still free, so the next write of any size fails with ENOSPC.
    void fill() const
    {
        QFile filler(path(QStringLiteral(".filler")));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return;
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size()) {
        }
        while (filler.write("x", 1) == 1) {
        }
    }
    // The names in the folder, the filler left out: a failed writer leaves nothing new.
    QStringList entries() const
    {
        QStringList names = QDir(root()).entryList(QDir::Files | QDir::Hidden | QDir::System);
        names.removeAll(QStringLiteral(".filler"));
        return names;
    }

private:
    TempDir dir_;
    bool mounted_ = false;
    QString why_;
};

// Special files made in a temporary folder, never the system's own.
inline bool makeFifo(const QString &path)
{
    return ::mkfifo(QFile::encodeName(path).constData(), 0644) == 0;
}

// A character device with the numbers of the system's /dev/null (1, 3) or /dev/zero (1, 5):
// the latter is an endless source. Needs the superuser.
inline bool makeCharDevice(const QString &path, unsigned minor)
{
    return ::mknod(QFile::encodeName(path).constData(), S_IFCHR | 0666, makedev(1, minor)) == 0;
}

// A listening-free socket node; closing the descriptor leaves the node behind.
inline bool makeSocket(const QString &path)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (fd < 0)
        return false;
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    const QByteArray native = QFile::encodeName(path);
    if (size_t(native.size()) >= sizeof addr.sun_path) {
        ::close(fd);
        return false;
    }
    memcpy(addr.sun_path, native.constData(), size_t(native.size()));
    const bool ok = ::bind(fd, reinterpret_cast<sockaddr *>(&addr), sizeof addr) == 0;
    ::close(fd);
    return ok;
}

// What kind of node is at path (S_IFREG, S_IFIFO, ...), without following a link; 0 if none.
inline mode_t nodeType(const QString &path)
{
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? (st.st_mode & S_IFMT) : 0;
}

} // namespace dw::test
