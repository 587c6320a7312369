#pragma once

#include "platform/ipc/IpcServer.h"

#include <QObject>
#include <QString>

namespace ipc {

// A window class a running program announces, so that another program can find it (the way
// FindWindow finds a top-level window by class and title) and ask it to restore its window and
// come to the front. Class and title are matched without case.
class WindowClass : public QObject
{
    Q_OBJECT

public:
    explicit WindowClass(const QString& className, const QString& title = QString(), QObject* parent = nullptr);

    QString className() const { return m_server.name(); }
    QString title() const { return m_title; }
    void setTitle(const QString& title) { m_title = title; }

    // Starts announcing; false (see errorString) when another live program announces the class.
    bool announce();
    void withdraw();
    bool isAnnounced() const { return m_server.isListening(); }
    QString errorString() const { return m_server.errorString(); }

    // Whether a running program announces the class, with the given title when one is given.
    static bool isPresent(const QString& className, const QString& title = QString());
    // Asks that program to restore its window and bring it to the front; true when it agreed.
    static bool activate(const QString& className, const QString& title = QString());

Q_SIGNALS:
    // Another program asked for the window to be restored and brought to the front.
    void activateRequested();

private:
    Server m_server;
    QString m_title;
};

} // namespace ipc
