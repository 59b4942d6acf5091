#include "playback/SpeedSeek.h"

#include "app/Context.h"
#include "app/Messages.h"
#include "app/Text.h"
#include "forms/Forms.h"
#include "forms/FrmMenu.h"
#include "forms/FrmVCD.h"
#include "platform/VideoControl.h"
#include "playback/MediaProcedures.h"
#include "playback/PlaybackServices.h"

#include <cmath>

namespace tolvane {

namespace {

constexpr const char* kSlowEnough = "喂!已經夠慢了吧?";
constexpr int kFastest = 2250;

} // namespace

MediaContext& SpeedSeek::Media()
{
    return services_.MediaServices();
}

MciWindow& SpeedSeek::Active()
{
    return ActiveMciWindow(Media());
}

void SpeedSeek::ChkSeekNum(double unitsPerSecond)
{
    PlaybackState& p = Media().playback;
    p.SeekStep = 0;
    QString caption;
    for (QAction* entry : forms_.Menu().mSeek) {
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
    PlaybackState& p = Media().playback;
    QLabel* elapsed = forms_.Vcd().Label2[0];
    if (p.PlayMode == MediaMode::CdAudio) {
        p.SeekTarget = p.PlayLen * fraction;
        elapsed->setText(HoursMinutesSeconds(p.SeekTarget * 60));
    } else if (p.PlayMode == MediaMode::Vcd) {
        p.SeekTarget = Active().Length() * fraction;
        elapsed->setText(HoursMinutesSeconds(p.SeekTarget / p.TimeUnits));
    } else if (p.PlayMode == MediaMode::Mp3) {
        p.SeekTarget = Active().Length() * fraction;
        elapsed->setText(HoursMinutesSeconds(p.SeekTarget / 10 / 100 * 60));
    }
}

void SpeedSeek::ChkSeek()
{
    PlaybackState& p = Media().playback;
    if (p.PlayMode == MediaMode::CdAudio) {
        services_.Media().ChkSeek();
        return; // it runs the poll itself
    }
    MciWindow& control = Active();
    if (p.PlayMode == MediaMode::Vcd) {
        control.SetPosition(p.SeekTarget);
        Media().clock.DoEvents();
        if (p.IsPlaying)
            control.Command("play");
    } else if (p.PlayMode == MediaMode::Mp3) {
        control.Command("Stop");
        Media().clock.DoEvents();
        control.SetPosition(p.SeekTarget);
        Media().clock.DoEvents();
        if (p.IsPlaying)
            control.Command("play");
    }
    Media().view.ShowTime();
}

void SpeedSeek::ShowSpeed(const QString& lead)
{
    const int percent = Media().playback.PlaySpeed / 10;
    Media().view.SetStatus(lead + QString::number(percent) + "%");
}

void SpeedSeek::Faster()
{
    PlaybackState& p = Media().playback;
    MciWindow& control = Active();
    if (control.Speed() >= kFastest) {
        Media().view.SetStatus("播放速度已到極限!");
        Media().prompter.Beep();
        return;
    }
    control.SetSpeed((p.PlaySpeed + 250) / 250 * 250);
    Media().clock.Delay(0.1);
    p.PlaySpeed = control.Speed();
    ShowSpeed("播放速度");
}

void SpeedSeek::Slower()
{
    PlaybackState& p = Media().playback;
    MciWindow& control = Active();
    const int speed = control.Speed();
    if (speed > 100) {
        control.SetSpeed(speed > 250 ? p.PlaySpeed - 250 : 100);
        p.PlaySpeed = control.Speed();
        ShowSpeed("播放速度");
    } else if (speed > 50) {
        if (forms_.Vcd().Label1->text() == kSlowEnough) {
            control.SetSpeed(50);
            p.PlaySpeed = control.Speed();
            ShowSpeed("真不死心!好吧?\n播放速度降為");
        } else {
            Media().view.SetStatus(kSlowEnough);
            Media().prompter.Beep();
        }
    } else {
        ShowMessage(Media().prompter, TooSlowText(p.PlayLen), "error");
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
    FrmMenu& menu = forms_.Menu();
    if (index < 0 || index >= menu.mSpeed1.size())
        return;
    if (menu.SpeedEntry >= 0 && menu.SpeedEntry < menu.mSpeed1.size())
        menu.mSpeed1[menu.SpeedEntry]->setChecked(false);
    menu.SpeedEntry = index;
    const int speed = int(LenientNumber(menu.mSpeed1[index]->text()) * 10);
    Media().playWnd.SetSpeed(speed);
    Media().mainWnd.SetSpeed(speed);
    menu.mSpeed1[index]->setChecked(true);
}

void SpeedSeek::mSeek_Click(int index)
{
    const QList<QAction*>& entries = forms_.Menu().mSeek;
    for (QAction* entry : entries)
        entry->setChecked(false);
    if (index >= 0 && index < entries.size())
        entries[index]->setChecked(true);
}

} // namespace tolvane
