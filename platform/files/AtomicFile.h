#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

#include <sys/types.h>

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
    // The target is marked read-only (no write permission for anyone, or none for this user).
    static WriteResult readOnly(QString error);
    explicit operator bool() const { return m_error.isEmpty(); }
    // Why the write failed, for messages and warnings that name the file themselves ("it is
    // read-only", "No space left on device"); empty on success.
    const QString& error() const { return m_error; }
    bool isReadOnly() const { return m_readOnly; }

private:
    QString m_error;
    bool m_readOnly = false;
};

// A file being replaced. Write through device(); commit() puts it in place. Destroying an
// uncommitted AtomicFile (an error, an early return) cancels it.
//
// Temporary files are named ".<name>.~XXXXXX". One left behind by a save that was killed is
// removed by the next save into the same folder once it is a minute old.
class AtomicFile
{
public:
    explicit AtomicFile(QString target, Durability durability = Durability::Durable);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Creates the temporary file. Fails when the target exists without write permission (also
    // for root: a file marked read-only stays so), is not a regular file, is reached through a
    // symbolic link that neither the user nor root owns, or the folder cannot take a new file.
    WriteResult open();
    // The temporary file, open for writing. Every write goes straight to the file; the first
    // failed or short write is remembered and fails commit(), even when the writer (an image
    // or PDF writer) does not check what write() returned.
    QIODevice* device();
    // Writes all of `bytes`; a short write is a failure.
    WriteResult write(const QByteArray& bytes);
    // Flushes (and, for durable files, syncs), closes and renames over the target. Any error
    // met before, including one in a write whose result was not checked, fails the commit.
    WriteResult commit();
    // Drops the temporary file; the target stays as it was.
    void cancel();

    const QString& target() const { return m_target; }

    // Temporary files of ours older than this are left over from a killed save.
    static constexpr qint64 StaleAgeSeconds = 60;

private:
    struct Temp;
    QString m_target;
    Durability m_durability;
    std::unique_ptr<Temp> m_temp;
    QString m_failure;
};

// Replaces `target` with `bytes` in one call.
WriteResult writeFile(const QString& target, const QByteArray& bytes, Durability durability = Durability::Durable);

// For tests: the owner a symbolic link is taken to have, in place of its real one, so that a
// link planted by another user can be played without a second account. Returning nullopt
// keeps the real owner. An empty function restores the real owners; the previous one is
// returned.
using LinkOwnerOverride = std::function<std::optional<uid_t>(const QString& link)>;
LinkOwnerOverride setLinkOwnerOverride(LinkOwnerOverride override);

} // namespace files
