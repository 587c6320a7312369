#pragma once

#include "platform/shell/Desktop.h"

#include <QList>
#include <QQueue>

namespace testing_support {

// Records the programs started and the addresses opened, without starting or opening
// anything. While it lives it is the desktop. Starts succeed unless a result is queued.
class RecordingDesktop : public shell::Desktop
{
public:
    struct Start
    {
        QString program;
        QStringList arguments;
    };

    RecordingDesktop();

    shell::StartResult startProgram(const QString& program, const QStringList& arguments) override;
    bool openUrl(const QUrl& url, std::function<void()> failed) override;

    // The result of the next start.
    RecordingDesktop& nextStart(const shell::StartResult& result);
    void setOpenUrlResult(bool ok) { m_openUrlResult = ok; }

    const QList<Start>& starts() const { return m_starts; }
    const QList<QUrl>& urls() const { return m_urls; }

private:
    service::Service<shell::Desktop>::Override m_installed;
    QQueue<shell::StartResult> m_results;
    bool m_openUrlResult = true;
    QList<Start> m_starts;
    QList<QUrl> m_urls;
};

} // namespace testing_support
