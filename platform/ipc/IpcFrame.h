#pragma once

#include <QByteArray>
#include <QString>

namespace ipc {

// Largest frame body accepted in either direction; a peer that announces more is dropped.
constexpr qsizetype MaxFrameBytes = 1024 * 1024;
// The big-endian length that starts every frame.
constexpr qsizetype FramePrefixBytes = 4;
// The start of every body: kind, transaction number, status.
constexpr qsizetype FrameHeaderBytes = 6;

enum class Kind : quint8
{
    Execute = 1, // client: run the command text
    Request = 2, // client: send the value of the item text
    Reply = 3,   // server: the answer to one transaction
};

// How a server answered a transaction.
enum class Status : quint8
{
    Accepted = 0,
    Rejected = 1,
    Busy = 2,
};

// One message of a conversation.
struct Frame
{
    Kind kind = Kind::Execute;
    quint32 transaction = 0;          // a reply carries the number of the transaction it answers
    Status status = Status::Accepted; // meaningful in replies only
    QString text;                     // the command, the item, or the data of a reply
};

// What a server's handler answers.
struct Reply
{
    Status status = Status::Rejected;
    QString data;
};

// The frame as it travels: the body length, then the body (header and UTF-8 text).
// Empty when the body would exceed MaxFrameBytes.
QByteArray encodeFrame(const Frame& frame);

} // namespace ipc
