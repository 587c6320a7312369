// qv-register: writes the "App Paths" entries by which the family programs find and
// start each other.
//
//   qv-register --build-tree <bin folder>                for this user, e.g. after a build
//   qv-register --install <bin folder> [--config-dir D]   for every user of the machine:
//                                                         D/corvel/registry (default /etc/xdg)
#include "platform/registry/Registry.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <cstdio>

namespace {

constexpr auto AppPaths = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";

struct Program
{
    const char* key;
    const char* executable;
};

constexpr Program Programs[] = {
    {"Quorvane.exe", "quorvane"},
    {"Brindlemark.exe", "brindlemark"},
    {"Zephlorin.exe", "zephlorin"},
};

int usage()
{
    std::fprintf(stderr, "usage: qv-register --build-tree <bin folder>\n"
                         "       qv-register --install <bin folder> [--config-dir <folder>]\n");
    return 2;
}

bool registerProgram(const QString& binFolder, const Program& program)
{
    const QString path = QDir(binFolder).absoluteFilePath(QString::fromLatin1(program.executable));
    registry::Handle key = 0;
    const QString subKey = QString::fromLatin1(AppPaths) + QString::fromLatin1(program.key);
    long rc = registry::createKey(registry::Root::LocalMachine, subKey, registry::KeyAllAccess, key);
    if (rc == registry::Success) {
        rc = registry::setValue(key, QString(), registry::RegSz, path.toUtf8() + '\0');
        registry::closeKey(key);
    }
    if (rc != registry::Success) {
        std::fprintf(stderr, "qv-register: cannot write %s (error %ld)\n", qPrintable(subKey), rc);
        return false;
    }
    std::printf("%s -> %s\n", program.key, qPrintable(path));
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 2 || (args[0] != QStringLiteral("--build-tree") && args[0] != QStringLiteral("--install")))
        return usage();
    const QString binFolder = QFileInfo(args[1]).absoluteFilePath();
    if (!QFileInfo(binFolder).isDir()) {
        std::fprintf(stderr, "qv-register: %s is not a folder\n", qPrintable(binFolder));
        return 1;
    }
    if (args[0] == QStringLiteral("--install")) {
        QString configDir = QStringLiteral("/etc/xdg");
        if (args.size() == 4 && args[2] == QStringLiteral("--config-dir"))
            configDir = args[3];
        else if (args.size() != 2)
            return usage();
        registry::setUserHiveFolder(QDir(configDir).absoluteFilePath(QStringLiteral("corvel/registry")));
    } else if (args.size() != 2) {
        return usage();
    }
    bool ok = true;
    for (const Program& program : Programs)
        ok = registerProgram(binFolder, program) && ok;
    return ok ? 0 : 1;
}
