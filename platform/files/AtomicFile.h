#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

class QIODevice;

// Every file the programs write goes through here: the bytes go to a temporary file beside
// the target, every write is checked, and only a complete file is renamed over the target.
// A failure at any step (a full disk, a file-size limit, a folder without write rights)
// removes the temporary file, leaves the previous file byte for byte as it was and is
// reported to the caller. Unlike QSaveFile, a failed flush is never renamed into place.
namespace files {

// Whether the data must be on the disk before the rename. The user's own files (impressions,
// exports, settings, contacts, registry) are; work files rewritten for every card are not,
// since a flush costs several milliseconds and a work file lost in a power cut is made again.
enum class Durability
{
    Durable,
    WorkFile,
};

// The outcome of a write: true when the target holds the new bytes.
class WriteResult
{
public:
    WriteResult() = default;
    static WriteResult failure(QString error);
    explicit operator bool() const { return m_error.isEmpty(); }
    // Why the write failed, for messages and warnings; empty on success.
    const QString& error() const { return m_error; }

private:
    QString m_error;
};

// A file being replaced. Write through device(); commit() puts it in place. Destroying an
// uncommitted AtomicFile (an error, an early return) cancels it.
class AtomicFile
{
public:
    explicit AtomicFile(QString target, Durability durability = Durability::Durable);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Creates the temporary file. Fails when the target exists without write permission,
    // is a folder, or the folder cannot take a new file.
    WriteResult open();
    // The temporary file, open for writing (unbuffered: a write error shows at once).
    QIODevice* device();
    // Writes all of `bytes`; a short write is a failure.
    WriteResult write(const QByteArray& bytes);
    // Flushes (and, for durable files, syncs), closes and renames over the target. Any error
    // met before, including one in a write whose result was not checked, fails the commit.
    WriteResult commit();
    // Drops the temporary file; the target stays as it was.
    void cancel();

    const QString& target() const { return m_target; }

private:
    struct Temp;
    QString m_target;
    Durability m_durability;
    std::unique_ptr<Temp> m_temp;
    QString m_failure;
};

// Replaces `target` with `bytes` in one call.
WriteResult writeFile(const QString& target, const QByteArray& bytes, Durability durability = Durability::Durable);

} // namespace files
