#include "platform/MediaPlayerBus.h"

#include "platform/Clock.h"
#include "platform/CommandLine.h"

#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QVariantMap>
#include <algorithm>

namespace tolvane {

namespace {

const QString kObjectPath = QStringLiteral("/org/mpris/MediaPlayer2");
const QString kPlayerInterface = QStringLiteral("org.mpris.MediaPlayer2.Player");
const QString kNoTrack = QStringLiteral("/org/mpris/MediaPlayer2/TrackList/NoTrack");

QString StatusText(NowPlaying::Status status)
{
    switch (status) {
    case NowPlaying::Status::Playing:
        return QStringLiteral("Playing");
    case NowPlaying::Status::Paused:
        return QStringLiteral("Paused");
    case NowPlaying::Status::Stopped:
        break;
    }
    return QStringLiteral("Stopped");
}

QVariantMap Metadata(const NowPlaying& now, const QString& trackPath)
{
    QVariantMap metadata;
    metadata["mpris:trackid"] = QVariant::fromValue(QDBusObjectPath(trackPath));
    if (now.item.isEmpty())
        return metadata;
    if (now.lengthUs > 0)
        metadata["mpris:length"] = qlonglong(now.lengthUs);
    metadata["xesam:title"] = now.title;
    if (!now.album.isEmpty())
        metadata["xesam:album"] = now.album;
    return metadata;
}

} // namespace

// org.mpris.MediaPlayer2: the player as an application.
class MediaPlayerRoot : public QDBusAbstractAdaptor
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2")
    Q_PROPERTY(bool CanQuit READ CanQuit)
    Q_PROPERTY(bool CanRaise READ CanRaise)
    Q_PROPERTY(bool HasTrackList READ HasTrackList)
    Q_PROPERTY(QString Identity READ Identity)
    Q_PROPERTY(QString DesktopEntry READ DesktopEntry)
    Q_PROPERTY(QStringList SupportedUriSchemes READ SupportedUriSchemes)
    Q_PROPERTY(QStringList SupportedMimeTypes READ SupportedMimeTypes)
public:
    explicit MediaPlayerRoot(MediaPlayerBus* bus) : QDBusAbstractAdaptor(bus), bus_(bus) {}

    bool CanQuit() const { return true; }
    bool CanRaise() const { return true; }
    bool HasTrackList() const { return false; }
    QString Identity() const { return bus_->Identity(); }
    QString DesktopEntry() const { return bus_->DesktopEntry(); }
    QStringList SupportedUriSchemes() const { return {QStringLiteral("file")}; }
    QStringList SupportedMimeTypes() const
    {
        return {"audio/mpeg", "audio/x-wav",     "audio/midi",      "audio/x-mpegurl",
                "video/mpeg", "video/x-msvideo", "video/quicktime", "application/x-cue"};
    }

public Q_SLOTS:
    void Raise() { bus_->Later(bus_->requests.raise); }
    void Quit() { bus_->Later(bus_->requests.quit); }

private:
    MediaPlayerBus* bus_;
};

// org.mpris.MediaPlayer2.Player: what plays and the transport.
class MediaPlayerTransport : public QDBusAbstractAdaptor
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2.Player")
    Q_PROPERTY(QString PlaybackStatus READ PlaybackStatus)
    Q_PROPERTY(double Rate READ Rate WRITE SetRate)
    Q_PROPERTY(double MinimumRate READ Rate)
    Q_PROPERTY(double MaximumRate READ Rate)
    Q_PROPERTY(QVariantMap Metadata READ Metadata)
    Q_PROPERTY(double Volume READ Volume WRITE SetVolume)
    Q_PROPERTY(qlonglong Position READ Position)
    Q_PROPERTY(bool CanGoNext READ Yes)
    Q_PROPERTY(bool CanGoPrevious READ Yes)
    Q_PROPERTY(bool CanPlay READ Yes)
    Q_PROPERTY(bool CanPause READ Yes)
    Q_PROPERTY(bool CanSeek READ CanSeek)
    Q_PROPERTY(bool CanControl READ Yes)
public:
    explicit MediaPlayerTransport(MediaPlayerBus* bus) : QDBusAbstractAdaptor(bus), bus_(bus)
    {
        connect(bus, &MediaPlayerBus::Seeked, this, &MediaPlayerTransport::Seeked);
    }

    QString PlaybackStatus() const { return StatusText(bus_->Latest().status); }
    // The speed menu belongs to the skin's buttons; the bus sees normal speed only.
    double Rate() const { return 1.0; }
    void SetRate(double) {}
    QVariantMap Metadata() const { return tolvane::Metadata(bus_->Latest(), bus_->TrackPath()); }
    double Volume() const { return bus_->Latest().volume; }
    void SetVolume(double volume)
    {
        auto request = bus_->requests.setVolume;
        if (request)
            bus_->Later([request, volume] { request(std::clamp(volume, 0.0, 1.0)); });
    }
    qlonglong Position() const { return bus_->Current().positionUs; }
    bool CanSeek() const { return bus_->Latest().canSeek; }
    bool Yes() const { return true; }

public Q_SLOTS:
    void Next() { bus_->Later(bus_->requests.next); }
    void Previous() { bus_->Later(bus_->requests.previous); }
    void Pause() { bus_->Later(bus_->requests.pause); }
    void PlayPause() { bus_->Later(bus_->requests.playPause); }
    void Stop() { bus_->Later(bus_->requests.stop); }
    void Play() { bus_->Later(bus_->requests.play); }
    void Seek(qlonglong offset)
    {
        auto request = bus_->requests.seek;
        if (request)
            bus_->Later([request, offset] { request(offset); }, true);
    }
    void SetPosition(const QDBusObjectPath& track, qlonglong position)
    {
        // A position for a track no longer playing, or outside it, is ignored.
        const NowPlaying& now = bus_->Latest();
        auto request = bus_->requests.setPosition;
        if (!request || track.path() != bus_->TrackPath() || position < 0 ||
            position > now.lengthUs)
            return;
        bus_->Later([request, position] { request(position); }, true);
    }
    void OpenUri(const QString& uri)
    {
        const QStringList paths = CommandLinePaths({uri.toUtf8()}, QStringLiteral("/"));
        auto request = bus_->requests.open;
        if (request && !paths.isEmpty())
            bus_->Later([request, paths] { request(paths); });
    }

Q_SIGNALS:
    void Seeked(qlonglong Position);

private:
    MediaPlayerBus* bus_;
};

MediaPlayerBus::MediaPlayerBus(QString name, QString identity, QString desktopEntry)
    : name_(std::move(name)), identity_(std::move(identity)), desktopEntry_(std::move(desktopEntry))
{
    new MediaPlayerRoot(this);
    new MediaPlayerTransport(this);
    poll_.setInterval(kPollMilliseconds);
    connect(&poll_, &QTimer::timeout, this, &MediaPlayerBus::Refresh);
}

MediaPlayerBus::~MediaPlayerBus()
{
    if (!registered_)
        return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    bus.unregisterService("org.mpris.MediaPlayer2." + name_);
    bus.unregisterObject(kObjectPath);
}

bool MediaPlayerBus::Register()
{
    if (registered_)
        return true;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        if (log)
            log("沒有工作階段匯流排(D-Bus),不提供媒體鍵及播放資訊");
        return false;
    }
    const QString service = "org.mpris.MediaPlayer2." + name_;
    if (!bus.registerObject(kObjectPath, this)) {
        if (log)
            log("無法在工作階段匯流排上提供媒體鍵服務");
        return false;
    }
    if (!bus.registerService(service)) {
        bus.unregisterObject(kObjectPath);
        if (log)
            log("媒體鍵服務名稱已被使用:" + service);
        return false;
    }
    registered_ = true;
    Refresh();
    poll_.start();
    return true;
}

NowPlaying MediaPlayerBus::Current() const
{
    return nowPlaying ? nowPlaying() : NowPlaying{};
}

const NowPlaying& MediaPlayerBus::Latest()
{
    Refresh();
    return last_;
}

QString MediaPlayerBus::TrackPath() const
{
    if (last_.item.isEmpty())
        return kNoTrack;
    return QStringLiteral("/org/tolvane99/Track/%1").arg(track_);
}

void MediaPlayerBus::Later(std::function<void()> request, bool seeked)
{
    if (!request)
        return;
    QTimer::singleShot(0, this, [this, request = std::move(request), seeked] {
        request();
        Refresh();
        if (seeked && registered_)
            Q_EMIT Seeked(Current().positionUs);
    });
}

void MediaPlayerBus::Refresh()
{
    const NowPlaying now = Current();
    const bool newItem = now.item != last_.item;
    QVariantMap changed;
    if (now.status != last_.status)
        changed["PlaybackStatus"] = StatusText(now.status);
    if (now.volume != last_.volume)
        changed["Volume"] = now.volume;
    if (now.canSeek != last_.canSeek)
        changed["CanSeek"] = now.canSeek;
    const bool described = newItem || now.title != last_.title || now.album != last_.album ||
                           now.lengthUs != last_.lengthUs;
    if (newItem && !now.item.isEmpty())
        ++track_;
    last_ = now;
    if (described)
        changed["Metadata"] = tolvane::Metadata(now, TrackPath());
    if (registered_ && !changed.isEmpty())
        SignalChanges(changed);
}

void MediaPlayerBus::SignalChanges(const QVariantMap& changed)
{
    QDBusMessage signal =
        QDBusMessage::createSignal(kObjectPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                   QStringLiteral("PropertiesChanged"));
    signal << kPlayerInterface << changed << QStringList();
    QDBusConnection::sessionBus().send(signal);
}

} // namespace tolvane

#include "MediaPlayerBus.moc"
