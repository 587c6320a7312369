#include "sampler/BrindlemarkPreferences.h"

#include "common/modRegistryHigh.h"

#include <QBoxLayout>

namespace {

void buildPim(QBoxLayout* layout, PreferencesEdition::Window window)
{
    const QString tip = window == PreferencesEdition::Window::Wizard
                            ? QStringLiteral("Source for Import. Destination for Export and Scan.")
                            : QStringLiteral("Destination for Export.");
    PreferencesEdition::addDefaultPimBox(layout, tip);
}

void buildPrinting(QBoxLayout* layout)
{
    // The list index is the layout type.
    const QString tip =
        QStringLiteral("Avery compatible or Template for direct printing to cards. Labels for stickers.");
    PreferencesEdition::addComboBox(layout, QStringLiteral("Default layout:"), QStringLiteral("cboDefaultLayout"),
                                    {QStringLiteral("Avery 5371 Compatible: 5 rows x 2 columns"),
                                     QStringLiteral("The Corvel Labels: 5 rows x 2 columns"),
                                     QStringLiteral("The Corvel Template: 3 rows x 2 columns")},
                                    tip, tip);
}

void buildOutput(QBoxLayout* layout, PreferencesEdition::Window window)
{
    PreferencesEdition::addCheckBox(
        layout, QStringLiteral("chkEncodeCorvelWords"),
        window == PreferencesEdition::Window::Wizard
            ? QStringLiteral("Include The Corvel Words™ in The Corvel Encoding™")
            : QStringLiteral("Include The Corvel Words in The Corvel Encoding"),
        QStringLiteral("Check to encode The Corvel Words, uncheck to make more space for contact information"));
    PreferencesEdition::addComplexVCardBox(layout);
}

} // namespace

const BrindlemarkPreferences& BrindlemarkPreferences::instance()
{
    static const BrindlemarkPreferences edition;
    return edition;
}

QString BrindlemarkPreferences::dialogCaption() const
{
    return QStringLiteral("Brindlemark Preferences");
}

QList<PreferencesEdition::Step> BrindlemarkPreferences::steps() const
{
    return {
        pimStep(),
        {QStringLiteral("Printing"), QStringLiteral("How do you prefer to print The Corvel Impression™?")},
        customizeStep(),
        outputStep(),
    };
}

void BrindlemarkPreferences::buildStep(int nIndex, QBoxLayout* layout, Window window) const
{
    switch (nIndex) {
    case 0:
        buildPim(layout, window);
        break;
    case 1:
        buildPrinting(layout);
        break;
    case 2:
        addToolTipsBox(layout);
        break;
    case 3:
        buildOutput(layout, window);
        break;
    default:
        break;
    }
}

QList<PreferencesEdition::Setting> BrindlemarkPreferences::settings() const
{
    using namespace modRegistryHigh;
    return {
        defaultPimSetting(),
        {QStringLiteral("cboDefaultLayout"), getLayoutDefault, [](qint32 v) { return setLayoutDefault(qint16(v)); },
         true},
        toolTipsSetting(),
        complexVCardSetting(),
        {QStringLiteral("chkEncodeCorvelWords"), [] { return qint32(getEncodeCorvelWords()); },
         [](qint32 v) { return setEncodeCorvelWords(v != 0); }},
    };
}
