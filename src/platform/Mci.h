#pragma once

#include "platform/DriveMap.h"

#include <QString>
#include <QStringList>
#include <algorithm>
#include <optional>

namespace tolvane {

// MCI error numbers, as the program and its message texts know them.
enum MciError {
    kMciOk = 0,
    kMciErrInvalidDeviceId = 257,
    kMciErrUnrecognizedKeyword = 259,
    kMciErrUnrecognizedCommand = 261,
    kMciErrHardware = 262,
    kMciErrInvalidDeviceName = 263,
    kMciErrDeviceOpen = 265,
    kMciErrCannotLoadDriver = 266,
    kMciErrMissingCommandString = 267,
    kMciErrParamOverflow = 268,
    kMciErrBadInteger = 270,
    kMciErrMissingParameter = 273,
    kMciErrUnsupportedFunction = 274,
    kMciErrFileNotFound = 275,
    kMciErrDeviceNotReady = 276,
    kMciErrInternal = 277,
    kMciErrOutOfRange = 282,
    kMciErrMissingDeviceName = 292,
    kMciErrBadTimeFormat = 293,
    kMciErrInvalidFile = 296,
    kMciErrNoClosingQuote = 294,
    kMciErrNoMidiSynth = 343, // no MIDI device: here, no SoundFont to render with
};

// MCI mode numbers; the video control's mode-change event passes them.
enum MciMode {
    kMciModeNotReady = 524,
    kMciModeStop = 525,
    kMciModePlay = 526,
    kMciModeRecord = 527,
    kMciModeSeek = 528,
    kMciModePause = 529,
    kMciModeOpen = 530,
};

// The mode names MCI replies with for each mode number.
QString MciModeName(int mode);

// One command string taken apart: verb, device and the rest as words. The "wait"
// and "notify" flags are taken out of the words wherever they stand.
struct MciCommand
{
    QString verb;      // lower case
    QString device;    // as given
    QStringList words; // lower case, in order
    bool wait = false;
    bool notify = false;

    // Nothing when the text holds no verb.
    static std::optional<MciCommand> Parse(const QString& text);
    // True when the words start with the given ones (all lower case).
    bool Starts(std::initializer_list<const char*> lead) const;
};

// Positions on an audio CD: 75 frames a second.
constexpr int kCdFramesPerSecond = 75;
QString FormatMsf(int frames);             // "mm:ss:ff"
QString FormatTmsf(int track, int frames); // "tt:mm:ss:ff"
// Splits "t:m:s:f" or fewer fields into numbers; nothing when a field is not a number.
std::optional<QList<int>> SplitColonFields(const QString& text);

// mciSendString: every command string is recorded in order before it runs, so the
// exact sequence a procedure sent can be compared afterwards. The record keeps the
// latest commands only: a disc that plays for hours polls twice a second.
class Mci
{
public:
    virtual ~Mci() = default;

    // The answer goes into reply as a C string: at most length - 1 characters and a
    // terminating zero; what follows the zero is left as it was. A reply that does
    // not fit gives kMciErrParamOverflow. Returns 0 or an MCI error number.
    int SendString(const QString& command, QChar* reply, int length);

    // Points the device at a CD-ROM drive (real or image) for the commands that follow.
    virtual void SelectDrive(const Drive& drive) { Q_UNUSED(drive); }

    static constexpr qsizetype kKept = 1000;

    // The commands sent since the last ClearSent, at most the latest kKept.
    QStringList Sent() const { return sent_.mid(std::max<qsizetype>(0, sent_.size() - kKept)); }
    void ClearSent() { sent_.clear(); }

protected:
    // Runs one command; answer takes the reply text.
    virtual int Execute(const QString& command, QString& answer) = 0;

private:
    QStringList sent_;
};

} // namespace tolvane
