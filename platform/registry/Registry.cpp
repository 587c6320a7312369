#include "platform/registry/Registry.h"

#include "platform/registry/Hive.h"
#include "platform/settings/Settings.h"

#include <QHash>
#include <QStandardPaths>

#include <limits>

namespace registry {

namespace {

struct OpenKey
{
    Root root;
    QString path;
    quint32 access;
};

QHash<Handle, OpenKey>& openKeys()
{
    static QHash<Handle, OpenKey> keys;
    return keys;
}

QString& userFolderOverride()
{
    static QString folder;
    return folder;
}

Hive hiveOf(Root root)
{
    return Hive(userHivePath(root), systemHivePaths(root));
}

bool wantsWrite(quint32 access)
{
    return access & (KeySetValue | KeyCreateSubKey);
}

// Key paths are kept without a leading or trailing backslash.
QString normalized(const QString& subKey)
{
    qsizetype from = 0;
    qsizetype to = subKey.size();
    while (from < to && subKey[from] == u'\\')
        ++from;
    while (to > from && subKey[to - 1] == u'\\')
        --to;
    return subKey.mid(from, to - from);
}

Handle newHandle(Root root, const QString& path, quint32 access)
{
    static Handle next = 0;
    do {
        next = next == std::numeric_limits<Handle>::max() ? 1 : next + 1;
    } while (openKeys().contains(next));
    openKeys().insert(next, OpenKey{root, path, access});
    return next;
}

} // namespace

QString rootName(Root root)
{
    switch (root) {
    case Root::ClassesRoot:
        return QStringLiteral("HKEY_CLASSES_ROOT");
    case Root::CurrentUser:
        return QStringLiteral("HKEY_CURRENT_USER");
    case Root::LocalMachine:
        return QStringLiteral("HKEY_LOCAL_MACHINE");
    }
    return QString();
}

QString userHivePath(Root root)
{
    const QString folder =
        userFolderOverride().isEmpty() ? settings::configFolder() + QStringLiteral("/registry") : userFolderOverride();
    return folder + u'/' + rootName(root) + QStringLiteral(".reg");
}

QStringList systemHivePaths(Root root)
{
    QStringList paths;
    QStringList dirs = QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation);
    if (!dirs.isEmpty())
        dirs.removeFirst(); // the user's own folder
    for (const QString& dir : dirs) {
        const QString path = dir + QStringLiteral("/corvel/registry/") + rootName(root) + QStringLiteral(".reg");
        if (path != userHivePath(root))
            paths.append(path);
    }
    return paths;
}

void setUserHiveFolder(const QString& folder)
{
    userFolderOverride() = folder;
}

long openKey(Root root, const QString& subKey, quint32 access, Handle& handle)
{
    const QString path = normalized(subKey);
    Hive hive = hiveOf(root);
    if (!hive.keyExists(path))
        return FileNotFound;
    if (wantsWrite(access) && !hive.isWritable())
        return AccessDenied;
    handle = newHandle(root, path, access);
    return Success;
}

long createKey(Root root, const QString& subKey, quint32 access, Handle& handle)
{
    const QString path = normalized(subKey);
    Hive hive = hiveOf(root);
    if (!hive.isWritable())
        return AccessDenied;
    if (!hive.createKey(path))
        return IoFailed;
    handle = newHandle(root, path, access);
    return Success;
}

long closeKey(Handle handle)
{
    return openKeys().remove(handle) ? Success : InvalidHandle;
}

long queryValue(Handle handle, const QString& name, quint32& type, QByteArray& data, qsizetype bufferSize)
{
    const auto it = openKeys().constFind(handle);
    if (it == openKeys().constEnd())
        return InvalidHandle;
    if (!(it->access & KeyQueryValue))
        return AccessDenied;
    const auto value = hiveOf(it->root).value(it->path, name);
    if (!value)
        return FileNotFound;
    type = value->type;
    if (value->data.size() > bufferSize) {
        data.clear();
        return MoreData;
    }
    data = value->data;
    return Success;
}

long setValue(Handle handle, const QString& name, quint32 type, const QByteArray& data)
{
    const auto it = openKeys().constFind(handle);
    if (it == openKeys().constEnd())
        return InvalidHandle;
    if (!(it->access & KeySetValue))
        return AccessDenied;
    Hive hive = hiveOf(it->root);
    if (!hive.isWritable())
        return AccessDenied;
    return hive.setValue(it->path, name, RegistryValue{type, data}) ? Success : IoFailed;
}

} // namespace registry
