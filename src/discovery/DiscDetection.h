#pragma once

#include <QString>

namespace tolvane {

class Player;

// Finding the CD-ROM drive and choosing the device to classify.
class DiscDetection
{
public:
    explicit DiscDetection(Player& player) : player_(player) {}

    // Walks the settings window's drive list from its second entry; the last CD-ROM
    // drive found becomes the current device. Without one the device stays as it was.
    void FindCDROM();
    // The start mode of the settings window, run once the main window shows.
    void StartUpSearch();
    // Classifies the media of the current device; comes with disc classification.
    void CheckCdrom(bool autoPlay);

private:
    void SetDevice(const QString& drive);

    Player& player_;
};

} // namespace tolvane
