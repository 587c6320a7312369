#include "common/modRegistryHigh.h"

#include "common/DesktopEntries.h"
#include "common/modRegistryLow.h"
#include "platform/settings/Settings.h"
#include "platform/ui/MessageService.h"
#include "platform/vb/VbError.h"
#include "platform/vb/VbNumber.h"

#include <QCoreApplication>

#include <limits>

namespace modRegistryHigh {

namespace {

const QString Preferences = QStringLiteral("Preferences");
const QString AppInfo = QStringLiteral("App Info");

QString read(const QString& section, const QString& key, const QString& defaultValue)
{
    return settings::getSetting(ui::programTitle(), section, key, defaultValue);
}

bool write(const QString& section, const QString& key, const QString& value)
{
    return settings::saveSetting(ui::programTitle(), section, key, value);
}

double number(const QString& section, const QString& key, const QString& defaultValue)
{
    return vb::leadingDecimal(read(section, key, defaultValue));
}

// True when the reading is not 0.
bool readSwitch(const QString& key, const QString& section = Preferences)
{
    return number(section, key, QStringLiteral("1")) != 0;
}

// True when the reading, rounded, is not 0.
bool readRoundedSwitch(const QString& key, const QString& section = Preferences)
{
    return vb::roundHalfEven(number(section, key, QStringLiteral("1"))) != 0;
}

bool writeSwitch(const QString& key, bool b, const QString& section = Preferences)
{
    return write(section, key, b ? QStringLiteral("1") : QStringLiteral("0"));
}

// Rounded, then clamped to 0..upper.
qint32 readClamped(const QString& section, const QString& key, qint32 defaultValue, qint32 upper)
{
    const double r = vb::roundHalfEven(number(section, key, vb::str(defaultValue)));
    if (r > upper)
        return upper;
    if (r < 0)
        return 0;
    return static_cast<qint32>(r);
}

// Rounded, not clamped; a number beyond 32 bits reads as the default.
qint32 readRounded(const QString& section, const QString& key, qint32 defaultValue)
{
    const double r = vb::roundHalfEven(number(section, key, vb::str(defaultValue)));
    if (r < std::numeric_limits<qint32>::min() || r > std::numeric_limits<qint32>::max())
        return defaultValue;
    return static_cast<qint32>(r);
}

// Written as Str writes it: " 2", "-3".
bool writeNumber(const QString& section, const QString& key, qint32 n)
{
    return write(section, key, vb::str(n));
}

QString printOffsetKey(const QString& axis, qint16 layoutType)
{
    return axis + u' ' + vb::str(layoutType);
}

qint32 readOffset(const QString& device, const QString& key, qint32 defaultValue)
{
    try {
        return vb::toInt32(QStringView(read(device, key, QString::number(defaultValue))));
    } catch (const vb::Error&) {
        return defaultValue; // only numbers are ever stored there
    }
}

} // namespace

bool getToolTips()
{
    return readSwitch(QStringLiteral("ToolTips"));
}

bool setToolTips(bool b)
{
    return writeSwitch(QStringLiteral("ToolTips"), b);
}

bool getAutoUpdate()
{
    return readRoundedSwitch(QStringLiteral("AutoUpdate"));
}

bool setAutoUpdate(bool b)
{
    return writeSwitch(QStringLiteral("AutoUpdate"), b);
}

bool getSimpleVCard()
{
    return readSwitch(QStringLiteral("Simple vCard"));
}

bool setSimpleVCard(bool b)
{
    return writeSwitch(QStringLiteral("Simple vCard"), b);
}

qint32 getScanner()
{
    return readClamped(Preferences, QStringLiteral("Scanner"), 2, 2);
}

bool setScanner(qint16 n)
{
    return writeNumber(Preferences, QStringLiteral("Scanner"), n);
}

qint32 getDefaultPIM()
{
    return readClamped(Preferences, QStringLiteral("DefaultPIM"), 1, 1);
}

bool setDefaultPIM(qint32 n)
{
    return writeNumber(Preferences, QStringLiteral("DefaultPIM"), n);
}

qint32 getPDFComPort()
{
    return readClamped(Preferences, QStringLiteral("PDF COM port"), 0, 3);
}

bool setPDFComPort(qint32 n)
{
    return writeNumber(Preferences, QStringLiteral("PDF COM port"), n);
}

bool getPromptWanted(qint32 nKind)
{
    return readRoundedSwitch(QString::number(nKind), QStringLiteral("Dont show me again"));
}

bool setPromptWanted(qint32 nKind, bool bWanted)
{
    return writeSwitch(QString::number(nKind), bWanted, QStringLiteral("Dont show me again"));
}

void requireSaved(bool bSaved)
{
    if (bSaved)
        return;
    throw vb::Error(vb::err::PathFileAccessError, ui::programTitle(),
                    vb::Error::standardDescription(vb::err::PathFileAccessError) + QStringLiteral(": ") +
                        settings::lastWriteError(ui::programTitle()));
}

bool registerFileTypes()
{
    using modRegistryLow::Root;
    const QString title = ui::programTitle();
    const QString exe = QCoreApplication::applicationFilePath();
    const QString fileKey = title + QStringLiteral(" File");
    bool ok = modRegistryLow::setStringValue(Root::ClassesRoot, fileKey, QString(), title);
    ok = modRegistryLow::setStringValue(Root::ClassesRoot, fileKey + QStringLiteral("\\shell\\open\\command"),
                                        QString(), exe + QStringLiteral(" %1")) &&
         ok;
    ok = modRegistryLow::setStringValue(Root::ClassesRoot, fileKey + QStringLiteral("\\DefaultIcon"), QString(), exe) &&
         ok;
    ok = modRegistryLow::setStringValue(Root::ClassesRoot, QStringLiteral(".imf"), QString(), fileKey) && ok;
    // What the registry means to the program's own look-ups, the desktop's file type, entry and
    // default application mean to the file manager.
    ok = desktopEntries::associateImpressionFiles(title.toLower(), exe) && ok;
    return ok;
}

void getPrintOffsets(qint32& x, qint32& y, const QString& strDeviceName, qint16 nLayoutType, qint32 nDefaultX,
                     qint32 nDefaultY)
{
    x = readOffset(strDeviceName, printOffsetKey(QStringLiteral("OffsetX"), nLayoutType), nDefaultX);
    y = readOffset(strDeviceName, printOffsetKey(QStringLiteral("OffsetY"), nLayoutType), nDefaultY);
}

bool setPrintOffsets(qint32 x, qint32 y, const QString& strDeviceName, qint16 nLayoutType)
{
    return settings::saveSettings(ui::programTitle(), strDeviceName,
                                  {{printOffsetKey(QStringLiteral("OffsetX"), nLayoutType), QString::number(x)},
                                   {printOffsetKey(QStringLiteral("OffsetY"), nLayoutType), QString::number(y)}});
}

qint32 getLayoutDefault()
{
    return readClamped(Preferences, QStringLiteral("LayoutDefault"), 1, 2);
}

bool setLayoutDefault(qint16 nLayoutType)
{
    return writeNumber(Preferences, QStringLiteral("LayoutDefault"), nLayoutType);
}

bool getEncodeCorvelWords()
{
    return readSwitch(QStringLiteral("Encode CorvelWords"));
}

bool setEncodeCorvelWords(bool b)
{
    return writeSwitch(QStringLiteral("Encode CorvelWords"), b);
}

qint32 getWindowTop()
{
    return readRounded(AppInfo, QStringLiteral("Window Top"), 3000);
}

bool setWindowTop(qint32 n)
{
    return writeNumber(AppInfo, QStringLiteral("Window Top"), n);
}

qint32 getWindowLeft()
{
    return readRounded(AppInfo, QStringLiteral("Window Left"), 3000);
}

bool setWindowLeft(qint32 n)
{
    return writeNumber(AppInfo, QStringLiteral("Window Left"), n);
}

qint32 getWindowCloseState()
{
    return readClamped(AppInfo, QStringLiteral("Window Close State"), 0, 2);
}

bool setWindowCloseState(qint32 n)
{
    return writeNumber(AppInfo, QStringLiteral("Window Close State"), n);
}

qint32 getStartWindowState()
{
    return readClamped(Preferences, QStringLiteral("Start Window State"), 0, 2);
}

bool setStartWindowState(qint32 n)
{
    return writeNumber(Preferences, QStringLiteral("Start Window State"), n);
}

bool getShowInSystray()
{
    return readRoundedSwitch(QStringLiteral("Show In Systray"));
}

bool setShowInSystray(bool b)
{
    return writeSwitch(QStringLiteral("Show In Systray"), b);
}

} // namespace modRegistryHigh
