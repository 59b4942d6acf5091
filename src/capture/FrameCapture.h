#pragma once

#include "capture/CutSetWindow.h"

#include <QImage>
#include <QString>
#include <QStringList>

namespace tolvane {

class Context;
class Forms;
class MciWindow;
class PlaybackServices;

// Frames of the playing video into bitmap files: one frame at a time, or a run of
// frames laid out row by row on sheets of n × n cells. The frames are the engine's
// decoded pictures, so nothing on the screen gets into them.
class FrameCapture
{
public:
    FrameCapture(Context& context, Forms& forms, PlaybackServices& services)
        : context_(context), forms_(forms), services_(services), cutSet_(context, forms, services)
    {
    }

    // A run ends after this many frames at the latest.
    static constexpr int kMaxFrames = 10000;

    // "單張抓圖": the frame shown now, in one cell, to the next capture file.
    void mCutBmp1_Click();
    // "連續抓圖": asks for the settings, then grabs a frame, lets the video play on by
    // the delay and grabs again, until the user stops, the video stands still, another
    // track starts or the end is reached. The message counts the sheets.
    void mCutBmp_Click();

    bool Running() const { return running_; }

private:
    MciWindow& Video();
    // Frame k (from 1) of a run into its cell of the n × n sheet; a full sheet is saved.
    // False when there is no frame or the sheet was not saved (the user is told).
    bool CutBmp(bool labelled, int n, int k);
    // Plays on from `noted` for the delay, and on until the picture is a step later.
    void PlayOn(MciWindow& video, double noted);
    // Writes the sheet to the capture file and moves on to the next name.
    bool SaveCutBmp();
    // The capture folder made and the first file chosen: an existing one is overwritten
    // only when the user says so.
    bool ReadyFile();
    void Stamp(QImage& cell, const QString& text) const;
    void Begin();
    void End();
    void Fail(const QString& text);

    Context& context_;
    Forms& forms_;
    PlaybackServices& services_;
    CutSetWindow cutSet_;
    CutOptions options_;
    QImage sheet_;
    int cells_ = 0;      // cells painted since the sheet was last saved
    QStringList labels_; // their time labels, for the log
    bool saveFailed_ = false;
    bool keepExisting_ = true; // files met on the way are skipped, not overwritten
    bool running_ = false;
    // What a capture changes of the main window, put back at its end.
    bool wasOnTop_ = false;
    bool entriesEnabled_ = false;
};

} // namespace tolvane
