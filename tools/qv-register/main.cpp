// qv-register: writes the "App Paths" entries by which the family programs find and
// start each other, and the programs' entries and icons for the desktop's menus.
//
//   qv-register --build-tree <bin folder>        for this user, e.g. after a build: the
//                                                registry in the user's folder, the entries
//                                                in $XDG_DATA_HOME
//   qv-register --install <bin folder> [--config-dir D] [--data-dir E]
//                                                for every user of the machine: D/corvel/registry
//                                                (default /etc/xdg), entries and icons in E
//                                                (default /usr/local/share)
//   qv-register --uninstall [--build-tree | --data-dir E]
//                                                removes the entries and icons again
#include "common/DesktopEntries.h"
#include "platform/registry/Registry.h"
#include "platform/shell/DesktopFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMap>
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
                         "       qv-register --install <bin folder> [--config-dir <folder>] [--data-dir <folder>]\n"
                         "       qv-register --uninstall [--build-tree | --data-dir <folder>]\n");
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

// The options after the first two arguments, as name -> value; false when one is unknown or
// has no value.
bool readOptions(const QStringList& args, const QStringList& known, QMap<QString, QString>& options)
{
    for (qsizetype i = 0; i < args.size(); i += 2) {
        if (!known.contains(args[i]) || i + 1 == args.size())
            return false;
        options[args[i]] = args[i + 1];
    }
    return true;
}

bool installEntries(const QString& binFolder, const QString& dataFolder)
{
    bool ok = true;
    for (const QString& program : desktopEntries::programs()) {
        const QString path = QDir(binFolder).absoluteFilePath(program);
        if (desktopEntries::installProgram(dataFolder, program, path))
            std::printf("%s.desktop in %s/applications\n", qPrintable(program), qPrintable(dataFolder));
        else
            ok = false;
    }
    QString error;
    if (!shell::refreshDesktopDatabase(dataFolder, &error)) {
        std::fprintf(stderr, "qv-register: %s\n", qPrintable(error));
        ok = false;
    }
    return ok;
}

int uninstall(const QStringList& args)
{
    QString dataFolder = shell::userDataFolder();
    if (args.size() == 3 && args[1] == QStringLiteral("--data-dir"))
        dataFolder = QFileInfo(args[2]).absoluteFilePath();
    else if (!(args.size() == 1 || (args.size() == 2 && args[1] == QStringLiteral("--build-tree"))))
        return usage();
    bool ok = true;
    for (const QString& program : desktopEntries::programs()) {
        if (!desktopEntries::uninstallProgram(dataFolder, program)) {
            std::fprintf(stderr, "qv-register: cannot remove %s from %s\n", qPrintable(program),
                         qPrintable(dataFolder));
            ok = false;
        }
    }
    QString error;
    if (!shell::refreshDesktopDatabase(dataFolder, &error)) {
        std::fprintf(stderr, "qv-register: %s\n", qPrintable(error));
        ok = false;
    }
    return ok ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    // The icons are drawn without showing anything: no display is needed.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (!args.isEmpty() && args[0] == QStringLiteral("--uninstall"))
        return uninstall(args);
    if (args.size() < 2 || (args[0] != QStringLiteral("--build-tree") && args[0] != QStringLiteral("--install")))
        return usage();
    const QString binFolder = QFileInfo(args[1]).absoluteFilePath();
    if (!QFileInfo(binFolder).isDir()) {
        std::fprintf(stderr, "qv-register: %s is not a folder\n", qPrintable(binFolder));
        return 1;
    }
    QString dataFolder = shell::userDataFolder();
    if (args[0] == QStringLiteral("--install")) {
        QMap<QString, QString> options;
        if (!readOptions(args.mid(2), {QStringLiteral("--config-dir"), QStringLiteral("--data-dir")}, options))
            return usage();
        const QString configDir = options.value(QStringLiteral("--config-dir"), QStringLiteral("/etc/xdg"));
        dataFolder = QFileInfo(options.value(QStringLiteral("--data-dir"), QStringLiteral("/usr/local/share")))
                         .absoluteFilePath();
        registry::setUserHiveFolder(QDir(configDir).absoluteFilePath(QStringLiteral("corvel/registry")));
    } else if (args.size() != 2) {
        return usage();
    }
    bool ok = true;
    for (const Program& program : Programs)
        ok = registerProgram(binFolder, program) && ok;
    ok = installEntries(binFolder, dataFolder) && ok;
    return ok ? 0 : 1;
}
