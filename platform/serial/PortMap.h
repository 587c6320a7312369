#pragma once

#include <QByteArrayView>
#include <QMap>
#include <QString>

// Where the serial ports COM1, COM2 ... are on this machine.
//
// A port number n is looked up, first match wins, in:
//   1. the environment variable QV_COM<n> (QV_COM1=/dev/ttyUSB0), for a session or a test;
//   2. the per-user file "$XDG_CONFIG_HOME/corvel/serial-ports.conf", lines "COM<n> = <device>",
//      '#' starting a comment line;
//   3. the machine's n-th built-in port, /dev/ttyS<n-1>.
// The file is read each time a port is opened, so an edit applies to the next open.
namespace serial {

constexpr int FirstPort = 1;
constexpr int LastPort = 16;

// The device path of port `port` (FirstPort..LastPort).
QString devicePathFor(int port);

// The per-user mapping file.
QString portMapFile();

// The entries of a mapping file: port number -> absolute device path. Lines that are not
// "COM<n> = /path" with n in range are skipped; a later line for the same port wins.
QMap<int, QString> parsePortMap(QByteArrayView text);

} // namespace serial
