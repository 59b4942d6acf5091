#pragma once

#include "app/MediaMode.h"
#include "ui/LayoutEditing.h"

#include <QObject>
#include <QPoint>

class QLabel;

namespace tolvane {

class ButtonColour;
class ButtonFaces;
class Context;
class DiscDetection;
class Forms;
class FrameCapture;
class FrmVCD;
class MenuActions;
class NumberPad;
class PictureBrowser;
class PlaybackController;
class PlaybackServices;
class SpeedSeek;
class SkinButton;
struct MaskBox;

// The mouse on the main window: the control panel, the function buttons, the number
// pad with its labels, the time cursor and the dragging of the borderless window.
// Lives as long as the main window, whose child it is.
class ControlPanel : public QObject
{
    Q_OBJECT
public:
    // What the panel's buttons act on.
    struct Actions
    {
        Context& context;
        Forms& forms;
        PlaybackServices& services;
        PlaybackController& controller;
        SpeedSeek& speed;
        DiscDetection& detection;
        MenuActions& menus;
        NumberPad& pad;
        ButtonFaces& faces;
        FrameCapture& capture;
        ButtonColour& colours;
        PictureBrowser& browser;
    };

    ControlPanel(const Actions& actions, FrmVCD& vcd);

    // The tool tips of the control panel and the function buttons.
    static void SetToolTips(FrmVCD& vcd);

    // What a left release on the control panel's button of `action` does, without the
    // pressed look: the media keys act through here.
    void Act(PanelAction action);
    // The time cursor let go at `fraction` (0 to 1) of its track.
    void SeekTo(double fraction);

    void PicCtl_MouseDown(int index, Qt::MouseButton button, QPoint pos);
    void PicCtl_MouseMove(int index, Qt::MouseButtons buttons, QPoint pos);
    void PicCtl_MouseUp(int index, Qt::MouseButton button, QPoint pos);
    void PicButton_MouseDown(int index, Qt::MouseButton button, QPoint pos);
    void PicButton_MouseUp(int index, Qt::MouseButton button, QPoint pos);
    void PicNum_MouseDown(int index, Qt::MouseButton button, QPoint pos);
    void PicNum_MouseUp(int index, Qt::MouseButton button, QPoint pos);
    void LabNum_MouseDown(int index, Qt::MouseButton button);
    void LabNum_MouseUp(int index, Qt::MouseButton button);
    void Form_MouseDown(Qt::MouseButton button, QPoint pos);
    void Form_MouseMove(Qt::MouseButtons buttons, QPoint pos);

    // The pressed look: the number pad's darker face, then the face and its item
    // shifted; Release puts the saved face back and centres the item again.
    void ButtonDown(SkinButton& face);
    void ButtonDown1(SkinButton& face, QLabel& item);
    void Release(SkinButton& face, QLabel& item);

Q_SIGNALS:
    // The exit button: the orderly exit of the whole player.
    void closeRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Connect();
    void Press(SkinButton& face, QLabel& item);
    bool ColourWindowOpen() const;
    void BindColourWindow(SkinButton& face, MaskBox& mask);
    void ControlAction(int index);
    void FunctionAction(int index);
    void CaptureFrames();
    void HidePanel();
    void EnlargeVideo();
    void OpenSettings();
    void OpenColourWindow();
    void DragKnob(QPoint pos);

    Context& context_;
    Forms& forms_;
    PlaybackServices& services_;
    PlaybackController& controller_;
    SpeedSeek& speed_;
    DiscDetection& detection_;
    MenuActions& menus_;
    NumberPad& pad_;
    ButtonFaces& faces_;
    FrameCapture& capture_;
    ButtonColour& colours_;
    PictureBrowser& browser_;
    FrmVCD& vcd_;
    LayoutEditing editing_;
    QPoint dragOrigin_;
    int trackPressX_ = 0; // where the time-cursor track was pressed
    int knobStartX_ = 0;  // the knob's left edge at that press
};

} // namespace tolvane
