#include "platform/ipc/IpcRuntimeDir.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace ipc {

namespace {

// A hashed file name is this long ("dde#" and 32 hex digits); the folder must leave room for it.
constexpr qsizetype HashedNameBytes = 36;

// `name` in the folder held by the environment variable, when that is an existing absolute
// folder shallow enough for socket paths.
std::optional<QString> folderIn(const char* variable, const QString& name)
{
    const QString parent = qEnvironmentVariable(variable);
    if (!QDir::isAbsolutePath(parent) || !QFileInfo(parent).isDir())
        return std::nullopt;
    const QString folder = QDir::cleanPath(parent) + u'/' + name;
    if (QFile::encodeName(folder).size() + 1 + HashedNameBytes > RuntimeDir::MaxSocketPathBytes)
        return std::nullopt;
    return folder;
}

QString candidateFolder()
{
    if (const auto runtime = folderIn("XDG_RUNTIME_DIR", QStringLiteral("corvel")))
        return *runtime;
    const QString perUser = QStringLiteral("corvel-%1").arg(::geteuid());
    if (const auto temporary = folderIn("TMPDIR", perUser))
        return *temporary;
    return QStringLiteral("/tmp/") + perUser;
}

// The lower-cased name with every byte outside [a-z0-9_-] written as %xx, so that different
// names never share a file and no name contains a dot.
QByteArray encodedName(const QString& name)
{
    return name.toLower().toUtf8().toPercentEncoding(QByteArray(), QByteArrayLiteral(".~"), '%').toLower();
}

QString fileName(const QString& folder, const char* prefix, const QString& name)
{
    const QByteArray readable = QByteArray(prefix) + '.' + encodedName(name);
    if (QFile::encodeName(folder).size() + 1 + readable.size() <= RuntimeDir::MaxSocketPathBytes)
        return folder + u'/' + QString::fromUtf8(readable);
    const QByteArray hash = QCryptographicHash::hash(encodedName(name), QCryptographicHash::Sha256).toHex().left(32);
    return folder + u'/' + QString::fromLatin1(QByteArray(prefix) + '#' + hash);
}

} // namespace

PathResult RuntimeDir::path()
{
    const QString folder = candidateFolder();
    const QByteArray native = QFile::encodeName(folder);
    if (::mkdir(native.constData(), 0700) != 0 && errno != EEXIST)
        return {QString(), QStringLiteral("Cannot create the folder %1: %2")
                               .arg(folder, QString::fromLocal8Bit(std::strerror(errno)))};
    struct stat info = {};
    if (::lstat(native.constData(), &info) != 0)
        return {
            QString(),
            QStringLiteral("Cannot read the folder %1: %2").arg(folder, QString::fromLocal8Bit(std::strerror(errno)))};
    if (!S_ISDIR(info.st_mode))
        return {QString(), QStringLiteral("%1 is not a folder.").arg(folder)};
    if (info.st_uid != ::geteuid())
        return {QString(), QStringLiteral("The folder %1 belongs to another user.").arg(folder)};
    if ((info.st_mode & 077) != 0)
        return {QString(), QStringLiteral("The folder %1 is open to other users.").arg(folder)};
    return {folder, QString()};
}

PathResult RuntimeDir::socketPath(Channel channel, const QString& name)
{
    PathResult folder = path();
    if (folder)
        folder.path = fileName(folder.path, channel == Channel::Conversation ? "dde" : "wnd", name);
    return folder;
}

PathResult RuntimeDir::lockPath(const QString& programName)
{
    PathResult folder = path();
    if (folder)
        folder.path = fileName(folder.path, "run", programName);
    return folder;
}

} // namespace ipc
