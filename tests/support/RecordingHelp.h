#pragma once

#include "platform/shell/HelpService.h"

#include <QList>

namespace testing_support {

// Records which help was asked for instead of opening a browser. While it lives it is
// the help service. Topic 0 in topics() stands for the contents.
class RecordingHelp : public shell::HelpService
{
public:
    RecordingHelp();

    shell::HelpResult showContents(const LateFailure& late) override;
    shell::HelpResult showTopic(int topic, const LateFailure& late) override;

    const QList<int>& topics() const { return m_topics; }
    // Later requests fail with `message` (empty: they succeed again).
    void failWith(const QString& message) { m_failure = message; }

private:
    shell::HelpResult record(int topic);

    service::Service<shell::HelpService>::Override m_installed;
    QList<int> m_topics;
    QString m_failure;
};

} // namespace testing_support
