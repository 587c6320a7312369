#include "TestPaths.h"

#include <QDir>

namespace testing_support {

QString sourceDir()
{
    return qEnvironmentVariable("QV_SOURCE_DIR", QStringLiteral(QV_SOURCE_DIR_DEFAULT));
}

QString binaryDir()
{
    return qEnvironmentVariable("QV_BINARY_DIR", QStringLiteral(QV_BINARY_DIR_DEFAULT));
}

QString fixture(const QString& relativePath)
{
    return QDir(sourceDir()).filePath(QStringLiteral("tests/data/") + relativePath);
}

} // namespace testing_support
