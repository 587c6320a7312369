#include "TempConfig.h"

namespace testing_support {

TempConfig::TempConfig() : m_previous(qgetenv("XDG_CONFIG_HOME"))
{
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.path()));
}

TempConfig::~TempConfig()
{
    qputenv("XDG_CONFIG_HOME", m_previous);
}

} // namespace testing_support
