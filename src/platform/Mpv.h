#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPair>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

struct mpv_handle;
struct mpv_event;

namespace tolvane {

using MpvOptions = QList<QPair<QByteArray, QByteArray>>;

// Options for every media engine from TOLVANE99_MPV, such as "ao=null;vo=null": a
// machine without sound or display plays all the same, in real time.
MpvOptions MpvOptionsFromEnvironment();

// One libmpv instance. libmpv wakes us from its own threads; the wakeup posts to the
// Qt event loop, which drains mpv_wait_event(h, 0) on the user interface thread.
class Mpv : public QObject
{
    Q_OBJECT
public:
    // Options are set before the instance starts (ao, vo, keep-open ...).
    explicit Mpv(const MpvOptions& options, QObject* parent = nullptr);
    ~Mpv() override;

    mpv_handle* Handle() const { return handle_; }
    bool Ok() const { return handle_ != nullptr; }

    int Command(const QStringList& args);
    int SetProperty(const char* name, const QString& value);
    int SetFlag(const char* name, bool value);
    int SetDouble(const char* name, double value);
    std::optional<double> GetDouble(const char* name) const;
    std::optional<qint64> GetInt(const char* name) const;
    std::optional<bool> GetFlag(const char* name) const;
    QString GetString(const char* name) const;
    void ObserveFlag(const char* name);
    void ObserveDouble(const char* name);

    // Runs every event that is waiting; called from the event loop after a wakeup.
    void Drain();

    std::function<void(const mpv_event&)> onEvent;

private:
    mpv_handle* handle_ = nullptr;
};

} // namespace tolvane
