#pragma once

#include <functional>

#include "platform/Mci.h"
#include "platform/VideoControl.h"

#include <QHash>
#include <QStringList>

namespace tolvane {

// The "CDAudio" device as a script: replies and return codes by command, compared
// without case and with blanks collapsed; every command is recorded by Mci itself.
class FakeMci : public Mci
{
public:
    QHash<QString, QString> replies; // keys lower case, single blanks
    QHash<QString, int> codes;
    // Runs after each command, so a test can change the replies as the device would.
    std::function<void(const QString& key)> onCommand;

    static QString Key(const QString& command) { return command.simplified().toLower(); }

    void SelectDrive(const Drive& drive) override { selections.append(drive); }
    QList<Drive> selections; // every drive the device was pointed at, in order

protected:
    int Execute(const QString& command, QString& answer) override;
};

// A video control that records what it is told, as "Command:Play" and "FileName:x".
class FakeMciWindow : public MciWindow
{
public:
    void Command(const QString& verb) override { calls.append("Command:" + verb); }
    void SetFileName(const QString& path) override
    {
        calls.append("FileName:" + path);
        fileName = path;
        if (onFileName)
            onFileName(path);
    }
    QString FileName() const override { return fileName; }
    double Position() const override { return position; }
    void SetPosition(double value) override { position = value; }
    double Length() const override { return length; }
    QString Mode() const override { return mode; }
    int Speed() const override { return speed; }
    void SetSpeed(int value) override { speed = value; }
    int Volume() const override { return volume; }
    void SetVolume(int value) override { volume = value; }
    QString DeviceName() const override { return deviceName; }
    void SetOpeningOption(bool on) override { openingOption = on; }
    void SetTimeUnits(double perSecond) override { units = perSecond; }
    double TimeUnits() const override { return units; }
    void SetShown(bool value) override { visible = value; }
    bool Shown() const override { return visible; }
    QImage GrabFrame() const override { return frame; }
    QSize VideoSize() const override { return videoSize; }

    QStringList calls;
    QString fileName;
    std::function<void(const QString& path)> onFileName; // a file the engine reports at once
    double position = 0;
    double length = 0;
    QString mode = "not ready";
    int speed = 1000;
    int volume = 1000;
    QString deviceName;
    bool openingOption = false;
    double units = 1000;
    bool visible = false;
    QImage frame;    // what a grab gives
    QSize videoSize; // the natural size of the file
};

} // namespace tolvane
