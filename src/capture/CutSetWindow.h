#pragma once

#include <QSize>
#include <QString>

namespace tolvane {

class Context;
class Forms;
class PlaybackServices;

// What a continuous capture runs with, besides the cell size, folder and file name
// that the program keeps.
struct CutOptions
{
    int grid = 0; // n × n cells a sheet; 0 when the window was cancelled
    double delay = 1.0;
    bool timeLabel = true;
    int fontSize = 12;
};

// The capture settings window frmCutSet: filled from the capture state, checked and
// stored by its OK button.
class CutSetWindow
{
public:
    // The largest grid, cell and sheet side a capture takes: a sheet stays a picture
    // other programs open and memory holds.
    static constexpr int kMaxGrid = 10;
    static constexpr int kMinCell = 8;
    static constexpr int kMaxSide = 4096;
    static constexpr double kMaxDelay = 10.0;

    CutSetWindow(Context& context, Forms& forms, PlaybackServices& services)
        : context_(context), forms_(forms), services_(services)
    {
    }

    // Shows the window filled with the capture's file name, its cell size and folder;
    // returns once it is closed. The video's size is the aspect ratio a locked cell keeps.
    CutOptions Ask(QSize videoSize);

    // "確定": checks the fields; when they hold, takes them, saves the settings and
    // closes. Otherwise a message says what is wrong and the window stays.
    bool Command2_Click();
    // "取消": nothing is taken.
    void Command3_Click();
    // "..": the folder chooser.
    void Command9_Click();

    // What is wrong with a grid, cell size and delay; empty when they hold.
    static QString Check(int grid, int width, int height, double delay);

private:
    void Connect();

    Context& context_;
    Forms& forms_;
    PlaybackServices& services_;
    CutOptions options_;
    bool connected_ = false;
};

} // namespace tolvane
