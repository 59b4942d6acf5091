#pragma once

#include <QString>

namespace tolvane {

class MciWindow;
class Forms;
class PlaybackServices;
struct MediaContext;

// The seek step, the knob's seek target, the seek itself and the playing speed.
class SpeedSeek
{
public:
    SpeedSeek(Forms& forms, PlaybackServices& services) : forms_(forms), services_(services) {}

    // The step of the step actions from the checked seek-menu entry.
    void ChkSeekNum(double unitsPerSecond);
    // The seek target at a fraction of the position bar, previewed in the time label.
    void ChkSeekTime(double fraction);
    void ChkSeek();
    void Faster();
    void Slower();
    void mSpeed1_Click(int index);
    void mSeek_Click(int index);

    // The error box text of a speed too slow to sit through.
    static QString TooSlowText(double lengthSeconds);

private:
    MciWindow& Active();
    void ShowSpeed(const QString& lead);

    MediaContext& Media();

    Forms& forms_;
    PlaybackServices& services_;
};

} // namespace tolvane
