#pragma once

#include <QString>

#include <sys/types.h>

namespace testing_support {

// A second user account of the machine for as long as this lives (root only): made with
// useradd under a fresh name, without a home, and deleted again with userdel. False when it
// could not be made (not root, no useradd); error() says why.
class SecondUser
{
public:
    SecondUser();
    ~SecondUser();
    SecondUser(const SecondUser&) = delete;
    SecondUser& operator=(const SecondUser&) = delete;

    explicit operator bool() const { return m_made && m_error.isEmpty(); }
    const QString& error() const { return m_error; }
    uid_t uid() const { return m_uid; }
    gid_t gid() const { return m_gid; }

private:
    QString m_name;
    QString m_error;
    bool m_made = false;
    uid_t m_uid = 0;
    gid_t m_gid = 0;
};

} // namespace testing_support
