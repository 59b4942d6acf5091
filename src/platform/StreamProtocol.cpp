#include "platform/StreamProtocol.h"

#include "platform/Mpv.h"
#include "platform/MpvLibrary.h"

namespace tolvane {

namespace {

// A child of the instance, so it goes only after ~Mpv has ended the engine and no
// open can reach it any more.
class Opener : public QObject
{
public:
    Opener(StreamOpener open, QObject* parent) : QObject(parent), open_(std::move(open)) {}
    std::unique_ptr<EngineStream> Open(const QString& address) const { return open_(address); }

private:
    StreamOpener open_;
};

int64_t ReadFn(void* cookie, char* buf, uint64_t nbytes)
{
    return static_cast<EngineStream*>(cookie)->Read(buf, qint64(nbytes));
}

int64_t SeekFn(void* cookie, int64_t offset)
{
    if (!static_cast<EngineStream*>(cookie)->Seek(offset))
        return MPV_ERROR_GENERIC;
    return offset;
}

int64_t SizeFn(void* cookie)
{
    return static_cast<EngineStream*>(cookie)->Size();
}

void CloseFn(void* cookie)
{
    delete static_cast<EngineStream*>(cookie);
}

int OpenFn(void* userData, char* uri, mpv_stream_cb_info* info)
{
    std::unique_ptr<EngineStream> stream =
        static_cast<const Opener*>(userData)->Open(QString::fromUtf8(uri));
    if (!stream)
        return MPV_ERROR_LOADING_FAILED;
    info->cookie = stream.release();
    info->read_fn = ReadFn;
    info->seek_fn = SeekFn;
    info->size_fn = SizeFn;
    info->close_fn = CloseFn;
    return 0;
}

} // namespace

bool RegisterStreamProtocol(Mpv& mpv, const char* scheme, StreamOpener open)
{
    if (!mpv.Ok())
        return false;
    auto* opener = new Opener(std::move(open), &mpv);
    if (mpv.Api().stream_cb_add_ro(mpv.Handle(), scheme, opener, OpenFn) < 0) {
        delete opener;
        return false;
    }
    return true;
}

} // namespace tolvane
