#include "platform/VideoControl.h"

#include "platform/Clock.h"
#include "platform/LocalFiles.h"
#include "platform/MidiStream.h"
#include "platform/MpvLibrary.h"
#include "platform/VcdStream.h"

#include <algorithm>

#include <QEventLoop>
#include <QFileInfo>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QThread>

namespace tolvane {

QString MciDeviceName(const QString& path, const std::function<QString(const QString&)>& entry)
{
    QString extension = QFileInfo(path).suffix().toLower();
    if (entry) {
        QString name = entry(extension).trimmed();
        if (!name.isEmpty())
            return name;
    }
    if (extension == "avi")
        return "AVIVideo";
    if (extension == "wav")
        return "waveaudio";
    if (extension == "mid" || extension == "rmi")
        return "sequencer";
    return "MPEGVideo";
}

namespace {

bool HasOption(const MpvOptions& options, const char* name)
{
    for (const auto& option : options) {
        if (option.first == name)
            return true;
    }
    return false;
}

MpvOptions ControlOptions(const MpvOptions& shared)
{
    MpvOptions options;
    if (!HasOption(shared, "vo"))
        options.append(qMakePair(QByteArray("vo"), QByteArray("libmpv")));
    options.append(qMakePair(QByteArray("keep-open"), QByteArray("yes")));
    options.append(qMakePair(QByteArray("hr-seek"), QByteArray("yes")));
    options.append(qMakePair(QByteArray("audio-display"), QByteArray("no")));
    // Only real media: a text file is never taken for a play list.
    options.append(qMakePair(QByteArray("load-unsafe-playlists"), QByteArray("no")));
    return options;
}

} // namespace

VideoControl::VideoControl(MediaEngine& engine, QWidget* parent) : QWidget(parent), engine_(engine)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    // The time display and the lyrics follow these events; a faster pace only costs
    // the interface thread its idle time.
    positionTimer_.setInterval(kPollMilliseconds);
    connect(&positionTimer_, &QTimer::timeout, this, [this] {
        if (onPositionChange)
            onPositionChange();
    });
}

VideoControl::~VideoControl()
{
    // The render context goes before the instance it renders.
    if (render_)
        mpv_->Api().render_context_free(render_);
}

bool VideoControl::StartEngine()
{
    if (mpv_)
        return true;
    mpv_ = engine_.Make(ControlOptions(engine_.Options()));
    if (!mpv_)
        return false;
    mpv_->onEvent = [this](const mpv_event& event) { OnEvent(event); };
    RegisterVcdStream(*mpv_);
    RegisterMidiStream(*mpv_);
    mpv_->ObserveFlag("eof-reached");
    mpv_->SetFlag("pause", true);
    if (HasOption(engine_.Options(), "vo"))
        return true;
    mpv_render_param params[] = {
        {MPV_RENDER_PARAM_API_TYPE, const_cast<char*>(MPV_RENDER_API_TYPE_SW)},
        {MPV_RENDER_PARAM_INVALID, nullptr}};
    if (mpv_->Api().render_context_create(&render_, mpv_->Handle(), params) < 0) {
        render_ = nullptr;
        return true;
    }
    // Frames are rendered as they come, shown or not, so they can be grabbed.
    auto renderUpdate = [](void* data) {
        auto* control = static_cast<VideoControl*>(data);
        QMetaObject::invokeMethod(
            control,
            [control] {
                control->RenderFrame();
                control->update();
            },
            Qt::QueuedConnection);
    };
    mpv_->Api().render_context_set_update_callback(render_, renderUpdate, this);
    return true;
}

void VideoControl::Command(const QString& verb)
{
    QString lower = verb.trimmed().toLower();
    if (lower == "close") {
        Release();
        return;
    }
    if (state_ == State::Closed)
        return;
    if (lower == "play") {
        if (atEnd_) {
            mpv_->Command({"seek", "0", "absolute+exact"});
            atEnd_ = false;
        }
        mpv_->SetFlag("pause", false);
        SetState(State::Playing);
    } else if (lower == "stop" || lower == "pause") {
        mpv_->SetFlag("pause", true);
        SetState(lower == "stop" ? State::Stopped : State::Paused);
    }
}

void VideoControl::SetFileName(const QString& path)
{
    Release();
    if (path.isEmpty())
        return;
    const quint64 serial = ++serial_;
    QPointer<VideoControl> self(this);
    auto overtaken = [&] { return !self || serial != serial_; };
    if (!StartEngine()) {
        Fail(kMciErrCannotLoadDriver);
        return;
    }
    QString target = resolvePath ? resolvePath(path) : path;
    deviceName_ = MciDeviceName(path, extensionEntry);
    target = Openable(target);
    if (overtaken())
        return;
    if (target.isEmpty()) {
        Fail(kMciErrFileNotFound);
        return;
    }
    if (IsMidiFile(path) && FindSoundFont().isEmpty()) {
        Fail(kMciErrNoMidiSynth);
        return;
    }
    // A file opens at normal speed; the caller sets another after the open.
    speed_ = 1000;
    mpv_->SetFlag("pause", true);
    mpv_->SetDouble("speed", 1.0);
    mpv_->SetDouble("volume", volume_ / 10.0);
    openResult_ = -1;
    if (!mpv_->Load(target)) {
        Fail(kMciErrInvalidFile);
        return;
    }
    // Assigning a file name opens it before the caller goes on; events keep running.
    mpv_->WaitUntil([&] { return overtaken() || openResult_ >= 0; }, 30000);
    if (overtaken())
        return;
    if (openResult_ != kMciOk) {
        mpv_->Command({"stop"});
        Fail(openResult_ < 0 ? kMciErrDeviceNotReady : openResult_);
        return;
    }
    fileName_ = path;
    SetState(State::Stopped);
}

QString VideoControl::Openable(const QString& target)
{
    if (target.isEmpty() || target.contains("://"))
        return target;
    if (StatLocal(target).file) {
        if (!ReadableLocal(target))
            return QString();
        // A Video CD file copied from a disc keeps its raw sectors in a RIFF CDXA file.
        if (ReadCdxaLayout(target))
            return VcdFileAddress(target);
        return IsMidiFile(target) ? MidiFileAddress(target) : target;
    }
    std::optional<DiscFile> disc = SplitDiscPath(target);
    if (!disc)
        return QString();
    // A drive may take seconds to spin up: the disc is read on a worker thread while
    // events keep running.
    std::optional<DiscExtent> extent;
    QEventLoop loop;
    std::unique_ptr<QThread> worker(
        QThread::create([&extent, file = *disc] { extent = LocateDiscFile(file); }));
    connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
    worker->start();
    loop.exec();
    worker->wait();
    if (!extent)
        return QString();
    return VcdDiscAddress(disc->source, disc->image, *extent);
}

void VideoControl::Fail(int code)
{
    state_ = State::Closed;
    fileName_.clear();
    if (onExtendedError)
        onExtendedError(code);
    if (onError)
        onError();
}

void VideoControl::Release()
{
    // An open still waiting for the engine is given up.
    ++serial_;
    if (state_ == State::Closed && fileName_.isEmpty())
        return;
    if (mpv_)
        mpv_->Command({"stop"});
    fileName_.clear();
    deviceName_.clear();
    atEnd_ = false;
    frame_ = QImage();
    SetState(State::Closed);
    update();
}

void VideoControl::SetState(State state)
{
    if (state == state_)
        return;
    state_ = state;
    if (state == State::Playing)
        positionTimer_.start();
    else
        positionTimer_.stop();
    int mode = state == State::Playing  ? kMciModePlay
               : state == State::Paused ? kMciModePause
               : state == State::Closed ? kMciModeNotReady
                                        : kMciModeStop;
    if (onExtendedModeChange)
        onExtendedModeChange(mode);
}

double VideoControl::Position() const
{
    if (state_ == State::Closed)
        return 0;
    if (atEnd_)
        return Length();
    // Decoder delay can put the first frames slightly before zero.
    return std::max(0.0, mpv_->GetDouble("time-pos").value_or(0) * units_);
}

void VideoControl::SetPosition(double position)
{
    if (state_ == State::Closed)
        return;
    atEnd_ = false;
    QString seconds = QString::number(std::max(0.0, position) / units_, 'f', 6);
    mpv_->Command({"seek", seconds, "absolute+exact"});
}

double VideoControl::Length() const
{
    if (state_ == State::Closed)
        return 0;
    return mpv_->GetDouble("duration").value_or(0) * units_;
}

QString VideoControl::Mode() const
{
    switch (state_) {
    case State::Playing:
        return MciModeName(kMciModePlay);
    case State::Paused:
        return MciModeName(kMciModePause);
    case State::Stopped:
        return MciModeName(kMciModeStop);
    case State::Closed:
        break;
    }
    return MciModeName(kMciModeNotReady);
}

void VideoControl::SetSpeed(int speed)
{
    speed_ = std::clamp(speed, 10, 100000);
    if (mpv_)
        mpv_->SetDouble("speed", speed_ / 1000.0);
}

void VideoControl::SetVolume(int volume)
{
    volume_ = std::clamp(volume, 0, 1000);
    if (mpv_)
        mpv_->SetDouble("volume", volume_ / 10.0);
}

QImage VideoControl::GrabFrame() const
{
    if (state_ == State::Closed)
        return QImage();
    QImage frame = mpv_->VideoFrame();
    return frame.isNull() ? frame_ : frame;
}

QSize VideoControl::VideoSize() const
{
    if (state_ == State::Closed)
        return QSize();
    auto width = mpv_->GetInt("dwidth");
    auto height = mpv_->GetInt("dheight");
    // Before the first frame is decoded only the container knows the size.
    if (!width || !height) {
        width = mpv_->GetInt("current-tracks/video/demux-w");
        height = mpv_->GetInt("current-tracks/video/demux-h");
    }
    if (!width || !height)
        return QSize();
    return QSize(int(*width), int(*height));
}

void VideoControl::OnEvent(const mpv_event& event)
{
    switch (event.event_id) {
    case MPV_EVENT_FILE_LOADED:
        if (openResult_ < 0)
            openResult_ = kMciOk;
        break;
    case MPV_EVENT_END_FILE: {
        auto* end = static_cast<mpv_event_end_file*>(event.data);
        if (openResult_ < 0 && end->reason == MPV_END_FILE_REASON_ERROR) {
            openResult_ = OpenError(end->error);
        } else if (openResult_ < 0 && end->reason == MPV_END_FILE_REASON_REDIRECT) {
            openResult_ = kMciErrInvalidFile;
        } else if (end->reason == MPV_END_FILE_REASON_ERROR && state_ != State::Closed) {
            state_ = State::Closed;
            fileName_.clear();
            positionTimer_.stop();
            if (onError)
                onError();
        }
        break;
    }
    case MPV_EVENT_PROPERTY_CHANGE: {
        auto* property = static_cast<mpv_event_property*>(event.data);
        if (property->format != MPV_FORMAT_FLAG || qstrcmp(property->name, "eof-reached") != 0)
            break;
        // A seek made before the end was told takes the engine away from it again.
        if (!*static_cast<int*>(property->data)) {
            atEnd_ = false;
        } else if (state_ == State::Playing) {
            atEnd_ = true;
            SetState(State::Stopped);
            if (onPositionChange)
                onPositionChange();
        }
        break;
    }
    default:
        break;
    }
}

int VideoControl::OpenError(int mpvError)
{
    switch (mpvError) {
    case MPV_ERROR_UNKNOWN_FORMAT:
    case MPV_ERROR_NOTHING_TO_PLAY:
        // Only a file the engine has no way to read is one no driver plays.
        return kMciErrInvalidFile;
    case MPV_ERROR_AO_INIT_FAILED:
    case MPV_ERROR_VO_INIT_FAILED:
        return kMciErrHardware;
    case MPV_ERROR_LOADING_FAILED:
        // It could not be read, which says nothing of what it holds.
        return kMciErrFileNotFound;
    default:
        return kMciErrDeviceNotReady;
    }
}

void VideoControl::RenderFrame()
{
    if (!render_ || !(mpv_->Api().render_context_update(render_) & MPV_RENDER_UPDATE_FRAME))
        return;
    QSize size = VideoSize();
    if (size.isEmpty())
        return;
    if (frame_.size() != size)
        frame_ = QImage(size, QImage::Format_RGB32);
    int dims[2] = {size.width(), size.height()};
    size_t stride = size_t(frame_.bytesPerLine());
    // Format_RGB32 is B, G, R, X in memory on a little-endian machine.
    mpv_render_param params[] = {{MPV_RENDER_PARAM_SW_SIZE, dims},
                                 {MPV_RENDER_PARAM_SW_FORMAT, const_cast<char*>("bgr0")},
                                 {MPV_RENDER_PARAM_SW_STRIDE, &stride},
                                 {MPV_RENDER_PARAM_SW_POINTER, frame_.bits()},
                                 {MPV_RENDER_PARAM_INVALID, nullptr}};
    mpv_->Api().render_context_render(render_, params);
}

void VideoControl::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (frame_.isNull())
        painter.fillRect(rect(), Qt::black);
    else
        painter.drawImage(rect(), frame_);
}

void VideoControl::mousePressEvent(QMouseEvent* event)
{
    if (onMouse)
        onMouse(int(event->button()));
}

} // namespace tolvane
