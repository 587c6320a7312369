#include "common/frmProgIcon.h"

#include <QGuiApplication>

frmProgIcon::frmProgIcon(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmProgIcon"));
    setWindowIcon(QGuiApplication::windowIcon());
}

frmProgIcon& frmProgIcon::instance()
{
    return ui::formInstance<frmProgIcon>();
}

QIcon frmProgIcon::programIcon()
{
    return instance().windowIcon();
}
