#include "common/ProgramEdition.h"

#include "platform/vb/VbError.h"

#include <optional>

namespace modMainHelper {

namespace {

std::optional<ProgramEdition>& installed()
{
    static std::optional<ProgramEdition> edition;
    return edition;
}

} // namespace

const ProgramEdition& programEdition()
{
    if (!installed())
        throw vb::Error(vb::err::ObjectNotSet, QStringLiteral("ProgramEdition"),
                        QStringLiteral("No program edition is installed."));
    return *installed();
}

void setProgramEdition(const ProgramEdition& edition)
{
    installed() = edition;
}

bool hasProgramEdition()
{
    return installed().has_value();
}

void clearProgramEdition()
{
    installed().reset();
}

} // namespace modMainHelper
