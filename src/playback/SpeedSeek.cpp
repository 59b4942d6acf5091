#include "playback/SpeedSeek.h"

#include "app/Messages.h"
#include "app/Player.h"
#include "app/Text.h"
#include "platform/VideoControl.h"
#include "playback/MediaProcedures.h"
#include "ui/FrmMenu.h"
#include "ui/FrmVCD.h"

#include <cmath>

namespace tolvane {

namespace {

constexpr const char* kSlowEnough = "喂!已經夠慢了吧?";
constexpr int kFastest = 2250;

} // namespace

MciWindow& SpeedSeek::Active()
{
    return ActiveMciWindow(media_);
}

void SpeedSeek::ChkSeekNum(double unitsPerSecond)
{
    PlaybackState& p = media_.playback;
    p.SeekStep = 0;
    QString caption;
    for (QAction* entry : player_.Menu().mSeek) {
        if (entry->isChecked())
            caption = entry->text();
    }
    const double number = LenientNumber(caption);
    if (caption.contains("Min"))
        p.SeekStep = number * 60;
    else if (caption.contains("Sec"))
        p.SeekStep = number;
    else if (caption.contains("Frame") && unitsPerSecond != 0)
        p.SeekStep = number / unitsPerSecond;
    if (p.MediaKind == "MP3")
        p.SeekStep *= 100;
}

void SpeedSeek::ChkSeekTime(double fraction)
{
    PlaybackState& p = media_.playback;
    QLabel* elapsed = player_.Vcd().Label2[0];
    if (p.PlayMode == "CDAudio") {
        p.SeekTarget = p.PlayLen * fraction;
        elapsed->setText(HoursMinutesSeconds(p.SeekTarget * 60));
    } else if (p.PlayMode == "VCD") {
        p.SeekTarget = Active().Length() * fraction;
        elapsed->setText(HoursMinutesSeconds(p.SeekTarget / p.TimeUnits));
    } else if (p.PlayMode == "MP3") {
        p.SeekTarget = Active().Length() * fraction;
        elapsed->setText(HoursMinutesSeconds(p.SeekTarget / 10 / 100 * 60));
    }
}

void SpeedSeek::ChkSeek()
{
    PlaybackState& p = media_.playback;
    if (p.PlayMode == "CDAudio") {
        MediaProcedures(media_).ChkSeek();
        return; // it runs the poll itself
    }
    MciWindow& control = Active();
    if (p.PlayMode == "VCD") {
        control.SetPosition(p.SeekTarget);
        media_.clock.DoEvents();
        if (p.IsPlaying)
            control.Command("play");
    } else if (p.PlayMode == "MP3") {
        control.Command("Stop");
        media_.clock.DoEvents();
        control.SetPosition(p.SeekTarget);
        media_.clock.DoEvents();
        if (p.IsPlaying)
            control.Command("play");
    }
    media_.view.ShowTime();
}

void SpeedSeek::ShowSpeed(const QString& lead)
{
    const int percent = media_.playback.PlaySpeed / 10;
    media_.view.SetStatus(lead + QString::number(percent) + "%");
}

void SpeedSeek::Faster()
{
    PlaybackState& p = media_.playback;
    MciWindow& control = Active();
    if (control.Speed() >= kFastest) {
        media_.view.SetStatus("播放速度已到極限!");
        media_.prompter.Beep();
        return;
    }
    control.SetSpeed((p.PlaySpeed + 250) / 250 * 250);
    media_.clock.Delay(0.1);
    p.PlaySpeed = control.Speed();
    ShowSpeed("播放速度");
}

void SpeedSeek::Slower()
{
    PlaybackState& p = media_.playback;
    MciWindow& control = Active();
    const int speed = control.Speed();
    if (speed > 100) {
        control.SetSpeed(speed > 250 ? p.PlaySpeed - 250 : 100);
        p.PlaySpeed = control.Speed();
        ShowSpeed("播放速度");
    } else if (speed > 50) {
        if (player_.Vcd().Label1->text() == kSlowEnough) {
            control.SetSpeed(50);
            p.PlaySpeed = control.Speed();
            ShowSpeed("真不死心!好吧?\n播放速度降為");
        } else {
            media_.view.SetStatus(kSlowEnough);
            media_.prompter.Beep();
        }
    } else {
        ShowMessage(media_.prompter, TooSlowText(p.PlayLen), "error");
    }
}

QString SpeedSeek::TooSlowText(double lengthSeconds)
{
    const double seconds = lengthSeconds / 0.05;
    return "喂!喂!喂!#@$%!*&" + QString(19, ' ') + "\r\n你知道這種速度要看多久嗎?\r\n總共須要" +
           QString::number(static_cast<long long>(std::floor(seconds))) + "秒 (" +
           QString::number(static_cast<long long>(std::floor(seconds / 3600))) + "多小時)";
}

void SpeedSeek::mSpeed1_Click(int index)
{
    FrmMenu& menu = player_.Menu();
    if (index < 0 || index >= menu.mSpeed1.size())
        return;
    if (menu.SpeedEntry >= 0 && menu.SpeedEntry < menu.mSpeed1.size())
        menu.mSpeed1[menu.SpeedEntry]->setChecked(false);
    menu.SpeedEntry = index;
    const int speed = int(LenientNumber(menu.mSpeed1[index]->text()) * 10);
    media_.playWnd.SetSpeed(speed);
    media_.mainWnd.SetSpeed(speed);
    menu.mSpeed1[index]->setChecked(true);
}

void SpeedSeek::mSeek_Click(int index)
{
    const QList<QAction*>& entries = player_.Menu().mSeek;
    for (QAction* entry : entries)
        entry->setChecked(false);
    if (index >= 0 && index < entries.size())
        entries[index]->setChecked(true);
}

} // namespace tolvane
