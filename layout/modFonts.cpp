#include "layout/modFonts.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QSet>

namespace modFonts {

namespace {

// The font database names a family that several foundries make "Family [Foundry]"; the
// family is listed once, by its own name.
QString familyName(const QString& databaseName)
{
    const qsizetype bracket = databaseName.indexOf(QStringLiteral(" ["));
    return bracket < 0 ? databaseName : databaseName.left(bracket);
}

} // namespace

void fillFontList(QComboBox& combo)
{
    combo.clear();
    QSet<QString> listed;
    for (const QString& databaseName : QFontDatabase::families()) {
        if (QFontDatabase::isPrivateFamily(databaseName) || !QFontDatabase::isSmoothlyScalable(databaseName))
            continue;
        const QString family = familyName(databaseName);
        if (family.startsWith(u'.') || listed.contains(family))
            continue;
        listed.insert(family);
        combo.addItem(family);
    }
}

} // namespace modFonts
