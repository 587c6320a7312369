// Opens COM<n> (argv[1]) in a process of its own and says how it went: "open", then holds the
// port until its standard input ends; or "error <number>".
#include "platform/serial/CommPort.h"
#include "platform/vb/VbError.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return 2;
    serial::CommPort port;
    try {
        port.setCommPort(std::atoi(argv[1]));
        port.setPortOpen(true);
    } catch (const vb::Error& e) {
        std::printf("error %ld\n", e.number());
        return 0;
    }
    std::printf("open\n");
    std::fflush(stdout);
    while (std::getchar() != EOF) {
    }
    return 0;
}
