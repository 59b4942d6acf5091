#pragma once

#include "platform/CdAudioStream.h"
#include "platform/CdDisc.h"
#include "platform/Mci.h"
#include "platform/Mpv.h"

#include <memory>

namespace tolvane {

// The MCI device "CDAudio" on a libcdio drive; the sound is the disc's audio sectors
// played by one libmpv instance through the "tolvanecd" stream. Commands without
// "Wait" return at once; mpv's events arrive through the Qt event loop.
class CdAudioMci : public Mci
{
public:
    CdAudioMci(std::unique_ptr<CdDrive> drive, MediaEngine& engine);
    ~CdAudioMci() override;

    // The drive of TOLVANE99_CDROM_IMAGE, or the system's default drive; image trays
    // are the shared ones.
    static std::unique_ptr<CdAudioMci> FromEnvironment(DiscTrays& trays, MediaEngine& engine);

    CdDrive& Drive() { return *drive_; }
    // Whether sound comes out now: the engine has the disc and is not paused.
    bool Sounding() const;
    // Closes the engine and the handle and takes the new drive's disc; the drive in
    // use already changes nothing.
    void SelectDrive(const tolvane::Drive& drive) override;

protected:
    int Execute(const QString& command, QString& answer) override;

private:
    enum class TimeFormat { Msf, Tmsf, Milliseconds };
    enum class State { Stopped, Playing, Paused };

    int Open(const MciCommand& command);
    int Play(const MciCommand& command);
    int Seek(const MciCommand& command);
    int Set(const MciCommand& command);
    int Status(const MciCommand& command, QString& answer);

    // Re-reads the medium when the tray has been closed since the last look.
    bool HasMedium();
    void DropMedium();
    int CurrentFrame();
    // A position text in the current time format: stream frame, or nothing when the
    // text is not a position on this disc.
    std::optional<int> ParsePosition(const QString& text) const;
    QString FormatPosition(int streamFrame) const;
    QString FormatLength(int frames) const;
    // False when no engine can be made.
    bool StartEngine(int streamFrame);
    void OnEvent(const mpv_event& event);

    // Holds the engine where it is and notes where that is.
    void Halt();

    std::unique_ptr<CdDrive> drive_;
    MediaEngine& engine_;
    CdAudioSource source_;
    std::unique_ptr<Mpv> mpv_;
    std::optional<CdToc> toc_;
    CdAudioLayout layout_;
    bool open_ = false;
    bool loaded_ = false;  // the stream is loaded in mpv
    bool settled_ = false; // mpv has reached the last seek, so its position counts
    TimeFormat format_ = TimeFormat::Msf;
    State state_ = State::Stopped;
    int frame_ = 0; // stream frame while the engine's position does not count
};

} // namespace tolvane
