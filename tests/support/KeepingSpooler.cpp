#include "KeepingSpooler.h"

#include <QDir>
#include <QFile>

namespace testing_support {

KeepingSpooler::KeepingSpooler(QStringList printers)
    : m_printers(std::move(printers)), m_installed(print::spooler.replace(*this))
{
}

KeepingSpooler::~KeepingSpooler() = default;

bool KeepingSpooler::submit(const QString& printerName, const QString& pdfFile, const QString& title,
                            const QString& media, QString& error)
{
    const QString copy = m_folder.filePath(QString::number(jobs.size()) + QStringLiteral(".pdf"));
    QFile::copy(pdfFile, copy);
    jobs.append(Job{printerName, pdfFile, title, media, copy});
    if (!refusal.isEmpty()) {
        error = refusal;
        return false;
    }
    return true;
}

QStringList KeepingSpooler::spoolFiles()
{
    return QDir(QDir::tempPath()).entryList({QStringLiteral("print-*.spool")}, QDir::Files);
}

} // namespace testing_support
