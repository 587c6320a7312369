#include "PanelFixture.h"

#include "capture/modSymbolRoutines.h"
#include "common/MainHelper.h"
#include "common/modRegistryLow.h"
#include "panel/ZephlorinEdition.h"
#include "platform/settings/Settings.h"
#include "platform/ui/MessageService.h"
#include "platform/vb/Command.h"

#include <QCoreApplication>
#include <QFile>

PanelFixture::PanelFixture() : m_edition(modMainHelper::zephlorinEdition()) {}

void PanelFixture::SetUp()
{
    ui::setProgramTitle(QStringLiteral("Zephlorin"));
    modMainHelper::isFirstRunOfVersion();
    vb::setCommand(QString());
}

void PanelFixture::TearDown()
{
    if (m_panel && ui::isLoaded(*m_panel))
        ui::unload(*m_panel);
    for (ui::Form* form : ui::forms())
        ui::unload(*form);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(m_messages.pending(), 0) << "message answers left unused";
    EXPECT_EQ(m_modals.pending(), 0) << "modal steps left unused";
}

QString PanelFixture::install(const QString& strExeName)
{
    const QString path = m_dir.filePath(strExeName);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    EXPECT_TRUE(modRegistryLow::setStringValue(
        modRegistryLow::Root::LocalMachine,
        QStringLiteral("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\") + strExeName, QString(), path));
    return path;
}

frmZephlorin* PanelFixture::start(const QString& strCommandLine)
{
    vb::setCommand(strCommandLine);
    m_panel = new frmZephlorin;
    ui::load(*m_panel);
    return m_panel;
}

void PanelFixture::setSetting(const QString& section, const QString& key, const QString& value)
{
    ASSERT_TRUE(settings::saveSetting(QStringLiteral("Zephlorin"), section, key, value));
}

QString PanelFixture::setting(const QString& section, const QString& key) const
{
    return settings::getSetting(QStringLiteral("Zephlorin"), section, key, QStringLiteral("<missing>"));
}

QByteArray PanelFixture::settingsFile() const
{
    QFile file(settings::settingsFilePath(QStringLiteral("Zephlorin")));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString PanelFixture::workFile(const QString& name) const
{
    return modSymbolRoutines::getTempFileName(name);
}

bool PanelFixture::execute(const QString& strCmd)
{
    bool Cancel = true;
    m_panel->Form_LinkExecute(strCmd, Cancel);
    return !Cancel;
}
