#include "playback/VideoWindow.h"

#include "app/Context.h"
#include "app/Text.h"
#include "forms/Forms.h"
#include "forms/FrmPlay.h"
#include "forms/FrmTemp.h"
#include "forms/FrmVCD.h"
#include "platform/VideoControl.h"
#include "playback/MediaProcedures.h"

#include <QGuiApplication>
#include <QScreen>

namespace tolvane {

namespace {

constexpr int kTwipsPerPixel = 15;
// The size menu's factors of the natural size; entry 4 is the whole screen.
constexpr double kFactors[] = {0.5, 1, 1.5, 2};

QString Size(int width, int height, const char* between)
{
    return QString::number(width) + between + QString::number(height);
}

} // namespace

VideoWindow::VideoWindow(Context& context, Forms& forms, MediaContext& media)
    : context_(context), forms_(forms), media_(media)
{
    forms_.Play().MCIWnd1->onMouse = [this](int button) { MCIWnd1_MouseDown(button); };
}

QSize VideoWindow::Screen() const
{
    const SkinState& skin = context_.skin;
    if (skin.ScreenWidth > 0 && skin.ScreenHeight > 0)
        return QSize(skin.ScreenWidth, skin.ScreenHeight);
    return QGuiApplication::primaryScreen()->geometry().size();
}

// The main window's width as the skin sets it.
int VideoWindow::MainWidth() const
{
    const int twips = context_.skin.WindowWidth;
    return twips > 0 ? twips / kTwipsPerPixel : forms_.Vcd().width();
}

void VideoWindow::FileOpened()
{
    AppState& app = context_.app;
    const QSize size = media_.playWnd.VideoSize();
    if (!size.isEmpty())
        natural_ = size;
    if (app.VideoWidth != Screen().width() && !natural_.isEmpty()) {
        app.VideoWidth = natural_.width();
        app.VideoHeight = natural_.height();
    }
    VCDResize();
}

void VideoWindow::mSize_Click(int index)
{
    AppState& app = context_.app;
    if (index >= 0 && index < int(std::size(kFactors))) {
        app.VideoWidth = int(RoundHalfEven(kFactors[index] * natural_.width()));
        app.VideoHeight = int(RoundHalfEven(kFactors[index] * natural_.height()));
    } else if (index == 4) {
        app.VideoWidth = Screen().width();
        app.VideoHeight = Screen().height();
    } else {
        return;
    }
    ChkVCDSize();
}

void VideoWindow::ChkVCDSize()
{
    AppState& app = context_.app;
    int& width = app.VideoWidth;
    int& height = app.VideoHeight;
    const QSize screen = Screen();
    const int room = screen.width() - MainWidth() - 8;
    context_.playback.CheckVideoSize = true;
    // Two enlargements from the natural size fill the room beside the main window.
    if (!natural_.isEmpty() && height == int(1.25 * int(1.25 * natural_.height()))) {
        const double ratio = double(height) / width;
        width = room;
        height = int(room * ratio);
    }
    if (width >= 1.25 * screen.width() && !natural_.isEmpty()) {
        width = natural_.width();
        height = natural_.height();
    }
    if (width > room) {
        width = screen.width();
        height = screen.height();
    }
    VCDResize();
    media_.view.SetStatus(Size(width, height, "X"));
}

void VideoWindow::MeasureBorder(FrmPlay& play)
{
    // The window manager's frame, once it has put one round the window.
    if (!play.isVisible() || play.isFullScreen())
        return;
    const QSize border = play.frameGeometry().size() - play.geometry().size();
    if (border.width() > 0 && border.height() > 0) {
        context_.playback.VideoExtraWidth = border.width();
        context_.playback.VideoExtraHeight = border.height();
    }
}

void VideoWindow::VCDResize()
{
    const AppState& app = context_.app;
    const PlaybackState& p = context_.playback;
    FrmPlay& play = forms_.Play();
    const QSize screen = Screen();
    const QPoint origin = QGuiApplication::primaryScreen()->geometry().topLeft();
    MeasureBorder(play);
    const int width = app.VideoWidth;
    const int height = app.VideoHeight;
    const QSize needed(width + p.VideoExtraWidth, height + p.VideoExtraHeight);
    const bool full = needed.height() >= screen.height();
    play.setWindowTitle(full ? QString()
                             : p.CurFile + " - " + Size(width, height, " X ") + " (" +
                                   Size(natural_.width(), natural_.height(), " X ") + ")");
    // Already so: nothing more. The height counts too, for a video as wide as the last
    // and of another height.
    const QSize size(width, height);
    if (play.MCIWnd1->size() == size && size == lastSize_ && screen == lastScreen_)
        return;
    QPoint at = play.pos();
    if (p.CheckVideoSize) {
        const int mainRight = forms_.Vcd().x() - origin.x() + MainWidth();
        const int top = (screen.height() - needed.height()) / 2;
        int left = (screen.width() - needed.width()) / 2;
        if (mainRight + needed.width() <= screen.width())
            left = mainRight + (screen.width() - mainRight - needed.width()) / 2;
        at = origin + QPoint(std::max(0, left), top);
    }
    play.MCIWnd1->setGeometry(0, 0, width, height);
    if (!full) {
        play.setWindowState(Qt::WindowNoState);
        play.move(at);
        play.resize(width, height);
    } else {
        // The window manager's full screen: no borders and nothing over the video.
        play.move(origin);
        play.resize(width, height);
        play.setWindowState(Qt::WindowFullScreen);
    }
    lastSize_ = size;
    lastScreen_ = screen;
}

void VideoWindow::MCIWnd1_MouseDown(int button)
{
    if (button != Qt::LeftButton)
        return;
    FrmVCD& vcd = forms_.Vcd();
    if (vcd.isVisible() && vcd.isEnabled()) {
        vcd.hide();
        forms_.Temp().showMinimized();
    } else {
        vcd.show();
        forms_.Temp().showNormal();
    }
}

void VideoWindow::DisplayChanged()
{
    AppState& app = context_.app;
    const QSize screen = Screen();
    if (lastScreen_.isEmpty() || screen == lastScreen_)
        return;
    if (app.VideoWidth == lastScreen_.width()) {
        app.VideoWidth = screen.width();
        app.VideoHeight = screen.height();
    }
    if (forms_.IsLoaded(Window::Play) && forms_.Play().isVisible())
        ChkVCDSize();
}

} // namespace tolvane
