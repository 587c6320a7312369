#include "Vobject.h"

#include "TestPaths.h"

#include <QFile>
#include <QJsonDocument>
#include <QProcess>

#include <gtest/gtest.h>

namespace testing_support {

QJsonObject readWithVobject(const QString& fileName, bool lenient)
{
    // Debian's own interpreter, which python3-vobject is installed for (a python3 found
    // earlier on PATH may be another one).
    const QString interpreter = QFile::exists(QStringLiteral("/usr/bin/python3")) ? QStringLiteral("/usr/bin/python3")
                                                                                  : QStringLiteral("python3");
    QProcess python;
    QStringList arguments{sourceDir() + QStringLiteral("/tests/support/read_with_vobject.py"), fileName};
    if (lenient)
        arguments += QStringLiteral("--lenient");
    python.start(interpreter, arguments);
    EXPECT_TRUE(python.waitForFinished(60000));
    EXPECT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
    QJsonParseError error;
    const QJsonDocument json = QJsonDocument::fromJson(python.readAllStandardOutput(), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError);
    return json.object();
}

QJsonObject entryWithTypes(const QJsonArray& entries, const QStringList& types)
{
    for (const QJsonValue& v : entries)
        if (v.toObject()[QStringLiteral("types")].toVariant().toStringList() == types)
            return v.toObject();
    ADD_FAILURE() << "no entry of types " << types.join(u',').toStdString();
    return {};
}

} // namespace testing_support
