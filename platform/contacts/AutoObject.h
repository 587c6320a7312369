#pragma once

#include <QHash>
#include <QString>
#include <QVariant>

#include <functional>
#include <memory>

namespace contacts {

class AutoObject;
using AutoObjectPtr = std::shared_ptr<AutoObject>;

// An object of the automation model, reached by member name at run time the way a
// late-bound caller reaches it. Names are matched without case. A name the object does
// not have raises vb::Error 438, a call with the wrong number of arguments 450. Members
// raise vb::Error for everything else that goes wrong.
//
// Objects travel in QVariant as AutoObjectPtr; a null pointer (or an empty QVariant) is
// Nothing.
class AutoObject
{
public:
    using Method = std::function<QVariant(const QVariantList& args)>;
    using Getter = std::function<QVariant()>;
    using Setter = std::function<void(const QVariant& value)>;

    explicit AutoObject(QString typeName);
    virtual ~AutoObject();
    AutoObject(const AutoObject&) = delete;
    AutoObject& operator=(const AutoObject&) = delete;

    // The object's class name, as TypeName gives it ("ContactItem").
    const QString& typeName() const { return m_typeName; }

    // Calls a method, or reads a property when `args` is empty.
    QVariant call(const QString& name, const QVariantList& args = {});
    QVariant get(const QString& name) { return call(name); }
    // Assigns a property; a member without a setter raises 438.
    void set(const QString& name, const QVariant& value);

    // The members, registered by the object when it is made.
    void addMethod(const QString& name, int minArgs, int maxArgs, Method method);
    void addProperty(const QString& name, Getter getter, Setter setter = {});

private:
    struct Member
    {
        int minArgs = 0;
        int maxArgs = 0;
        Method method;
        Setter setter;
    };

    const Member& member(const QString& name) const;

    QString m_typeName;
    QHash<QString, Member> m_members; // by lower-case name
};

// An object as a value, and back. toObject gives nullptr for Nothing and raises 424
// (object required) for a value that is not an object.
QVariant toVariant(const AutoObjectPtr& object);
AutoObjectPtr toObject(const QVariant& value);

// The class name of an object as TypeName gives it: "Nothing" for Nothing.
QString typeName(const AutoObjectPtr& object);

// The source every error of the automation model names.
QString errorSource();

} // namespace contacts

Q_DECLARE_METATYPE(contacts::AutoObjectPtr)
