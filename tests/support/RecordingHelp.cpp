#include "RecordingHelp.h"

namespace testing_support {

RecordingHelp::RecordingHelp() : m_installed(shell::helpService.replace(*this)) {}

shell::HelpResult RecordingHelp::record(int topic)
{
    m_topics.append(topic);
    return m_failure.isEmpty() ? shell::HelpResult{} : shell::HelpResult{false, m_failure};
}

shell::HelpResult RecordingHelp::showContents(const LateFailure&)
{
    return record(0);
}

shell::HelpResult RecordingHelp::showTopic(int topic, const LateFailure&)
{
    return record(topic);
}

} // namespace testing_support
