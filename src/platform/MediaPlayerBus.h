#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <functional>

namespace tolvane {

// What the player is doing, as the desktop's media controls show it.
struct NowPlaying
{
    enum class Status { Stopped, Playing, Paused };
    Status status = Status::Stopped;
    QString title;
    QString album;
    QString item;        // what plays (a path, a track); another item is another track
    qint64 lengthUs = 0; // microseconds, 0 when unknown
    qint64 positionUs = 0;
    double volume = 1.0;  // 0 to 1
    bool canSeek = false; // something with a length is open

    bool operator==(const NowPlaying&) const = default;
};

// What the desktop asks of the player: its media keys and "now playing" controls.
// Each runs from the event loop after the bus call has been answered.
struct MediaPlayerRequests
{
    std::function<void()> play;
    std::function<void()> pause;
    std::function<void()> playPause;
    std::function<void()> stop;
    std::function<void()> next;
    std::function<void()> previous;
    std::function<void()> raise;
    std::function<void()> quit;
    std::function<void(qint64 offsetUs)> seek;
    std::function<void(qint64 positionUs)> setPosition;
    std::function<void(double volume)> setVolume;
    // Local paths of "file:" addresses the desktop asks to open.
    std::function<void(const QStringList& localPaths)> open;
};

// The player on the session bus as org.mpris.MediaPlayer2.<name>: its methods reach
// `requests`, its properties read `nowPlaying`, and each change of the state (looked at
// twice a second and after every request) is signalled to the desktop.
class MediaPlayerBus : public QObject
{
    Q_OBJECT
public:
    // `name` ends the bus name; `identity` is what the desktop calls the player and
    // `desktopEntry` its desktop entry's name without ".desktop".
    MediaPlayerBus(QString name, QString identity, QString desktopEntry);
    ~MediaPlayerBus() override;

    MediaPlayerRequests requests;
    std::function<NowPlaying()> nowPlaying;
    // One line when the service cannot be offered.
    std::function<void(const QString& text)> log;

    // Offers the service; false, and a log line, when there is no session bus or the
    // name is taken.
    bool Register();
    bool Registered() const { return registered_; }

    // Compares the state with the one last signalled and signals what changed.
    void Refresh();

    // The adaptors' side: the state now; the state now once its changes are signalled.
    NowPlaying Current() const;
    const NowPlaying& Latest();
    QString TrackPath() const;
    const QString& Identity() const { return identity_; }
    const QString& DesktopEntry() const { return desktopEntry_; }
    // Runs a request once the bus call is answered, then looks at the state again.
    void Later(std::function<void()> request, bool seeked = false);

Q_SIGNALS:
    void Seeked(qlonglong positionUs);

private:
    void SignalChanges(const QVariantMap& changed);

    QString name_;
    QString identity_;
    QString desktopEntry_;
    bool registered_ = false;
    NowPlaying last_;
    quint64 track_ = 0; // counts the items seen, for their track ids
    QTimer poll_;
};

} // namespace tolvane
