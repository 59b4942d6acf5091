#pragma once

#include <QString>
#include <QtGlobal>
#include <functional>
#include <memory>

namespace tolvane {

class Mpv;

// A stream the engine reads through a protocol of ours, on the engine's own thread.
class EngineStream
{
public:
    EngineStream() = default;
    EngineStream(const EngineStream&) = delete;
    EngineStream& operator=(const EngineStream&) = delete;
    virtual ~EngineStream() = default;

    virtual qint64 Size() const = 0;
    // False for a position outside the stream.
    virtual bool Seek(qint64 pos) = 0;
    // Up to `count` bytes from the position; 0 at the end.
    virtual qint64 Read(char* buffer, qint64 count) = 0;
};

// Opens the stream of an address, on the engine's thread; nullptr fails the loading.
using StreamOpener = std::function<std::unique_ptr<EngineStream>(const QString& address)>;

// Registers the protocol `scheme` on an instance: every address "scheme://..." the
// engine opens gets a stream of its own from `open`. The instance keeps `open` until
// its engine has ended.
bool RegisterStreamProtocol(Mpv& mpv, const char* scheme, StreamOpener open);

} // namespace tolvane
