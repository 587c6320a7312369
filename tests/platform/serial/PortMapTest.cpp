#include "platform/serial/PortMap.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace serial;

TEST(PortMap, ParsesPortLinesAndSkipsTheRest)
{
    const QMap<int, QString> map = parsePortMap("# scanner on the USB adapter\n"
                                                "COM1 = /dev/ttyUSB0\n"
                                                "  com2=/dev/serial/by-id/usb-Hand Scanner-if00  \r\n"
                                                "COM3 = relative/path\n"
                                                "COM0 = /dev/ttyS9\n"
                                                "COM17 = /dev/ttyS9\n"
                                                "COMX = /dev/ttyS9\n"
                                                "COM4\n"
                                                "COM1 = /dev/ttyACM0");
    EXPECT_EQ(map.size(), 2);
    EXPECT_EQ(map.value(1), QStringLiteral("/dev/ttyACM0")); // the later line wins
    EXPECT_EQ(map.value(2), QStringLiteral("/dev/serial/by-id/usb-Hand Scanner-if00"));
}

TEST(PortMap, EnvironmentBeforeFileBeforeBuiltInPorts)
{
    const QString file = portMapFile();
    ASSERT_TRUE(QDir().mkpath(QFileInfo(file).path()));
    {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write("COM2 = /dev/ttyUSB0\nCOM3 = /dev/ttyUSB1\n");
    }
    qputenv("QV_COM3", "/dev/pts/42");

    EXPECT_EQ(devicePathFor(1), QStringLiteral("/dev/ttyS0"));
    EXPECT_EQ(devicePathFor(2), QStringLiteral("/dev/ttyUSB0"));
    EXPECT_EQ(devicePathFor(3), QStringLiteral("/dev/pts/42"));
    EXPECT_EQ(devicePathFor(4), QStringLiteral("/dev/ttyS3"));

    qunsetenv("QV_COM3");
    QFile::remove(file);
}
