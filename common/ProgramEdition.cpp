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

AboutEdition cardProgramsAbout()
{
    AboutEdition about;
    about.titleSuffix = QString(QChar(0x2122)); // the trade mark sign
    about.linkLabel = QStringLiteral("Label3");
    about.programIcon = true;
    about.labels = {
        {QStringLiteral("Label4"), QStringLiteral("Contributors: Ada Brennick, Tomas Ilvane, Mirela Sotka")},
        {QStringLiteral("Label2"), QStringLiteral("Card symbols: Jonah Pell, Rhea Castellan")},
        {QStringLiteral("Label1"), QStringLiteral("Testing and help: Ines Varda, Per Olund")},
    };
    return about;
}

} // namespace modMainHelper
