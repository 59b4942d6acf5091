#include "ui/ControlPanel.h"

#include "app/Context.h"
#include "app/MediaMode.h"
#include "capture/FrameCapture.h"
#include "discovery/DiscDetection.h"
#include "forms/Forms.h"
#include "forms/FrmColor.h"
#include "forms/FrmMenu.h"
#include "forms/FrmTemp.h"
#include "forms/FrmVCD.h"
#include "forms/WindowPlacement.h"
#include "pictures/PictureBrowser.h"
#include "platform/VideoControl.h"
#include "playback/MediaProcedures.h"
#include "playback/PlaybackController.h"
#include "playback/PlaybackServices.h"
#include "playback/SpeedSeek.h"
#include "playback/VideoWindow.h"
#include "playback/VolumeControl.h"
#include "skins/ButtonAdjust.h"
#include "skins/ButtonColour.h"
#include "skins/ButtonFaces.h"
#include "ui/MenuActions.h"
#include "ui/NumberPad.h"

#include <QCursor>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <algorithm>

namespace tolvane {

namespace {

constexpr int kTrack = int(PanelAction::Track);
constexpr int kHide = int(PanelAction::Hide);
constexpr int kKnob = int(PanelAction::Knob);

// Mouse events arrive as a skin button's signals; `Handler` takes them with the index.
template <typename Handler>
void ConnectGroup(const QList<SkinButton*>& group, ControlPanel* panel, Handler down, Handler up)
{
    for (SkinButton* button : group) {
        QObject::connect(
            button, &SkinButton::mouseDown, panel,
            [panel, down](int i, Qt::MouseButton b, QPoint p) { (panel->*down)(i, b, p); });
        QObject::connect(
            button, &SkinButton::mouseUp, panel,
            [panel, up](int i, Qt::MouseButton b, QPoint p) { (panel->*up)(i, b, p); });
    }
}

} // namespace

ControlPanel::ControlPanel(const Actions& actions, FrmVCD& vcd)
    : QObject(&vcd), context_(actions.context), forms_(actions.forms), services_(actions.services),
      controller_(actions.controller), speed_(actions.speed), detection_(actions.detection),
      menus_(actions.menus), pad_(actions.pad), faces_(actions.faces), capture_(actions.capture),
      colours_(actions.colours), browser_(actions.browser), vcd_(vcd),
      editing_(forms_, faces_, colours_, vcd)
{
    SetToolTips(vcd_);
    Connect();
}

void ControlPanel::SetToolTips(FrmVCD& vcd)
{
    static const char* const kControl[] = {
        "播放",
        "停止",
        "左鍵後退,右鍵前進後退時間設定選單",
        "左鍵關小音量,右鍵音量選單",
        "左鍵加大音量,右鍵音量選單",
        "左鍵前進,右鍵(前進/後退)時間設定選單",
        "連續抓圖",
        "退片/進片",
        "退出本軟體",
        "左鍵按住拖曳時間游標,放開後移動生效",
        "左鍵上一首,右鍵播放速度選單",
        "左鍵下一首,右鍵播放速度選單",
        "隱藏面版",
        "時間游標",
    };
    static const char* const kFunction[] = {
        "左鍵開啟光碟,右鍵播放選單",
        "左鍵放大撥放視窗,右鍵撥放視窗選單",
        "左鍵更換面版,右鍵面板快速選單",
        "左鍵設定參數",
    };
    for (int i = 0; i < vcd.PicCtl.size() && i < int(std::size(kControl)); ++i)
        vcd.PicCtl[i]->setToolTip(QString::fromUtf8(kControl[i]));
    for (int i = 0; i < vcd.PicButton.size() && i < int(std::size(kFunction)); ++i)
        vcd.PicButton[i]->setToolTip(QString::fromUtf8(kFunction[i]));
}

void ControlPanel::Connect()
{
    using Handler = void (ControlPanel::*)(int, Qt::MouseButton, QPoint);
    ConnectGroup<Handler>(vcd_.PicCtl, this, &ControlPanel::PicCtl_MouseDown,
                          &ControlPanel::PicCtl_MouseUp);
    ConnectGroup<Handler>(vcd_.PicButton, this, &ControlPanel::PicButton_MouseDown,
                          &ControlPanel::PicButton_MouseUp);
    ConnectGroup<Handler>(vcd_.PicNum, this, &ControlPanel::PicNum_MouseDown,
                          &ControlPanel::PicNum_MouseUp);
    for (SkinButton* button : std::as_const(vcd_.PicCtl))
        connect(button, &SkinButton::mouseMove, this, &ControlPanel::PicCtl_MouseMove);
    // Every button can be laid out anew while the colour window is open.
    for (SkinButton* button : vcd_.PicCtl + vcd_.PicButton + vcd_.PicNum) {
        connect(button, &SkinButton::mouseDown, this, [this](int, Qt::MouseButton b, QPoint p) {
            if (b == Qt::LeftButton)
                editing_.MouseDown(p);
        });
        connect(button, &SkinButton::mouseMove, this,
                [this, button](int, Qt::MouseButtons held, QPoint p) {
                    editing_.MouseMove(*button, held, p);
                });
    }
    for (QLabel* label : std::as_const(vcd_.LabNum))
        label->installEventFilter(this);
    connect(&vcd_, &FrmVCD::formMouseDown, this, &ControlPanel::Form_MouseDown);
    connect(&vcd_, &FrmVCD::formMouseMove, this, &ControlPanel::Form_MouseMove);
}

bool ControlPanel::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease)
        return false;
    const int index = int(vcd_.LabNum.indexOf(qobject_cast<QLabel*>(watched)));
    if (index < 0)
        return false;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const Qt::MouseButton button = mouse->button();
    // A key dragged by its digit is grabbed where the digit was pressed.
    if (type == QEvent::MouseButtonPress && button == Qt::LeftButton)
        editing_.MouseDown(vcd_.LabNum[index]->mapToParent(mouse->position()));
    if (type == QEvent::MouseButtonPress)
        LabNum_MouseDown(index, button);
    else
        LabNum_MouseUp(index, button);
    return true;
}

// ---- the pressed look

void ControlPanel::ButtonDown(SkinButton& face)
{
    QImage darker = face.Face();
    QPainter painter(&darker);
    painter.fillRect(darker.rect(), QColor(0, 0, 0, 48));
    painter.end();
    face.SetFace(darker);
}

void ControlPanel::ButtonDown1(SkinButton& face, QLabel& item)
{
    const PlaybackState& p = context_.playback;
    const QImage current = face.Face();
    QImage pressed(current.size(), current.format());
    pressed.fill(Qt::black);
    QPainter painter(&pressed);
    painter.drawImage(p.PressOffsetX, p.PressOffsetY, current);
    painter.end();
    face.SetFace(pressed);
    item.move(item.pos() + QPoint(1, 1));
}

void ControlPanel::Press(SkinButton& face, QLabel& item)
{
    vcd_.PictBack = face.Face();
    ButtonDown1(face, item);
}

void ControlPanel::Release(SkinButton& face, QLabel& item)
{
    if (!vcd_.PictBack.isNull())
        face.SetFace(vcd_.PictBack);
    face.update();
    item.adjustSize();
    CentreOn(&item, &face);
    context_.platform.clock.DoEvents();
}

// ---- the button colour window

bool ControlPanel::ColourWindowOpen() const
{
    return forms_.IsLoaded(Window::Color) && forms_.Color().isVisible();
}

void ControlPanel::BindColourWindow(SkinButton& face, MaskBox& mask)
{
    colours_.Select(&face, &mask);
}

// ---- control panel

void ControlPanel::PicCtl_MouseDown(int index, Qt::MouseButton button, QPoint pos)
{
    SkinButton& face = *vcd_.PicCtl[index];
    if (button == Qt::LeftButton) {
        if (ColourWindowOpen()) {
            BindColourWindow(face, vcd_.PicCtlBak[index]);
            return;
        }
        Press(face, *vcd_.ImageButton1[index]);
        if (index == kTrack) {
            context_.playback.ButtonHeld = true;
            trackPressX_ = pos.x();
            knobStartX_ = vcd_.PicCtl[kKnob]->x();
        }
        return;
    }
    const QPoint at = face.mapToGlobal(pos);
    FrmMenu& menu = forms_.Menu();
    switch (PanelAction(index)) {
    case PanelAction::Play:
        menu.mList->popup(at);
        break;
    case PanelAction::Back:
    case PanelAction::Forward:
        menu.mSeekM->popup(at);
        break;
    case PanelAction::Quieter:
    case PanelAction::Louder:
        services_.Volume().OpenVolumeMenu(at);
        break;
    case PanelAction::Previous:
    case PanelAction::Next:
        menu.mSpeed->popup(at);
        break;
    default:
        break;
    }
}

void ControlPanel::PicCtl_MouseMove(int index, Qt::MouseButtons buttons, QPoint pos)
{
    if (index == kTrack && context_.playback.ButtonHeld && (buttons & Qt::LeftButton))
        DragKnob(pos);
}

void ControlPanel::DragKnob(QPoint pos)
{
    SkinButton* track = vcd_.PicCtl[kTrack];
    SkinButton* knob = vcd_.PicCtl[kKnob];
    int left = knobStartX_ + pos.x() - trackPressX_;
    const int last = track->x() + track->width() - knob->width();
    if (left <= track->x() + 2)
        left = track->x();
    if (left >= last)
        left = last;
    knob->move(left, knob->y());
    faces_.AdjLine();
    const int span = track->width() - knob->width();
    if (span > 0)
        speed_.ChkSeekTime(double(left - track->x()) / span);
}

void ControlPanel::PicCtl_MouseUp(int index, Qt::MouseButton button, QPoint)
{
    PlaybackState& p = context_.playback;
    p.ButtonHeld = false;
    if (button != Qt::LeftButton)
        return;
    if (ColourWindowOpen()) {
        ButtonAdj(vcd_, forms_.Color(), true);
        return;
    }
    Release(*vcd_.PicCtl[index], *vcd_.ImageButton1[index]);
    Act(PanelAction(index));
}

void ControlPanel::Act(PanelAction action)
{
    if (action == PanelAction::Exit) {
        Q_EMIT closeRequested();
        return;
    }
    PlaybackState& p = context_.playback;
    p.TimeBusy = true;
    ControlAction(int(action));
    p.TimeBusy = false;
}

void ControlPanel::SeekTo(double fraction)
{
    speed_.ChkSeekTime(std::clamp(fraction, 0.0, 1.0));
    Act(PanelAction::Track);
}

void ControlPanel::ControlAction(int index)
{
    if (index == kTrack)
        speed_.ChkSeek();
    else if (index == int(PanelAction::Capture))
        CaptureFrames();
    else if (index == kHide)
        HidePanel();
    else
        controller_.ChkCD(PanelAction(index));
}

void ControlPanel::CaptureFrames()
{
    // As its menu entry: only once a video has started, never while a disc is classified.
    if (forms_.Menu().mCutBmp->isEnabled())
        capture_.mCutBmp_Click();
}

void ControlPanel::HidePanel()
{
    // A Video CD playing in the picture area keeps the panel.
    if (context_.playback.PlayMode == MediaMode::Vcd && !vcd_.Image1->isHidden())
        return;
    vcd_.hide();
    forms_.Temp().showMinimized();
}

// ---- function buttons

void ControlPanel::PicButton_MouseDown(int index, Qt::MouseButton button, QPoint pos)
{
    SkinButton& face = *vcd_.PicButton[index];
    if (button == Qt::LeftButton) {
        if (ColourWindowOpen())
            BindColourWindow(face, vcd_.PicButtonB[index]);
        else
            Press(face, *vcd_.ImageButton[index]);
        return;
    }
    if (button == Qt::RightButton && index != 3)
        menus_.ChkMenu(index, face.mapToGlobal(pos));
}

void ControlPanel::PicButton_MouseUp(int index, Qt::MouseButton button, QPoint)
{
    if (button != Qt::LeftButton)
        return;
    SkinButton& face = *vcd_.PicButton[index];
    if (ColourWindowOpen()) {
        BindColourWindow(face, vcd_.PicButtonB[index]);
        return;
    }
    Release(face, *vcd_.ImageButton[index]);
    vcd_.Label1->clear();
    FunctionAction(index);
}

void ControlPanel::FunctionAction(int index)
{
    switch (index) {
    case 0:
        detection_.CheckCdrom(true);
        break;
    case 1:
        EnlargeVideo();
        break;
    case 2:
        browser_.SeleDesk();
        break;
    case 3:
        OpenSettings();
        break;
    case 4:
        OpenColourWindow();
        break;
    default:
        break;
    }
}

void ControlPanel::EnlargeVideo()
{
    AppState& app = context_.app;
    app.VideoWidth = int(app.VideoWidth * 1.25);
    app.VideoHeight = int(app.VideoHeight * 1.25);
    services_.Video().ChkVCDSize();
}

void ControlPanel::OpenSettings()
{
    menus_.mTool_Click();
}

void ControlPanel::OpenColourWindow()
{
    ActiveMciWindow(services_.MediaServices()).Command("Stop");
    FrmColor& color = forms_.Color();
    // Placed at the size it shows with: a window never shown has not taken it yet.
    if (!color.isVisible() && !color.testAttribute(Qt::WA_Resized))
        color.adjustSize();
    PlaceBeside(color, vcd_);
    color.show();
    color.raise();
    SkinButton* track = vcd_.PicCtl[kTrack];
    SkinButton* knob = vcd_.PicCtl[kKnob];
    knob->move(track->x(), knob->y());
    faces_.AdjLine();
    vcd_.Label1->setText("-----訊息視窗-----");
    vcd_.Label2[0]->setText("00:00:00");
    vcd_.Label2[1]->setText("99:99:99");
    vcd_.Label2[2]->setText("<XX>");
}

// ---- number pad

void ControlPanel::PicNum_MouseDown(int index, Qt::MouseButton button, QPoint)
{
    // The keys are laid out, not pressed, while the colour window is open.
    if (!vcd_.LabNum[index]->isEnabled() || ColourWindowOpen())
        return;
    if (button == Qt::LeftButton) {
        SkinButton& face = *vcd_.PicNum[index];
        vcd_.PictBack = face.Face();
        ButtonDown(face);
        ButtonDown1(face, *vcd_.LabNum[index]);
    } else if (button == Qt::RightButton) {
        // A click forwarded from the key's label carries no position of its own.
        menus_.ChkMp3Menu(index, true, QCursor::pos());
    }
}

void ControlPanel::PicNum_MouseUp(int index, Qt::MouseButton button, QPoint)
{
    if (button != Qt::LeftButton || !vcd_.LabNum[index]->isEnabled() || ColourWindowOpen())
        return;
    Release(*vcd_.PicNum[index], *vcd_.LabNum[index]);
    NumberPad& pad = pad_;
    if (index == vcd_.PicNum.size() - 1)
        pad.ChkLab(false);
    else
        controller_.PlayCd(pad.KeyNumber(index));
}

void ControlPanel::LabNum_MouseDown(int index, Qt::MouseButton button)
{
    PicNum_MouseDown(index, button, QPoint(0, 0));
}

void ControlPanel::LabNum_MouseUp(int index, Qt::MouseButton button)
{
    PicNum_MouseUp(index, button, QPoint(0, 0));
}

// ---- window dragging

void ControlPanel::Form_MouseDown(Qt::MouseButton button, QPoint pos)
{
    if (button == Qt::LeftButton)
        dragOrigin_ = pos;
}

void ControlPanel::Form_MouseMove(Qt::MouseButtons buttons, QPoint pos)
{
    if (buttons & Qt::LeftButton)
        vcd_.move(vcd_.pos() + pos - dragOrigin_);
}

} // namespace tolvane
