#include "RecordingDesktop.h"

namespace testing_support {

RecordingDesktop::RecordingDesktop() : m_installed(shell::desktop.replace(*this)) {}

shell::StartResult RecordingDesktop::startProgram(const QString& program, const QStringList& arguments)
{
    m_starts.append(Start{program, arguments});
    return m_results.isEmpty() ? shell::StartResult{} : m_results.dequeue();
}

bool RecordingDesktop::openUrl(const QUrl& url, std::function<void()>)
{
    m_urls.append(url);
    return m_openUrlResult;
}

RecordingDesktop& RecordingDesktop::nextStart(const shell::StartResult& result)
{
    m_results.enqueue(result);
    return *this;
}

} // namespace testing_support
