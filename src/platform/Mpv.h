#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QObject>
#include <QPair>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

struct mpv_handle;
struct mpv_event;

namespace tolvane {

struct MpvLibrary;

using MpvOptions = QList<QPair<QByteArray, QByteArray>>;

// Options for every media engine from TOLVANE99_MPV, such as "ao=null;vo=null": a
// machine without sound or display plays all the same, in real time.
MpvOptions MpvOptionsFromEnvironment();

// One libmpv instance. libmpv wakes us from its own threads; the wakeup posts to the
// Qt event loop, which drains mpv_wait_event(h, 0) on the user interface thread.
//
// Events belong to the file they report on: once a new file is loaded, whatever the
// engine still says about the file before it (its end, its last position) is dropped
// before it reaches onEvent.
class Mpv : public QObject
{
    Q_OBJECT
public:
    // Options are set before the instance starts (ao, vo, keep-open ...).
    Mpv(const MpvLibrary& api, const MpvOptions& options, QObject* parent = nullptr);
    ~Mpv() override;

    mpv_handle* Handle() const { return handle_; }
    // The library's entry points, for the parts of the platform that use the handle.
    const MpvLibrary& Api() const { return api_; }
    bool Ok() const { return handle_ != nullptr; }
    // Why the instance could not start; empty when it did.
    const QString& Error() const { return error_; }

    int Command(const QStringList& args);
    // Replaces whatever plays with `url`; false when the engine refused it.
    bool Load(const QString& url);
    int SetProperty(const char* name, const QString& value);
    int SetFlag(const char* name, bool value);
    int SetDouble(const char* name, double value);
    std::optional<double> GetDouble(const char* name) const;
    std::optional<qint64> GetInt(const char* name) const;
    std::optional<bool> GetFlag(const char* name) const;
    QString GetString(const char* name) const;
    void ObserveFlag(const char* name);
    void ObserveDouble(const char* name);
    // The decoded video frame now shown, at its own size, whatever the video output;
    // null when there is none.
    QImage VideoFrame() const;

    // Runs every event that is waiting; called from the event loop after a wakeup.
    void Drain();
    // Lets events run until `done` holds, this object is gone or `timeoutMs` passed;
    // true when `done` held. The engine is drained here too: inside a handler of a
    // posted event its wakeup may only reach the loop outside.
    bool WaitUntil(const std::function<bool()>& done, int timeoutMs);

    std::function<void(const mpv_event&)> onEvent;

private:
    bool Current(const mpv_event& event);

    const MpvLibrary& api_;
    mpv_handle* handle_ = nullptr;
    QString error_;
    qint64 loaded_ = -1;   // playlist entry of the last Load
    bool started_ = false; // the engine has begun that entry
};

// Where every engine of the program is made, with the options they share, and the
// owner of the library, opened with the first engine. libmpv only starts under the C
// numeric locale, so making the maker sets it; the application object has set the
// user's locale by then.
class MediaEngine
{
public:
    explicit MediaEngine(MpvOptions options = {});
    ~MediaEngine();

    const MpvOptions& Options() const { return options_; }
    // A started instance with `extra` and the shared options; nullptr when libmpv
    // cannot be loaded or cannot start one.
    std::unique_ptr<Mpv> Make(const MpvOptions& extra = {});

    // Told the first time an instance cannot be made, with the reason; once per run.
    std::function<void(const QString& reason)> onFailure;

private:
    MpvOptions options_;
    std::unique_ptr<MpvLibrary> library_;
    bool failedToOpen_ = false;
    bool reported_ = false;
};

} // namespace tolvane
