#include "platform/ui/HelpContext.h"

#include <QObject>
#include <QVariant>

namespace ui {

namespace {

constexpr char HelpContextProperty[] = "HelpContextID";

} // namespace

void setHelpContext(QObject* object, qint32 contextID)
{
    if (object)
        object->setProperty(HelpContextProperty, contextID);
}

qint32 helpContext(const QObject* object)
{
    return object ? object->property(HelpContextProperty).toInt() : 0;
}

qint32 helpContextOf(const QObject* object)
{
    for (; object; object = object->parent())
        if (const qint32 id = helpContext(object))
            return id;
    return 0;
}

} // namespace ui
