#include "platform/CdAudioMci.h"

#include <cmath>
#include <mpv/client.h>

namespace tolvane {

namespace {

constexpr int kLeadIn = 150; // MSF addresses count the two seconds before sector 0

QString TrueFalse(bool value)
{
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

} // namespace

CdAudioMci::CdAudioMci(std::unique_ptr<CdDrive> drive, MediaEngine& engine)
    : drive_(std::move(drive)), engine_(engine)
{
}

CdAudioMci::~CdAudioMci()
{
    // The engine goes first: its stream reads from source_.
    mpv_.reset();
}

std::unique_ptr<CdAudioMci> CdAudioMci::FromEnvironment(DiscTrays& trays, MediaEngine& engine)
{
    bool image = false;
    QString source = CdDrive::SourceFromEnvironment(&image);
    return std::make_unique<CdAudioMci>(std::make_unique<CdDrive>(source, image, &trays), engine);
}

bool CdAudioMci::Sounding() const
{
    return mpv_ && loaded_ && !mpv_->GetFlag("pause").value_or(true);
}

void CdAudioMci::Halt()
{
    if (state_ == State::Playing)
        frame_ = CurrentFrame();
    // Whatever the device thinks it is doing, the engine falls silent.
    if (mpv_ && loaded_)
        mpv_->SetFlag("pause", true);
}

void CdAudioMci::SelectDrive(const tolvane::Drive& drive)
{
    if (drive.type != kDriveCdrom)
        return;
    bool image = !drive.IsOpticalDevice();
    if (drive.root == drive_->Source() && image == drive_->IsImage())
        return;
    DropMedium();
    // The engine's stream reads from the old disc: it goes with it.
    mpv_.reset();
    drive_ = std::make_unique<CdDrive>(drive.root, image, drive_->Trays());
}

int CdAudioMci::Execute(const QString& text, QString& answer)
{
    auto parsed = MciCommand::Parse(text);
    if (!parsed)
        return text.contains('"') ? kMciErrNoClosingQuote : kMciErrMissingCommandString;
    const MciCommand& command = *parsed;
    if (command.device.isEmpty())
        return kMciErrMissingDeviceName;
    if (command.device.compare("cdaudio", Qt::CaseInsensitive) != 0)
        return kMciErrInvalidDeviceName;

    const QString& verb = command.verb;
    if (verb == "open")
        return Open(command);
    if (verb == "close") {
        if (!open_)
            return kMciErrInvalidDeviceName;
        if (loaded_)
            mpv_->Command({"stop"});
        loaded_ = false;
        state_ = State::Stopped;
        frame_ = 0;
        open_ = false;
        return kMciOk;
    }
    // A command to a device that is not open opens it first, as MCI does.
    if (!open_) {
        open_ = true;
        format_ = TimeFormat::Msf;
    }
    if (verb == "play")
        return Play(command);
    if (verb == "pause" || verb == "stop") {
        if (!command.words.isEmpty())
            return kMciErrUnrecognizedKeyword;
        if (!HasMedium())
            return kMciErrDeviceNotReady;
        const bool pause = verb == "pause" && state_ != State::Stopped;
        Halt();
        state_ = pause ? State::Paused : State::Stopped;
        return kMciOk;
    }
    if (verb == "resume") {
        if (state_ == State::Paused) {
            if (!StartEngine(frame_))
                return kMciErrCannotLoadDriver;
            state_ = State::Playing;
        }
        return kMciOk;
    }
    if (verb == "seek")
        return Seek(command);
    if (verb == "set")
        return Set(command);
    if (verb == "status")
        return Status(command, answer);
    return kMciErrUnrecognizedCommand;
}

int CdAudioMci::Open(const MciCommand& command)
{
    for (const QString& word : command.words) {
        if (word != "shareable")
            return kMciErrUnrecognizedKeyword;
    }
    bool shareable = command.words.contains("shareable");
    if (open_ && !shareable)
        return kMciErrDeviceOpen;
    if (!open_) {
        open_ = true;
        format_ = TimeFormat::Msf;
        state_ = State::Stopped;
        frame_ = 0;
    }
    HasMedium();
    return kMciOk;
}

int CdAudioMci::Play(const MciCommand& command)
{
    if (!HasMedium())
        return kMciErrDeviceNotReady;
    int start = state_ == State::Playing ? CurrentFrame() : frame_;
    for (int i = 0; i < command.words.size(); ++i) {
        if (command.words[i] != "from" || i + 1 >= command.words.size())
            return kMciErrUnrecognizedKeyword;
        auto target = ParsePosition(command.words[++i]);
        if (!target)
            return kMciErrOutOfRange;
        start = *target;
    }
    if (!StartEngine(start))
        return kMciErrCannotLoadDriver;
    state_ = State::Playing;
    if (command.wait) {
        mpv_->WaitUntil([this] { return state_ != State::Playing || !loaded_; }, -1);
    }
    return kMciOk;
}

int CdAudioMci::Seek(const MciCommand& command)
{
    if (command.words.size() != 2 || command.words[0] != "to")
        return command.words.isEmpty() ? kMciErrMissingParameter : kMciErrUnrecognizedKeyword;
    if (!HasMedium())
        return kMciErrDeviceNotReady;
    std::optional<int> target;
    if (command.words[1] == "start")
        target = 0;
    else if (command.words[1] == "end")
        target = layout_.TotalFrames();
    else
        target = ParsePosition(command.words[1]);
    if (!target)
        return kMciErrOutOfRange;
    // A seek leaves the device stopped at the target.
    Halt();
    state_ = State::Stopped;
    settled_ = false;
    frame_ = *target;
    return kMciOk;
}

int CdAudioMci::Set(const MciCommand& command)
{
    if (command.Starts({"time", "format"}) && command.words.size() == 3) {
        const QString& name = command.words[2];
        if (name == "tmsf")
            format_ = TimeFormat::Tmsf;
        else if (name == "msf")
            format_ = TimeFormat::Msf;
        else if (name == "milliseconds" || name == "ms")
            format_ = TimeFormat::Milliseconds;
        else
            return kMciErrBadTimeFormat;
        return kMciOk;
    }
    if (command.Starts({"door", "open"}) && command.words.size() == 2) {
        DropMedium();
        return drive_->OpenTray() ? kMciOk : kMciErrHardware;
    }
    if (command.Starts({"door", "closed"}) && command.words.size() == 2) {
        if (!drive_->CloseTray())
            return kMciErrHardware;
        toc_.reset();
        HasMedium();
        return kMciOk;
    }
    return command.words.isEmpty() ? kMciErrMissingParameter : kMciErrUnrecognizedKeyword;
}

int CdAudioMci::Status(const MciCommand& command, QString& answer)
{
    const QStringList& words = command.words;
    if (words.isEmpty())
        return kMciErrMissingParameter;
    if (words == QStringList{"mode"}) {
        if (drive_->TrayOpen()) {
            DropMedium();
            answer = MciModeName(kMciModeOpen);
        } else if (!HasMedium()) {
            answer = MciModeName(kMciModeNotReady);
        } else {
            CurrentFrame(); // notices the end of the disc
            answer = MciModeName(state_ == State::Playing  ? kMciModePlay
                                 : state_ == State::Paused ? kMciModePause
                                                           : kMciModeStop);
        }
        return kMciOk;
    }
    if (words == QStringList{"media", "present"}) {
        answer = TrueFalse(HasMedium());
        return kMciOk;
    }
    if (words == QStringList{"ready"}) {
        answer = TrueFalse(HasMedium());
        return kMciOk;
    }
    if (words == QStringList{"time", "format"}) {
        answer = format_ == TimeFormat::Tmsf  ? "tmsf"
                 : format_ == TimeFormat::Msf ? "msf"
                                              : "milliseconds";
        return kMciOk;
    }
    if (!HasMedium())
        return kMciErrDeviceNotReady;
    const CdToc& toc = *toc_;
    if (words == QStringList{"number", "of", "tracks"}) {
        answer = QString::number(toc.tracks.size());
        return kMciOk;
    }
    if (words == QStringList{"current", "track"}) {
        answer = QString::number(layout_.Locate(CurrentFrame()).first);
        return kMciOk;
    }
    if (words == QStringList{"position"}) {
        answer = FormatPosition(CurrentFrame());
        return kMciOk;
    }
    if (words == QStringList{"start", "position"}) {
        answer = FormatPosition(0);
        return kMciOk;
    }
    if (words == QStringList{"length"}) {
        answer = FormatLength(toc.leadout - toc.tracks.first().start);
        return kMciOk;
    }
    bool trackItem = words.size() == 3 && words[1] == "track";
    if (!trackItem)
        return kMciErrUnrecognizedKeyword;
    bool ok = false;
    const CdTrack* track = toc.Find(words[2].toInt(&ok));
    if (!ok)
        return kMciErrBadInteger;
    if (!track)
        return kMciErrOutOfRange;
    if (words[0] == "length") {
        answer = FormatLength(track->length);
        return kMciOk;
    }
    if (words[0] == "position") {
        if (format_ == TimeFormat::Tmsf)
            answer = FormatTmsf(track->number, 0);
        else if (format_ == TimeFormat::Msf)
            answer = FormatMsf(track->start + kLeadIn);
        else
            answer = QString::number(qint64(track->start + kLeadIn) * 1000 / kCdFramesPerSecond);
        return kMciOk;
    }
    if (words[0] == "type") {
        answer = track->audio ? "audio" : "other";
        return kMciOk;
    }
    return kMciErrUnrecognizedKeyword;
}

bool CdAudioMci::HasMedium()
{
    if (drive_->TrayOpen()) {
        DropMedium();
        return false;
    }
    if (toc_)
        return true;
    toc_ = drive_->ReadToc();
    if (!toc_)
        return false;
    layout_.tracks = toc_->AudioTracks();
    source_.Set(drive_->Source(), drive_->IsImage(), layout_);
    frame_ = 0;
    state_ = State::Stopped;
    return true;
}

void CdAudioMci::DropMedium()
{
    if (loaded_)
        mpv_->Command({"stop"});
    loaded_ = false;
    settled_ = false;
    state_ = State::Stopped;
    toc_.reset();
    layout_ = {};
    frame_ = 0;
}

int CdAudioMci::CurrentFrame()
{
    if (state_ == State::Playing && loaded_ && settled_) {
        if (auto seconds = mpv_->GetDouble("time-pos"))
            frame_ = std::min(layout_.TotalFrames(),
                              static_cast<int>(std::floor(*seconds * kCdFramesPerSecond + 1e-6)));
        if (mpv_->GetFlag("eof-reached").value_or(false)) {
            state_ = State::Stopped;
            frame_ = layout_.TotalFrames();
        }
    }
    return frame_;
}

std::optional<int> CdAudioMci::ParsePosition(const QString& text) const
{
    if (format_ == TimeFormat::Milliseconds) {
        bool ok = false;
        qint64 ms = text.toLongLong(&ok);
        if (!ok || ms < 0)
            return std::nullopt;
        int address = static_cast<int>(ms * kCdFramesPerSecond / 1000) - kLeadIn;
        for (const CdTrack& track : layout_.tracks) {
            if (address >= track.start && address <= track.start + track.length)
                return layout_.StreamFrame(track.number, address - track.start);
        }
        return std::nullopt;
    }
    auto fields = SplitColonFields(text);
    if (!fields || fields->size() > (format_ == TimeFormat::Tmsf ? 4 : 3))
        return std::nullopt;
    while (fields->size() < (format_ == TimeFormat::Tmsf ? 4 : 3))
        fields->append(0);
    int m = (*fields)[fields->size() - 3];
    int s = (*fields)[fields->size() - 2];
    int f = (*fields)[fields->size() - 1];
    if (s >= 60 || f >= kCdFramesPerSecond)
        return std::nullopt;
    int frames = (m * 60 + s) * kCdFramesPerSecond + f;
    if (format_ == TimeFormat::Tmsf) {
        for (const CdTrack& track : layout_.tracks) {
            if (track.number == fields->first() && frames <= track.length)
                return layout_.StreamFrame(track.number, frames);
        }
        return std::nullopt;
    }
    int address = frames - kLeadIn;
    for (const CdTrack& track : layout_.tracks) {
        if (address >= track.start && address <= track.start + track.length)
            return layout_.StreamFrame(track.number, address - track.start);
    }
    return std::nullopt;
}

QString CdAudioMci::FormatPosition(int streamFrame) const
{
    auto [number, frame] = layout_.Locate(streamFrame);
    if (format_ == TimeFormat::Tmsf)
        return FormatTmsf(number, frame);
    const CdTrack* track = toc_ ? toc_->Find(number) : nullptr;
    int address = (track ? track->start : 0) + frame + kLeadIn;
    if (format_ == TimeFormat::Msf)
        return FormatMsf(address);
    return QString::number(qint64(address) * 1000 / kCdFramesPerSecond);
}

QString CdAudioMci::FormatLength(int frames) const
{
    if (format_ == TimeFormat::Milliseconds)
        return QString::number(qint64(frames) * 1000 / kCdFramesPerSecond);
    return FormatMsf(frames);
}

bool CdAudioMci::StartEngine(int streamFrame)
{
    if (!mpv_) {
        mpv_ = engine_.Make(
            {{"keep-open", "yes"}, {"video", "no"}, {"hr-seek", "yes"}, {"audio-display", "no"}});
        if (!mpv_)
            return false;
        RegisterCdAudioStream(*mpv_, source_);
        mpv_->ObserveFlag("eof-reached");
        mpv_->onEvent = [this](const mpv_event& event) { OnEvent(event); };
    }
    frame_ = streamFrame;
    settled_ = false;
    QString seconds = QString::number(double(streamFrame) / kCdFramesPerSecond, 'f', 6);
    if (!loaded_) {
        mpv_->SetProperty("start", seconds);
        mpv_->SetFlag("pause", false);
        loaded_ = mpv_->Load("tolvanecd://disc");
    } else {
        mpv_->Command({"seek", seconds, "absolute+exact"});
        mpv_->SetFlag("pause", false);
    }
    return loaded_;
}

void CdAudioMci::OnEvent(const mpv_event& event)
{
    switch (event.event_id) {
    case MPV_EVENT_PLAYBACK_RESTART:
        settled_ = true;
        break;
    case MPV_EVENT_END_FILE:
        loaded_ = false;
        settled_ = false;
        if (state_ == State::Playing) {
            state_ = State::Stopped;
            auto* end = static_cast<mpv_event_end_file*>(event.data);
            if (end && end->reason == MPV_END_FILE_REASON_EOF)
                frame_ = layout_.TotalFrames();
        }
        break;
    case MPV_EVENT_PROPERTY_CHANGE: {
        auto* property = static_cast<mpv_event_property*>(event.data);
        if (property->format == MPV_FORMAT_FLAG && qstrcmp(property->name, "eof-reached") == 0 &&
            *static_cast<int*>(property->data) && state_ == State::Playing) {
            state_ = State::Stopped;
            frame_ = layout_.TotalFrames();
        }
        break;
    }
    default:
        break;
    }
}

} // namespace tolvane
