#pragma once

#include <QString>

namespace testing_support {

// The source tree (for fixtures in tests/data) and the build tree.
QString sourceDir();
QString binaryDir();
QString fixture(const QString& relativePath);

} // namespace testing_support
