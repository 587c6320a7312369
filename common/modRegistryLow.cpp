#include "common/modRegistryLow.h"

#include <QtEndian>

#include <algorithm>
#include <cstring>

namespace modRegistryLow {

namespace {

// The size of the buffer a value is read into; longer values read as missing.
constexpr qsizetype ValueBufferSize = 1024;

} // namespace

long openKey(Root root, const QString& subKey, long options, long access)
{
    registry::Handle handle = 0;
    if (registry::openKey(root, subKey, static_cast<quint32>(access), handle) != registry::Success)
        return -1;
    return handle;
}

void createKey(const QString& subKey, Root root)
{
    registry::Handle handle = 0;
    if (registry::createKey(root, subKey, registry::KeyAllAccess, handle) == registry::Success)
        registry::closeKey(handle);
}

void closeKey(long handle)
{
    registry::closeKey(static_cast<registry::Handle>(handle));
}

long setValueEx(long handle, const QString& valueName, long type, const QVariant& value)
{
    QByteArray data;
    if (type == registry::RegSz) {
        data = value.toString().toUtf8() + '\0';
    } else if (type == registry::RegDword) {
        data.resize(4);
        qToLittleEndian<qint32>(value.toInt(), data.data());
    } else {
        return 0;
    }
    return registry::setValue(static_cast<registry::Handle>(handle), valueName, static_cast<quint32>(type), data);
}

bool setStringValue(Root root, const QString& subKey, const QString& valueName, const QString& value)
{
    long handle = openKey(root, subKey, 0, KeyAllAccess);
    if (handle == -1) {
        createKey(subKey, root);
        handle = openKey(root, subKey, 0, KeyAllAccess);
        if (handle == -1)
            return false;
    }
    const long rc = setValueEx(handle, valueName, registry::RegSz, value);
    closeKey(handle);
    return rc == registry::Success;
}

bool getValueText(Root root, const QString& subKey, const QString& valueName, QString& text)
{
    const long handle = openKey(root, subKey, 0, KeyRead);
    if (handle == -1) {
        text.clear();
        return false;
    }
    quint32 type = 0;
    QByteArray data;
    const long rc = registry::queryValue(static_cast<registry::Handle>(handle), valueName, type, data, ValueBufferSize);
    closeKey(handle);
    if (rc != registry::Success) {
        text.clear();
        return false;
    }
    if (type == registry::RegSz) {
        if (data.endsWith('\0'))
            data.chop(1);
        text = QString::fromUtf8(data);
    } else if (type == registry::RegDword) {
        char buffer[4] = {0, 0, 0, 0}; // the rest of the buffer holds NULs
        std::memcpy(buffer, data.constData(), std::min<qsizetype>(data.size(), 4));
        text = QString::number(qFromLittleEndian<qint32>(buffer));
    }
    return true;
}

QString getStringValue(Root root, const QString& subKey, const QString& valueName, const QString& defaultValue)
{
    QString text;
    return getValueText(root, subKey, valueName, text) ? text : defaultValue;
}

bool setDWordValueHKCU(const QString& subKey, const QString& valueName, qint32 value)
{
    const long handle = openKey(Root::CurrentUser, subKey, 0, KeyAllAccess);
    if (handle == -1)
        return false;
    const long rc = setValueEx(handle, valueName, registry::RegDword, value);
    closeKey(handle);
    return rc == registry::Success;
}

qint32 getDWordValueHKCU(const QString& subKey, const QString& valueName, qint32 defaultValue)
{
    char buffer[4];
    qToLittleEndian<qint32>(defaultValue, buffer);
    const long handle = openKey(Root::CurrentUser, subKey, 0, KeyRead);
    if (handle != -1) {
        quint32 type = 0;
        QByteArray data;
        if (registry::queryValue(static_cast<registry::Handle>(handle), valueName, type, data, 4) == registry::Success)
            std::memcpy(buffer, data.constData(), data.size());
        closeKey(handle);
    }
    return qFromLittleEndian<qint32>(buffer);
}

} // namespace modRegistryLow
