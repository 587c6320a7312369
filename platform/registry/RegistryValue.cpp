#include "platform/registry/RegistryValue.h"

#include <QList>
#include <QtEndian>

namespace registry {

namespace {

bool isDecimalDigits(QStringView text)
{
    for (QChar c : text)
        if (c < u'0' || c > u'9')
            return false;
    return !text.isEmpty();
}

bool isHexDigits(QStringView text)
{
    for (QChar c : text)
        if (!((c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F')))
            return false;
    return true;
}

} // namespace

QString RegistryValue::toText() const
{
    if (type == RegSz && data.isValidUtf8())
        return QStringLiteral("sz:") + QString::fromUtf8(data);
    if (type == RegDword && data.size() == 4)
        return QStringLiteral("dword:") +
               QString::number(qFromLittleEndian<quint32>(data.constData()), 16).rightJustified(8, u'0');
    return QStringLiteral("hex(%1):").arg(type) + QString::fromLatin1(data.toHex(','));
}

std::optional<RegistryValue> RegistryValue::fromText(const QString& text)
{
    if (text.startsWith(QStringLiteral("sz:")))
        return RegistryValue{RegSz, QStringView(text).mid(3).toUtf8()};
    if (text.startsWith(QStringLiteral("dword:"))) {
        const QStringView digits = QStringView(text).mid(6);
        if (digits.size() != 8 || !isHexDigits(digits))
            return std::nullopt;
        QByteArray data(4, '\0');
        qToLittleEndian<quint32>(digits.toUInt(nullptr, 16), data.data());
        return RegistryValue{RegDword, data};
    }
    if (text.startsWith(QStringLiteral("hex("))) {
        const qsizetype close = text.indexOf(QStringLiteral("):"));
        if (close < 5)
            return std::nullopt;
        const QStringView number = QStringView(text).mid(4, close - 4);
        bool ok = false;
        const quint32 type = number.toUInt(&ok);
        if (!ok || !isDecimalDigits(number))
            return std::nullopt;
        const QStringView bytes = QStringView(text).mid(close + 2);
        QByteArray data;
        if (!bytes.isEmpty()) {
            for (QStringView pair : bytes.split(u',')) {
                if (pair.size() != 2 || !isHexDigits(pair))
                    return std::nullopt;
                data.append(static_cast<char>(pair.toUInt(nullptr, 16)));
            }
        }
        return RegistryValue{type, data};
    }
    return std::nullopt;
}

} // namespace registry
