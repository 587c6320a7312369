// settings_writer <app> <section> <key> <value>      stores one value
// settings_writer <app> <section> <prefix> --count N  stores <prefix>0 .. <prefix>N-1 one by one
#include "platform/settings/Settings.h"

#include <QCoreApplication>
#include <QStringList>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList a = app.arguments();
    if (a.size() == 5)
        return settings::saveSetting(a[1], a[2], a[3], a[4]) ? 0 : 1;
    if (a.size() == 6 && a[4] == QStringLiteral("--count")) {
        for (int i = 0; i < a[5].toInt(); ++i)
            if (!settings::saveSetting(a[1], a[2], a[3] + QString::number(i), QString::number(i)))
                return 1;
        return 0;
    }
    return 2;
}
