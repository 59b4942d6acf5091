#include "platform/Mpv.h"

#include "platform/LocalNames.h"
#include "platform/MpvLibrary.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QMetaObject>
#include <QPointer>
#include <QTimer>
#include <clocale>
#include <cstring>
#include <vector>

namespace tolvane {

namespace {

void Wakeup(void* data)
{
    // Runs on an mpv thread: hand over to the user interface thread.
    auto* mpv = static_cast<Mpv*>(data);
    QMetaObject::invokeMethod(
        mpv, [mpv] { mpv->Drain(); }, Qt::QueuedConnection);
}

} // namespace

MpvOptions MpvOptionsFromEnvironment()
{
    MpvOptions options;
    const QByteArray text = qgetenv("TOLVANE99_MPV");
    for (const QByteArray& entry : text.split(';')) {
        const qsizetype equals = entry.indexOf('=');
        if (equals > 0)
            options.append({entry.left(equals).trimmed(), entry.mid(equals + 1).trimmed()});
    }
    return options;
}

Mpv::Mpv(const MpvLibrary& api, const MpvOptions& options, QObject* parent)
    : QObject(parent), api_(api)
{
    mpv_handle* handle = api_.create();
    if (!handle) {
        const char* numeric = std::setlocale(LC_NUMERIC, nullptr);
        error_ = numeric && std::strcmp(numeric, "C") != 0
                     ? QString("libmpv needs the C numeric locale, not %1").arg(numeric)
                     : QString("libmpv could not make an instance");
        return;
    }
    // The program's own settings and the user's mpv configuration stay apart.
    api_.set_option_string(handle, "config", "no");
    api_.set_option_string(handle, "terminal", "no");
    api_.set_option_string(handle, "input-default-bindings", "no");
    api_.set_option_string(handle, "idle", "yes");
    // None of the engine's own scripts and on-screen tools: each is a Lua state and a
    // thread, and the program draws its own controls.
    for (const char* script : {"load-scripts", "ytdl", "osc", "load-stats-overlay",
                               "load-osd-console", "load-auto-profiles"})
        api_.set_option_string(handle, script, "no");
    // Twice the sound server's default buffer: the engine's audio threads wake half as
    // often while music plays, and a volume or speed change is heard 0.1 s later.
    api_.set_option_string(handle, "pulse-buffer", "200");
    for (const auto& [name, value] : options)
        api_.set_option_string(handle, name.constData(), value.constData());
    if (int rc = api_.initialize(handle); rc < 0) {
        error_ = QString("libmpv did not start: %1").arg(api_.error_string(rc));
        api_.terminate_destroy(handle);
        return;
    }
    handle_ = handle;
    api_.set_wakeup_callback(handle_, Wakeup, this);
}

Mpv::~Mpv()
{
    if (!handle_)
        return;
    api_.set_wakeup_callback(handle_, nullptr, nullptr);
    api_.terminate_destroy(handle_);
}

int Mpv::Command(const QStringList& args)
{
    if (!handle_)
        return MPV_ERROR_UNINITIALIZED;
    QList<QByteArray> bytes;
    for (const QString& arg : args)
        bytes.append(arg.toUtf8());
    std::vector<const char*> argv;
    for (const QByteArray& arg : bytes)
        argv.push_back(arg.constData());
    argv.push_back(nullptr);
    return api_.command(handle_, argv.data());
}

bool Mpv::Load(const QString& url)
{
    if (!handle_)
        return false;
    // A local path goes as the bytes of its names, which need not be UTF-8.
    const QByteArray bytes = LocalBytes(url);
    const char* args[] = {"loadfile", bytes.constData(), "replace", nullptr};
    mpv_node result;
    if (api_.command_ret(handle_, args, &result) < 0)
        return false;
    loaded_ = -1;
    if (result.format == MPV_FORMAT_NODE_MAP) {
        for (int i = 0; i < result.u.list->num; ++i) {
            if (qstrcmp(result.u.list->keys[i], "playlist_entry_id") == 0)
                loaded_ = result.u.list->values[i].u.int64;
        }
    }
    api_.free_node_contents(&result);
    started_ = false;
    return true;
}

int Mpv::SetProperty(const char* name, const QString& value)
{
    if (!handle_)
        return MPV_ERROR_UNINITIALIZED;
    return api_.set_property_string(handle_, name, value.toUtf8().constData());
}

int Mpv::SetFlag(const char* name, bool value)
{
    if (!handle_)
        return MPV_ERROR_UNINITIALIZED;
    int flag = value ? 1 : 0;
    return api_.set_property(handle_, name, MPV_FORMAT_FLAG, &flag);
}

int Mpv::SetDouble(const char* name, double value)
{
    if (!handle_)
        return MPV_ERROR_UNINITIALIZED;
    return api_.set_property(handle_, name, MPV_FORMAT_DOUBLE, &value);
}

std::optional<double> Mpv::GetDouble(const char* name) const
{
    double value = 0;
    if (!handle_ || api_.get_property(handle_, name, MPV_FORMAT_DOUBLE, &value) < 0)
        return std::nullopt;
    return value;
}

std::optional<qint64> Mpv::GetInt(const char* name) const
{
    int64_t value = 0;
    if (!handle_ || api_.get_property(handle_, name, MPV_FORMAT_INT64, &value) < 0)
        return std::nullopt;
    return value;
}

std::optional<bool> Mpv::GetFlag(const char* name) const
{
    int value = 0;
    if (!handle_ || api_.get_property(handle_, name, MPV_FORMAT_FLAG, &value) < 0)
        return std::nullopt;
    return value != 0;
}

QString Mpv::GetString(const char* name) const
{
    if (!handle_)
        return QString();
    char* value = api_.get_property_string(handle_, name);
    QString result = value ? QString::fromUtf8(value) : QString();
    api_.free(value);
    return result;
}

void Mpv::ObserveFlag(const char* name)
{
    if (handle_)
        api_.observe_property(handle_, 0, name, MPV_FORMAT_FLAG);
}

void Mpv::ObserveDouble(const char* name)
{
    if (handle_)
        api_.observe_property(handle_, 0, name, MPV_FORMAT_DOUBLE);
}

QImage Mpv::VideoFrame() const
{
    if (!handle_)
        return QImage();
    const char* args[] = {"screenshot-raw", "video", nullptr};
    mpv_node result;
    if (api_.command_ret(handle_, args, &result) < 0)
        return QImage();
    qint64 width = 0, height = 0, stride = 0;
    QByteArray format;
    const mpv_byte_array* data = nullptr;
    if (result.format == MPV_FORMAT_NODE_MAP) {
        const mpv_node_list* map = result.u.list;
        for (int i = 0; i < map->num; ++i) {
            const char* key = map->keys[i];
            const mpv_node& value = map->values[i];
            if (value.format == MPV_FORMAT_INT64 && qstrcmp(key, "w") == 0)
                width = value.u.int64;
            else if (value.format == MPV_FORMAT_INT64 && qstrcmp(key, "h") == 0)
                height = value.u.int64;
            else if (value.format == MPV_FORMAT_INT64 && qstrcmp(key, "stride") == 0)
                stride = value.u.int64;
            else if (value.format == MPV_FORMAT_STRING && qstrcmp(key, "format") == 0)
                format = value.u.string;
            else if (value.format == MPV_FORMAT_BYTE_ARRAY && qstrcmp(key, "data") == 0)
                data = value.u.ba;
        }
    }
    QImage frame;
    // "bgr0" is B, G, R, unused in memory: Format_RGB32 on a little-endian machine.
    if (format == "bgr0" && data && width > 0 && height > 0 && stride >= width * 4 &&
        qint64(data->size) >= stride * height) {
        frame = QImage(static_cast<const uchar*>(data->data), int(width), int(height),
                       qsizetype(stride), QImage::Format_RGB32)
                    .copy();
        // The unused byte is zero; Format_RGB32 wants it opaque.
        for (int y = 0; y < frame.height(); ++y) {
            auto* line = reinterpret_cast<quint32*>(frame.scanLine(y));
            for (int x = 0; x < frame.width(); ++x)
                line[x] |= 0xFF000000u;
        }
    }
    api_.free_node_contents(&result);
    return frame;
}

bool Mpv::Current(const mpv_event& event)
{
    switch (event.event_id) {
    case MPV_EVENT_START_FILE: {
        const qint64 id = static_cast<mpv_event_start_file*>(event.data)->playlist_entry_id;
        if (id == loaded_)
            started_ = true;
        return id == loaded_;
    }
    case MPV_EVENT_END_FILE:
        return static_cast<mpv_event_end_file*>(event.data)->playlist_entry_id == loaded_;
    case MPV_EVENT_FILE_LOADED:
    case MPV_EVENT_PLAYBACK_RESTART:
    case MPV_EVENT_PROPERTY_CHANGE:
    case MPV_EVENT_SEEK:
    case MPV_EVENT_AUDIO_RECONFIG:
    case MPV_EVENT_VIDEO_RECONFIG:
        // Until the new entry begins, these still speak of the one before.
        return started_;
    default:
        return true;
    }
}

void Mpv::Drain()
{
    if (!handle_)
        return;
    // The handler may destroy this object (a release on an error event).
    QPointer<Mpv> self(this);
    while (self) {
        mpv_event* event = api_.wait_event(handle_, 0);
        if (event->event_id == MPV_EVENT_NONE)
            break;
        if (onEvent && Current(*event))
            onEvent(*event);
    }
}

bool Mpv::WaitUntil(const std::function<bool()>& done, int timeoutMs)
{
    QPointer<Mpv> self(this);
    QDeadlineTimer deadline(timeoutMs);
    QTimer tick;
    tick.start(20);
    QEventLoop loop;
    while (self && !done() && !deadline.hasExpired()) {
        Drain();
        if (!self || done())
            break;
        loop.processEvents(QEventLoop::WaitForMoreEvents);
    }
    return done();
}

} // namespace tolvane

namespace tolvane {

MediaEngine::MediaEngine(MpvOptions options) : options_(std::move(options))
{
    std::setlocale(LC_NUMERIC, "C");
}

MediaEngine::~MediaEngine() = default;

std::unique_ptr<Mpv> MediaEngine::Make(const MpvOptions& extra)
{
    QString why;
    if (!library_ && !failedToOpen_) {
        auto library = std::make_unique<MpvLibrary>();
        if (library->Open(&why))
            library_ = std::move(library);
        else
            failedToOpen_ = true;
    }
    if (library_) {
        // The shared options come last: the outputs they name hold for every instance.
        auto mpv = std::make_unique<Mpv>(*library_, extra + options_);
        if (mpv->Ok())
            return mpv;
        why = mpv->Error();
    }
    if (!reported_ && onFailure) {
        reported_ = true;
        onFailure(why.isEmpty() ? QString("libmpv could not be loaded") : why);
    }
    return nullptr;
}

} // namespace tolvane
