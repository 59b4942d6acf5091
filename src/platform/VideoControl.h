#pragma once

#include "platform/Mci.h"
#include "platform/Mpv.h"

#include <QImage>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <functional>

struct mpv_render_context;

namespace tolvane {

// The members and events the program uses of a video control (the MciWndX role).
// Position and length are in the units the control is told, so many per second.
class MciWindow
{
public:
    virtual ~MciWindow() = default;

    // "Play", "Stop", "Close", "Pause" in any case; other verbs do nothing.
    virtual void Command(const QString& verb) = 0;
    // Assigning opens the file (and raises the extended error when it cannot be
    // played); the empty text releases it.
    virtual void SetFileName(const QString& path) = 0;
    virtual QString FileName() const = 0;
    virtual double Position() const = 0;
    virtual void SetPosition(double position) = 0;
    virtual double Length() const = 0;
    virtual QString Mode() const = 0; // "playing", "paused", "stopped", "not ready"
    virtual int Speed() const = 0;    // thousandths of normal speed
    virtual void SetSpeed(int speed) = 0;
    virtual int Volume() const = 0; // 0 to 1000
    virtual void SetVolume(int volume) = 0;
    virtual QString DeviceName() const = 0;
    virtual void SetOpeningOption(bool on) = 0;
    virtual void SetTimeUnits(double perSecond) = 0;
    virtual double TimeUnits() const = 0;
    virtual void SetShown(bool visible) = 0;
    virtual bool Shown() const = 0;
    // The decoded video frame shown now, at the video's own size; null when there is none.
    virtual QImage GrabFrame() const = 0;
    // The natural size of the open video; empty when there is none.
    virtual QSize VideoSize() const = 0;

    // Events, raised on the user interface thread.
    std::function<void(int code)> onExtendedError;
    std::function<void(int mode)> onExtendedModeChange;
    std::function<void()> onPositionChange;
    std::function<void()> onError;
    std::function<void(int button)> onMouse;
};

// The MCI device name of a file: the "mci extensions" entry of its extension when
// one is given, otherwise the built-in defaults.
QString MciDeviceName(const QString& path, const std::function<QString(const QString&)>& entry);

// The video control over libmpv. Pictures come from mpv's software renderer, so
// frames can be grabbed whatever the display; with "vo" given in the engine's options
// (null in tests) nothing is rendered. The engine starts with the first file.
//
// Opening a file lets events run until the engine has it; a file given, or a release,
// while one opens replaces that open, which then returns without a word.
class VideoControl : public QWidget, public MciWindow
{
    Q_OBJECT
public:
    explicit VideoControl(MediaEngine& engine, QWidget* parent = nullptr);
    ~VideoControl() override;

    // DOS path to what mpv opens: a local path or a stream address. A file on a CD-ROM
    // drive comes as the drive's image or device followed by the path on the disc.
    std::function<QString(const QString&)> resolvePath;
    // The "mci extensions" entry of an extension, empty when there is none.
    std::function<QString(const QString&)> extensionEntry;

    void Command(const QString& verb) override;
    void SetFileName(const QString& path) override;
    QString FileName() const override { return fileName_; }
    double Position() const override;
    void SetPosition(double position) override;
    double Length() const override;
    QString Mode() const override;
    int Speed() const override { return speed_; }
    void SetSpeed(int speed) override;
    int Volume() const override { return volume_; }
    void SetVolume(int volume) override;
    QString DeviceName() const override { return deviceName_; }
    void SetOpeningOption(bool on) override { openingOption_ = on; }
    bool OpeningOption() const { return openingOption_; }
    void SetTimeUnits(double perSecond) override { units_ = perSecond; }
    double TimeUnits() const override { return units_; }
    void SetShown(bool visible) override { setVisible(visible); }
    bool Shown() const override { return isVisible(); }
    // From the engine, not the screen: a frame is there under any compositor or output.
    QImage GrabFrame() const override;
    QSize VideoSize() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    enum class State { Closed, Stopped, Playing, Paused };

    bool StartEngine();
    void Release();
    // What mpv opens for a resolved path: the path, or the address of a Video CD
    // stream for a RIFF CDXA file or a file on a disc; empty when there is no file.
    QString Openable(const QString& target);
    // The MCI error for a file the engine gave up on while opening it.
    static int OpenError(int mpvError);
    void SetState(State state);
    void OnEvent(const mpv_event& event);
    void RenderFrame();
    void Fail(int code);

    MediaEngine& engine_;
    std::unique_ptr<Mpv> mpv_;
    mpv_render_context* render_ = nullptr;
    QTimer positionTimer_;
    QString fileName_;
    QString deviceName_;
    State state_ = State::Closed;
    bool atEnd_ = false;
    bool openingOption_ = false;
    double units_ = 1000;
    int speed_ = 1000;
    int volume_ = 1000;
    QImage frame_;
    // While a file opens: the outcome mpv reported (0 loaded, else an MCI error).
    int openResult_ = -1;
    // Counts opens and releases, so an open overtaken by a later one knows it.
    quint64 serial_ = 0;
};

} // namespace tolvane
