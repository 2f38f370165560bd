#include "stylesheet/stylesheet_replace.h"

#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QSaveFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vrex {

namespace {

bool writeAll(int fd, const char *data, qint64 size, off_t offset)
{
    while (size > 0) {
        const ssize_t written = ::pwrite(fd, data, size_t(size), offset);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        size -= written;
        offset += written;
    }
    return true;
}

bool readAll(int fd, QByteArray *bytes, qint64 size)
{
    bytes->resize(size);
    qint64 done = 0;
    while (done < size) {
        const ssize_t got = ::pread(fd, bytes->data() + done, size_t(size - done), off_t(done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        done += got;
    }
    return true;
}

bool writeInPlace(const QString &path, const QByteArray &contents)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st {};
    QByteArray old;
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && readAll(fd, &old, st.st_size);
    // A file-size limit refuses writes past it even inside the old size, and
    // the old bytes could not be written back either.
    rlimit limit {};
    if (ok && ::getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY)
        ok = rlim_t(qMax(old.size(), contents.size())) <= limit.rlim_cur;
    // Claim the room first: running out of it must not cost any old byte.
    // A file system that cannot claim room ahead is written regardless.
    if (ok && contents.size() > old.size()) {
        const int error = ::posix_fallocate(fd, 0, off_t(contents.size()));
        ok = error == 0 || error == EOPNOTSUPP || error == ENOSYS;
        if (error != 0)
            (void)::ftruncate(fd, off_t(old.size()));
    }
    if (ok) {
        ok = writeAll(fd, contents.constData(), contents.size(), 0)
                && ::ftruncate(fd, off_t(contents.size())) == 0 && ::fsync(fd) == 0;
        if (!ok && writeAll(fd, old.constData(), old.size(), 0))
            (void)::ftruncate(fd, off_t(old.size()));
    }
    ::close(fd);
    return ok;
}

// The temporary file gets the old file's group and mode before it takes its
// place; false when it cannot (a group this process is not a member of).
bool copyOwnership(int fd, const struct stat &st)
{
    return ::fchown(fd, st.st_uid, st.st_gid) == 0 && ::fchmod(fd, st.st_mode & 07777) == 0;
}

} // namespace

bool replaceFileContents(const QString &path, const QByteArray &contents)
{
    const QString target = QFileInfo(path).canonicalFilePath();
    struct stat st {};
    if (target.isEmpty() || ::stat(QFile::encodeName(target).constData(), &st) != 0)
        return false;
    const QByteArray dir = QFile::encodeName(QFileInfo(target).path());
    const bool atomic = st.st_uid == ::geteuid() && st.st_nlink == 1
            && ::access(dir.constData(), W_OK | X_OK) == 0;
    if (!atomic)
        return writeInPlace(target, contents);

    // Unbuffered, because a short write that only happens when commit()
    // flushes the buffer is not reported by commit(), which would then
    // rename a truncated file into place.
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return writeInPlace(target, contents);
    if (!copyOwnership(file.handle(), st)) {
        file.cancelWriting();
        file.commit();
        return writeInPlace(target, contents);
    }
    return file.write(contents) == contents.size() && file.commit();
}

} // namespace vrex
