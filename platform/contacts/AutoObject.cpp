#include "platform/contacts/AutoObject.h"

#include "platform/vb/VbError.h"

namespace contacts {

AutoObject::AutoObject(QString typeName) : m_typeName(std::move(typeName)) {}

AutoObject::~AutoObject() = default;

QVariant AutoObject::call(const QString& name, const QVariantList& args)
{
    const Member& m = member(name);
    if (args.size() < m.minArgs || args.size() > m.maxArgs)
        throw vb::Error::runtime(vb::err::WrongArgumentCount, errorSource());
    return m.method(args);
}

void AutoObject::set(const QString& name, const QVariant& value)
{
    const Member& m = member(name);
    if (!m.setter)
        throw vb::Error::runtime(vb::err::ObjectDoesNotSupport, errorSource());
    m.setter(value);
}

void AutoObject::addMethod(const QString& name, int minArgs, int maxArgs, Method method)
{
    m_members.insert(name.toLower(), Member{minArgs, maxArgs, std::move(method), {}});
}

void AutoObject::addProperty(const QString& name, Getter getter, Setter setter)
{
    m_members.insert(
        name.toLower(),
        Member{0, 0, [getter = std::move(getter)](const QVariantList&) { return getter(); }, std::move(setter)});
}

const AutoObject::Member& AutoObject::member(const QString& name) const
{
    const auto it = m_members.constFind(name.toLower());
    if (it == m_members.constEnd())
        throw vb::Error::runtime(vb::err::ObjectDoesNotSupport, errorSource());
    return *it;
}

QVariant toVariant(const AutoObjectPtr& object)
{
    return QVariant::fromValue(object);
}

AutoObjectPtr toObject(const QVariant& value)
{
    if (!value.isValid())
        return nullptr;
    if (value.metaType() != QMetaType::fromType<AutoObjectPtr>())
        throw vb::Error::runtime(vb::err::ObjectRequired, errorSource());
    return value.value<AutoObjectPtr>();
}

QString typeName(const AutoObjectPtr& object)
{
    return object ? object->typeName() : QStringLiteral("Nothing");
}

QString errorSource()
{
    return QStringLiteral("Contacts");
}

} // namespace contacts
