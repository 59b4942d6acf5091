// The player's media service on a session bus of the test's own, asked as the desktop
// asks: by another connection.
#include "platform/MediaPlayerBus.h"
#include "MediaFixtures.h"
#include "platform/LocalNames.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCall>
#include <QDBusVariant>
#include <QProcess>
#include <gtest/gtest.h>

namespace tolvane {
namespace {

const QString kService = "org.mpris.MediaPlayer2.tolvane99test";
const QString kPath = "/org/mpris/MediaPlayer2";
const QString kPlayer = "org.mpris.MediaPlayer2.Player";
const QString kProperties = "org.freedesktop.DBus.Properties";

// One private bus for the whole test program: the process's session bus is made once.
QString PrivateBusAddress()
{
    static QProcess daemon;
    static const QString address = [] {
        daemon.start("dbus-daemon", {"--session", "--nofork", "--print-address=1"});
        if (!daemon.waitForStarted(10000) || !daemon.waitForReadyRead(10000))
            return QString();
        qAddPostRoutine([] {
            daemon.kill();
            daemon.waitForFinished(5000);
        });
        const QString text = QString::fromUtf8(daemon.readLine()).trimmed();
        qputenv("DBUS_SESSION_BUS_ADDRESS", text.toUtf8());
        return text;
    }();
    return address;
}

// The desktop's side: calls answered while the player's events run.
class Desktop : public QObject
{
    Q_OBJECT
public:
    Desktop() : bus(QDBusConnection::connectToBus(PrivateBusAddress(), "desktop"))
    {
        bus.connect(kService, kPath, kProperties, "PropertiesChanged", this,
                    SLOT(Changed(QString, QVariantMap, QStringList)));
        bus.connect(kService, kPath, kPlayer, "Seeked", this, SLOT(Seeked(qlonglong)));
    }
    ~Desktop() override { QDBusConnection::disconnectFromBus("desktop"); }

    QDBusMessage Call(const QString& interface, const QString& method, const QVariantList& args)
    {
        QDBusMessage message = QDBusMessage::createMethodCall(kService, kPath, interface, method);
        message.setArguments(args);
        QDBusPendingCall call = bus.asyncCall(message);
        RunEventsUntil([&] { return call.isFinished(); }, 20000);
        return call.reply();
    }
    QVariant Get(const QString& name)
    {
        const QDBusMessage reply = Call(kProperties, "Get", {kPlayer, name});
        return reply.arguments().value(0).value<QDBusVariant>().variant();
    }
    static QVariantMap Map(const QVariant& value)
    {
        if (value.canConvert<QDBusArgument>()) {
            QVariantMap map;
            value.value<QDBusArgument>() >> map;
            return map;
        }
        return value.toMap();
    }

    QDBusConnection bus;
    QList<QVariantMap> changes;
    QList<qlonglong> seeks;

public Q_SLOTS:
    void Changed(const QString& interface, const QVariantMap& changed, const QStringList&)
    {
        if (interface == kPlayer)
            changes.append(changed);
    }
    void Seeked(qlonglong position) { seeks.append(position); }
};

class MediaPlayerBusTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_FALSE(PrivateBusAddress().isEmpty()) << "dbus-daemon did not start";
        bus.nowPlaying = [this] { return now; };
        bus.log = [this](const QString& text) { logged.append(text); };
        auto note = [this](const QString& what) { return [this, what] { asked.append(what); }; };
        bus.requests = {note("play"),
                        note("pause"),
                        note("playPause"),
                        note("stop"),
                        note("next"),
                        note("previous"),
                        note("raise"),
                        note("quit"),
                        [this](qint64 offset) { asked.append(QString("seek %1").arg(offset)); },
                        [this](qint64 at) { asked.append(QString("position %1").arg(at)); },
                        [this](double volume) { asked.append(QString("volume %1").arg(volume)); },
                        [this](const QStringList& paths) {
                            for (const QString& path : paths)
                                asked.append("open " + path);
                        }};
        ASSERT_TRUE(bus.Register());
    }

    NowPlaying Song(NowPlaying::Status status) const
    {
        NowPlaying song;
        song.status = status;
        song.title = "song01";
        song.album = "music";
        song.item = "C:\\music\\song01.mp3";
        song.lengthUs = 20000000;
        song.positionUs = 3000000;
        song.volume = 0.5;
        song.canSeek = true;
        return song;
    }

    NowPlaying now;
    MediaPlayerBus bus{"tolvane99test", "Tolvane99", "tolvane99"};
    Desktop desktop;
    QStringList asked;
    QStringList logged;
};

TEST_F(MediaPlayerBusTest, MethodsReachTheirRequestsOnceAnswered)
{
    now = Song(NowPlaying::Status::Playing);
    bus.Refresh();
    const QString track =
        desktop.Map(desktop.Get("Metadata"))["mpris:trackid"].value<QDBusObjectPath>().path();
    const std::tuple<QString, QString, QVariantList, QString> cases[] = {
        {kPlayer, "PlayPause", {}, "playPause"},
        {kPlayer, "Play", {}, "play"},
        {kPlayer, "Pause", {}, "pause"},
        {kPlayer, "Stop", {}, "stop"},
        {kPlayer, "Next", {}, "next"},
        {kPlayer, "Previous", {}, "previous"},
        {kPlayer, "Seek", {qlonglong(-2500000)}, "seek -2500000"},
        {kPlayer,
         "SetPosition",
         {QVariant::fromValue(QDBusObjectPath(track)), qlonglong(12000000)},
         "position 12000000"},
        // Another track's position, or one beyond the end, is ignored.
        {kPlayer, "SetPosition", {QVariant::fromValue(QDBusObjectPath("/x/y")), qlonglong(1)}, ""},
        {kPlayer,
         "SetPosition",
         {QVariant::fromValue(QDBusObjectPath(track)), qlonglong(30000000)},
         ""},
        {kPlayer, "OpenUri", {"file:///music/a%20b.mp3"}, "open /music/a b.mp3"},
        {kPlayer, "OpenUri", {"http://example.invalid/x.mp3"}, ""},
        {"org.mpris.MediaPlayer2", "Raise", {}, "raise"},
        {"org.mpris.MediaPlayer2", "Quit", {}, "quit"},
        {kProperties,
         "Set",
         {kPlayer, "Volume", QVariant::fromValue(QDBusVariant(0.25))},
         "volume 0.25"},
    };
    for (const auto& [interface, method, args, expected] : cases) {
        SCOPED_TRACE(method.toStdString() + " " + expected.toStdString());
        asked.clear();
        const QDBusMessage reply = desktop.Call(interface, method, args);
        EXPECT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();
        // The request runs from the event loop after the answer went out.
        RunEventsFor(50);
        EXPECT_EQ(asked, expected.isEmpty() ? QStringList() : QStringList{expected});
    }
    // Each move of the position is told to the desktop.
    EXPECT_TRUE(RunEventsUntil([&] { return desktop.seeks.size() == 2; }));
    EXPECT_EQ(desktop.seeks, (QList<qlonglong>{3000000, 3000000}));
    EXPECT_TRUE(logged.isEmpty());
}

TEST_F(MediaPlayerBusTest, PropertiesFollowThePlayerAndEachChangeIsSignalled)
{
    EXPECT_EQ(desktop.Get("PlaybackStatus").toString(), "Stopped");
    EXPECT_EQ(desktop.Map(desktop.Get("Metadata"))["mpris:trackid"].value<QDBusObjectPath>().path(),
              "/org/mpris/MediaPlayer2/TrackList/NoTrack");
    EXPECT_EQ(desktop.Get("CanSeek").toBool(), false);

    now = Song(NowPlaying::Status::Playing);
    // The player's own look, twice a second, finds the change.
    ASSERT_TRUE(RunEventsUntil([&] { return !desktop.changes.isEmpty(); }, 5000));
    const QVariantMap changed = desktop.changes.takeFirst();
    EXPECT_EQ(changed.value("PlaybackStatus").toString(), "Playing");
    EXPECT_DOUBLE_EQ(changed.value("Volume").toDouble(), 0.5);
    EXPECT_EQ(changed.value("CanSeek").toBool(), true);
    const QVariantMap metadata = desktop.Map(changed.value("Metadata"));
    EXPECT_EQ(metadata.value("xesam:title").toString(), "song01");
    EXPECT_EQ(metadata.value("xesam:album").toString(), "music");
    EXPECT_EQ(metadata.value("mpris:length").typeId(), QMetaType::LongLong);
    EXPECT_EQ(metadata.value("mpris:length").toLongLong(), 20000000);
    const QString first = metadata.value("mpris:trackid").value<QDBusObjectPath>().path();
    EXPECT_TRUE(first.startsWith("/org/tolvane99/Track/"));
    EXPECT_EQ(desktop.Get("Position").toLongLong(), 3000000);

    // The position alone moving is no change; a pause is, and the next song is a new
    // track.
    now.positionUs = 9000000;
    bus.Refresh();
    RunEventsFor(100);
    EXPECT_TRUE(desktop.changes.isEmpty());
    EXPECT_EQ(desktop.Get("Position").toLongLong(), 9000000);
    now.status = NowPlaying::Status::Paused;
    bus.Refresh();
    ASSERT_TRUE(RunEventsUntil([&] { return !desktop.changes.isEmpty(); }, 5000));
    EXPECT_EQ(desktop.changes.takeFirst(), (QVariantMap{{"PlaybackStatus", QString("Paused")}}));
    now.item = "C:\\music\\song02.mp3";
    now.title = "song02";
    bus.Refresh();
    ASSERT_TRUE(RunEventsUntil([&] { return !desktop.changes.isEmpty(); }, 5000));
    const QVariantMap next = desktop.Map(desktop.changes.takeFirst().value("Metadata"));
    EXPECT_EQ(next.value("xesam:title").toString(), "song02");
    EXPECT_NE(next.value("mpris:trackid").value<QDBusObjectPath>().path(), first);
}

} // namespace
} // namespace tolvane

#include "MediaPlayerBusTest.moc"
