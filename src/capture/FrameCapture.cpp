#include "capture/FrameCapture.h"

#include "app/Context.h"
#include "app/Messages.h"
#include "app/Text.h"
#include "capture/CaptureFiles.h"
#include "forms/Forms.h"
#include "forms/FrmMenu.h"
#include "forms/FrmVCD.h"
#include "platform/VideoControl.h"
#include "playback/MediaProcedures.h"
#include "playback/PlaybackController.h"
#include "playback/PlaybackServices.h"

#include <QDateTime>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <algorithm>

namespace tolvane {

MciWindow& FrameCapture::Video()
{
    return ActiveMciWindow(services_.MediaServices());
}

void FrameCapture::Fail(const QString& text)
{
    context_.log.LogWrite(text);
    ShowMessage(context_.platform.prompter, text, "error");
}

void FrameCapture::Begin()
{
    running_ = true;
    FrmMenu& menu = forms_.Menu();
    entriesEnabled_ = menu.mCutBmp->isEnabled();
    menu.mCutBmp->setEnabled(false);
    menu.mCutBmp1->setEnabled(false);
    // The questions of a capture must not hide behind a main window kept on top.
    FrmVCD& vcd = forms_.Vcd();
    wasOnTop_ = vcd.windowFlags().testFlag(Qt::WindowStaysOnTopHint);
    PlaybackController::StayOnTop(vcd, false);
}

void FrameCapture::End()
{
    FrmMenu& menu = forms_.Menu();
    menu.mCutBmp->setEnabled(entriesEnabled_);
    menu.mCutBmp1->setEnabled(entriesEnabled_);
    if (wasOnTop_)
        PlaybackController::StayOnTop(forms_.Vcd(), true);
    running_ = false;
}

bool FrameCapture::ReadyFile()
{
    AppState& app = context_.app;
    const DosFiles& files = context_.platform.files;
    if (!MakeFolderPath(files, app.CaptureFolder)) {
        Fail("無法建立抓圖目錄 " + app.CaptureFolder);
        return false;
    }
    app.CaptureFileName = PathJoin(app.CaptureFolder, FileNamePart(app.CaptureFileName));
    keepExisting_ = true;
    if (files.FileExists(app.CaptureFileName)) {
        keepExisting_ = ShowMessage(context_.platform.prompter, "檔案已存在,是否要覆蓋?",
                                    "yesno") != QString::number(kIdYes);
        while (keepExisting_ && files.FileExists(app.CaptureFileName))
            app.CaptureFileName = NextCaptureName(app.CaptureFileName);
    }
    return true;
}

void FrameCapture::mCutBmp1_Click()
{
    if (running_)
        return;
    const AppState& app = context_.app;
    const QString problem = CutSetWindow::Check(1, app.CaptureWidth, app.CaptureHeight, 0);
    if (!problem.isEmpty()) {
        Fail(problem);
        return;
    }
    Begin();
    sheet_ = QImage(app.CaptureWidth, app.CaptureHeight, QImage::Format_RGB32);
    sheet_.fill(Qt::black);
    cells_ = 0;
    labels_.clear();
    saveFailed_ = false;
    // A single capture is the frame alone, without a time label.
    if (ReadyFile() && !CutBmp(false, 1, 1) && !saveFailed_)
        Fail("無法取得影像畫面,請先播放影片");
    End();
}

void FrameCapture::mCutBmp_Click()
{
    if (running_)
        return;
    PlaybackState& p = context_.playback;
    AppState& app = context_.app;
    MciWindow& video = Video();
    const QSize natural = video.VideoSize();
    if (video.FileName().isEmpty() || natural.isEmpty()) {
        Fail("沒有播放中的影片可以抓圖");
        return;
    }
    Begin();
    video.Command("stop");
    p.IsPlaying = false;
    options_ = cutSet_.Ask(natural);
    const int n = options_.grid;
    if (n == 0 || !ReadyFile()) {
        End();
        return;
    }
    sheet_ = QImage(n * app.CaptureWidth, n * app.CaptureHeight, QImage::Format_RGB32);
    sheet_.fill(Qt::black);
    cells_ = 0;
    labels_.clear();
    saveFailed_ = false;
    p.UserStopped = false;
    bool grabbed = true;
    int k = 1;
    for (; k <= kMaxFrames; ++k) {
        const double noted = video.Position();
        const int track = p.TrackIndex;
        const QString file = video.FileName();
        grabbed = CutBmp(options_.timeLabel, n, k);
        if (!grabbed)
            break;
        PlayOn(video, noted);
        const double position = video.Position();
        const double length = video.Length();
        if (p.UserStopped || position <= noted || p.TrackIndex != track ||
            video.FileName() != file || (length > 0 && position >= length) || context_.Ended()) {
            ++k;
            break;
        }
    }
    // The video went away: the file released, a disc taken out.
    const bool interrupted = !grabbed || video.FileName().isEmpty();
    // What was grabbed is kept, on a sheet only partly filled if need be.
    if (!saveFailed_ && cells_ > 0)
        SaveCutBmp();
    video.Command("stop");
    p.IsPlaying = false;
    End();
    if (saveFailed_)
        return;
    const QString count = QString::number(int((k - 1) / double(n * n) + 0.9));
    if (interrupted)
        Fail("影像中斷,圖片抓取停止!,共抓取" + count + "張圖");
    else
        ShowMessage(context_.platform.prompter, "圖片抓取完畢!,共抓取" + count + "張圖", "ok");
}

void FrameCapture::PlayOn(MciWindow& video, double noted)
{
    PlaybackState& p = context_.playback;
    Clock& clock = context_.platform.clock;
    // The delay is the least wait; a step of a tenth at least keeps two grabs apart.
    const double step = std::max(options_.delay, 0.1);
    const double target = noted + step * p.TimeUnits;
    video.Command("play");
    clock.Delay(options_.delay);
    // A video that stands still gives up after two seconds more.
    const QDateTime giveUp = clock.Now().addMSecs(qint64(step * 1000) + 2000);
    while (!p.UserStopped && !context_.Ended() && video.Mode() == "playing" &&
           video.Position() < target && clock.Now() < giveUp)
        clock.Delay(0.02);
    video.Command("stop");
}

bool FrameCapture::CutBmp(bool labelled, int n, int k)
{
    MciWindow& video = Video();
    const QImage frame = video.GrabFrame();
    if (frame.isNull())
        return false;
    const AppState& app = context_.app;
    const int width = app.CaptureWidth;
    const int height = app.CaptureHeight;
    QImage cell = frame.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                      .convertToFormat(QImage::Format_RGB32);
    if (labelled) {
        labels_.append(HoursMinutesSeconds(video.Position() / context_.playback.TimeUnits));
        Stamp(cell, labels_.last());
    }
    QPainter painter(&sheet_);
    painter.drawImage((k - 1) % n * width, (k - 1) / n % n * height, cell);
    painter.end();
    ++cells_;
    if (k % (n * n) == 0)
        return SaveCutBmp();
    return true;
}

void FrameCapture::Stamp(QImage& cell, const QString& text) const
{
    QFont font = QGuiApplication::font();
    font.setPointSize(options_.fontSize);
    QPainter painter(&cell);
    painter.setFont(font);
    const QFontMetrics metrics = painter.fontMetrics();
    const QPoint at(4, cell.height() - 4 - metrics.descent());
    const QPoint under(qBound(0, at.x() + metrics.horizontalAdvance(text) / 2, cell.width() - 1),
                       qBound(0, at.y() - metrics.ascent() / 2, cell.height() - 1));
    // The picture's own colour under the label, every channel moved by half its range.
    painter.setPen(QColor::fromRgb(cell.pixel(under) ^ 0x808080u));
    painter.drawText(at, text);
}

bool FrameCapture::SaveCutBmp()
{
    AppState& app = context_.app;
    const DosFiles& files = context_.platform.files;
    const QString name = app.CaptureFileName;
    QString reason;
    if (!SaveBitmap(files, name, sheet_, reason)) {
        saveFailed_ = true;
        Fail("無法儲存抓圖檔 " + name + "\r\n" + reason);
        return false;
    }
    context_.log.LogWrite(("抓圖 " + name + " " + labels_.join(' ')).trimmed());
    labels_.clear();
    if (context_.playback.ActiveMci != 1) {
        MediaView& view = services_.Media().View();
        view.SetStatus(FileNamePart(name) + " - " + QString::number(sheet_.width()) + " x " +
                       QString::number(sheet_.height()));
        view.RelayoutLabels();
    }
    app.CaptureFileName = NextCaptureName(name);
    while (keepExisting_ && files.FileExists(app.CaptureFileName))
        app.CaptureFileName = NextCaptureName(app.CaptureFileName);
    sheet_.fill(Qt::black);
    cells_ = 0;
    return true;
}

} // namespace tolvane
