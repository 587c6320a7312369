#pragma once

#include "platform/print/PrintSpooler.h"

#include <QList>
#include <QStringList>
#include <QTemporaryDir>

namespace testing_support {

// The machine's printers as a test wants them; keeps a copy of every document handed to it,
// and refuses each with `refusal` when that is set. While it lives it is the print spooler.
class KeepingSpooler : public print::PrintSpooler
{
public:
    explicit KeepingSpooler(QStringList printers);
    ~KeepingSpooler() override;

    print::Printers printers() override { return {m_printers, m_printers.value(0)}; }
    bool submit(const QString& printerName, const QString& pdfFile, const QString& title, const QString& media,
                QString& error) override;

    struct Job
    {
        QString printer;
        QString file; // the file handed over, gone once the print system is done with it
        QString title;
        QString media;
        QString copy; // the kept copy
    };
    QList<Job> jobs;
    QString refusal;

    // The print system's spool files now in the temporary folder.
    static QStringList spoolFiles();

private:
    QStringList m_printers;
    service::Service<print::PrintSpooler>::Override m_installed;
    QTemporaryDir m_folder;
};

} // namespace testing_support
