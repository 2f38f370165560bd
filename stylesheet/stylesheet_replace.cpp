// SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
// SPDX-License-Identifier: BSD-3-Clause
#include "stylesheet/stylesheet_replace.h"

#include "stylesheet/save_steps.h"

#include <QtCore/QCryptographicHash>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QSaveFile>
#include <QtCore/QSysInfo>

#include <cerrno>
#include <fcntl.h>
#include <pwd.h>
#include <sys/acl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace vrex {

namespace internal {
void (*saveStepHook)(SaveStep step) = nullptr;
} // namespace internal

using internal::reachSaveStep;
using internal::SaveStep;

namespace {

constexpr char kRecoveryAttribute[] = "user.vrex_stylesheet.recovery";

QByteArray native(const QString &path)
{
    return QFile::encodeName(path);
}

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

void syncDirectory(const QString &dir)
{
    const int fd = ::open(native(dir).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// The old bytes, on disk before any of them is overwritten.
bool keepCopy(const QString &copy, const QByteArray &old, QString *why)
{
    const QString dir = QFileInfo(copy).path();
    QDir().mkpath(QFileInfo(dir).path());
    ::mkdir(native(dir).constData(), 0700); // private, as state directories are
    QSaveFile file(copy);
    const bool ok = file.open(QIODevice::WriteOnly) && ::fchmod(file.handle(), 0600) == 0
            && file.write(old) == old.size() && file.flush() && ::fsync(file.handle()) == 0 && file.commit();
    if (ok) {
        syncDirectory(dir);
    } else if (why) {
        *why = QStringLiteral("cannot keep a copy of it in %1 while it is rewritten: %2")
                       .arg(dir, file.errorString());
    }
    return ok;
}

// Puts bytes in place of the file's own. Its first byte goes in last: until
// then the file starts with a NUL, which no reader takes for a stylesheet.
// Otherwise a crash could leave new bytes up to some offset and old ones
// after it that read as a well-formed file missing the styles in between;
// this way it leaves the old file, the new one, or one that is rejected
// while the recovery copy holds the old bytes.
bool overwrite(int fd, const QByteArray &bytes, bool reportSteps)
{
    static const char kTorn = '\0';
    if (bytes.isEmpty())
        return ::ftruncate(fd, 0) == 0 && ::fsync(fd) == 0;
    if (!writeAll(fd, &kTorn, 1, 0) || ::fdatasync(fd) != 0)
        return false;
    const qint64 half = qMax<qint64>(1, bytes.size() / 2);
    if (!writeAll(fd, bytes.constData() + 1, half - 1, 1))
        return false;
    if (reportSteps)
        reachSaveStep(SaveStep::HalfWritten);
    if (!writeAll(fd, bytes.constData() + half, bytes.size() - half, off_t(half))
        || ::ftruncate(fd, off_t(bytes.size())) != 0 || ::fdatasync(fd) != 0 || !writeAll(fd, bytes.constData(), 1, 0))
        return false;
    if (reportSteps)
        reachSaveStep(SaveStep::Written);
    return ::fsync(fd) == 0;
}

bool writeInPlace(const QString &target, const QByteArray &contents, const QString &recoveryDir, QString *why)
{
    const int fd = ::open(native(target).constData(), O_RDWR | O_CLOEXEC);
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
    if (ok && recoveryDir.isEmpty()) {
        ok = false;
        if (why)
            *why = QStringLiteral("there is no directory to keep a copy of it in while it is rewritten");
    }
    // From here on a crash can leave a mixture of old and new bytes: the old
    // ones go somewhere safe first, and the file says where for other users.
    const QString copy = recoveryDir.isEmpty() ? QString() : recoveryCopyPath(recoveryDir, target);
    ok = ok && keepCopy(copy, old, why);
    if (ok) {
        const QByteArray where = native(copy + QStringLiteral(" on ") + QSysInfo::machineHostName());
        (void)::fsetxattr(fd, kRecoveryAttribute, where.constData(), size_t(where.size()), 0);
        reachSaveStep(SaveStep::CopyKept);
    }
    // Claim the room first, without growing the file: running out of it
    // must not cost any old byte. A file system that cannot claim room ahead
    // is written regardless.
    if (ok && contents.size() > old.size()) {
        const int error = ::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, off_t(contents.size())) == 0 ? 0 : errno;
        ok = error == 0 || error == EOPNOTSUPP || error == ENOSYS;
        if (ok)
            reachSaveStep(SaveStep::RoomClaimed);
        else
            (void)::ftruncate(fd, off_t(old.size())); // hand back what was claimed
    }
    bool whole = true; // the file holds the old or the new bytes
    if (ok) {
        ok = overwrite(fd, contents, true);
        if (!ok)
            whole = overwrite(fd, old, false);
    }
    if (ok)
        reachSaveStep(SaveStep::Replaced);
    // A copy of a file that is whole is of no further use; one of a file
    // that is not must stay where the marker says.
    if (whole && !copy.isEmpty() && QFileInfo::exists(copy)) {
        (void)::fremovexattr(fd, kRecoveryAttribute);
        QFile::remove(copy);
    }
    ::close(fd);
    return ok;
}

// The ACL holds the owning group's bits and the mask, which st_mode does
// not tell apart: copy it whole, then the mode (which sets the mask to the
// group bits st_mode has, and brings back set-id bits the ACL may clear).
bool copyOwnership(int fd, const QString &target, const struct stat &st)
{
    if (::fchown(fd, st.st_uid, st.st_gid) != 0)
        return false;
    if (acl_t acl = ::acl_get_file(native(target).constData(), ACL_TYPE_ACCESS)) {
        const bool copied = ::acl_set_fd(fd, acl) == 0;
        ::acl_free(acl);
        if (!copied)
            return false;
    } else if (errno != ENOTSUP && errno != ENOSYS) {
        return false;
    }
    return ::fchmod(fd, st.st_mode & 07777) == 0;
}

// Every extended attribute but the ACL (copied above) and the recovery
// marker; one the new file already has alike (a security label given by
// policy) is left alone.
bool copyAttributes(int fd, const QString &target)
{
    const QByteArray path = native(target);
    QByteArray names(1024, Qt::Uninitialized);
    ssize_t length;
    while ((length = ::listxattr(path.constData(), names.data(), size_t(names.size()))) < 0 && errno == ERANGE)
        names.resize(names.size() * 4);
    if (length < 0)
        return errno == ENOTSUP;
    QByteArray value, present;
    for (const QByteArray &name : names.left(length).split('\0')) {
        if (name.isEmpty() || name == kRecoveryAttribute || name.startsWith("system.posix_acl_"))
            continue;
        const ssize_t size = ::getxattr(path.constData(), name.constData(), nullptr, 0);
        value.resize(qMax<ssize_t>(size, 0));
        if (size < 0 || ::getxattr(path.constData(), name.constData(), value.data(), size_t(size)) != size)
            return false;
        present.resize(value.size() + 1);
        if (::fgetxattr(fd, name.constData(), present.data(), size_t(present.size())) == size
            && present.left(size) == value)
            continue;
        if (::fsetxattr(fd, name.constData(), value.constData(), size_t(size), 0) != 0)
            return false;
    }
    return true;
}

// "<name>.saving-" and six more characters: the temporary file of an atomic
// save, which the next save removes when a kill left it behind.
QString temporaryPrefix(const QString &target)
{
    return QFileInfo(target).fileName() + QStringLiteral(".saving-");
}

// The caller holds the lock, so none of these belongs to a save still
// running.
void removeLeftTemporaries(const QString &target)
{
    const QDir dir = QFileInfo(target).dir();
    const QStringList names = dir.entryList({temporaryPrefix(target) + QStringLiteral("??????")},
                                            QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks);
    for (const QString &name : names)
        QFile::remove(dir.filePath(name));
}

enum class Atomic { Replaced, Failed, NotPossible };

Atomic writeAtomically(const QString &target, const struct stat &st, const QByteArray &contents)
{
    const QString dir = QFileInfo(target).path();
    QByteArray temporary = native(dir + QLatin1Char('/') + temporaryPrefix(target) + QStringLiteral("XXXXXX"));
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0)
        return Atomic::NotPossible;
    // What the new file cannot be given, the old one keeps when rewritten.
    Atomic result = Atomic::NotPossible;
    if (copyOwnership(fd, target, st) && copyAttributes(fd, target)) {
        result = Atomic::Failed;
        if (writeAll(fd, contents.constData(), contents.size(), 0) && ::fsync(fd) == 0) {
            reachSaveStep(SaveStep::TemporaryWritten);
            if (::rename(temporary.constData(), native(target).constData()) == 0)
                result = Atomic::Replaced;
        }
    }
    ::close(fd);
    if (result == Atomic::Replaced)
        syncDirectory(dir);
    else
        ::unlink(temporary.constData());
    return result;
}

} // namespace

QString defaultRecoveryDirectory()
{
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (!QDir::isAbsolutePath(state)) { // relative paths are to be ignored
        QString home = qEnvironmentVariable("HOME");
        if (home.isEmpty()) {
            if (const passwd *user = ::getpwuid(::geteuid()))
                home = QFile::decodeName(user->pw_dir);
        }
        state = home.isEmpty() ? QString() : home + QStringLiteral("/.local/state");
    }
    if (state.isEmpty())
        return QDir::tempPath() + QStringLiteral("/vrex_stylesheet-") + QString::number(::geteuid());
    return state + QStringLiteral("/vrex_stylesheet");
}

QString recoveryCopyPath(const QString &recoveryDir, const QString &target)
{
    const QByteArray hash = QCryptographicHash::hash(native(target), QCryptographicHash::Sha256).toHex().left(16);
    return recoveryDir + QLatin1Char('/') + QFileInfo(target).completeBaseName() + QLatin1Char('-')
            + QString::fromLatin1(hash) + QStringLiteral(".xml");
}

QString interruptedSaveCopy(const QString &target, const QString &recoveryDir)
{
    QByteArray where(4096, Qt::Uninitialized);
    const ssize_t size = ::getxattr(native(target).constData(), kRecoveryAttribute, where.data(), size_t(where.size()));
    if (size > 0)
        return QFile::decodeName(where.left(size));
    const QString copy = recoveryCopyPath(recoveryDir, target);
    return !recoveryDir.isEmpty() && QFileInfo::exists(copy) ? copy : QString();
}

bool replaceFileContents(const QString &target, const QByteArray &contents, const QString &recoveryDir, QString *why)
{
    struct stat st {};
    if (target.isEmpty() || ::stat(native(target).constData(), &st) != 0)
        return false;
    const QString dir = QFileInfo(target).path();
    const bool dirWritable = ::access(native(dir).constData(), W_OK | X_OK) == 0;
    if (dirWritable)
        removeLeftTemporaries(target);
    if (st.st_uid != ::geteuid() || st.st_nlink != 1 || !dirWritable)
        return writeInPlace(target, contents, recoveryDir, why);

    switch (writeAtomically(target, st, contents)) {
    case Atomic::NotPossible:
        return writeInPlace(target, contents, recoveryDir, why);
    case Atomic::Failed:
        return false;
    case Atomic::Replaced:
        break;
    }
    reachSaveStep(SaveStep::Replaced);
    // A copy an earlier, interrupted save of this user left is of no use now.
    if (!recoveryDir.isEmpty())
        QFile::remove(recoveryCopyPath(recoveryDir, target));
    return true;
}

} // namespace vrex
