#pragma once

#include <QStringList>
#include <QtMessageHandler>

namespace testing_support {

// While it lives, Qt's warnings of this thread are recorded here instead of going to
// stderr.
class CaughtWarnings
{
public:
    CaughtWarnings();
    ~CaughtWarnings();
    CaughtWarnings(const CaughtWarnings&) = delete;
    CaughtWarnings& operator=(const CaughtWarnings&) = delete;

    const QStringList& messages() const { return m_messages; }
    // True when a warning holds `text`.
    bool contains(const QString& text) const;
    void clear() { m_messages.clear(); }

private:
    static void handler(QtMsgType type, const QMessageLogContext& context, const QString& message);

    QtMessageHandler m_previous;
    CaughtWarnings* m_outer;
    QStringList m_messages;
};

} // namespace testing_support
