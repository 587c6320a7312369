#include "platform/ui/ProgramFont.h"

#include <QApplication>

namespace ui {

QFont programFont()
{
    QFont font(QStringLiteral("Liberation Sans"));
    // Where it is missing, whatever face fontconfig gives for Arial, then any sans serif.
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(ProgramFontPoints);
    return font;
}

void useProgramFont()
{
    QApplication::setFont(programFont());
}

} // namespace ui
