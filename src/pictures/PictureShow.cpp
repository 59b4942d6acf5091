#include "pictures/PictureShow.h"

#include "app/Context.h"
#include "app/MediaMode.h"
#include "app/Text.h"
#include "forms/BuiltInLayout.h"
#include "forms/Forms.h"
#include "forms/FrmSet.h"
#include "forms/FrmVCD.h"
#include "pictures/PictureReading.h"
#include "platform/VideoControl.h"

#include <QFile>
#include <QPainter>

namespace tolvane {

const QString& PictureShow::Current() const
{
    return context_.app.BackgroundPicture;
}

bool PictureShow::On() const
{
    return context_.app.BackgroundPictures;
}

bool PictureShow::LyricsLead() const
{
    return forms_.Set().Option3[0]->isChecked();
}

bool PictureShow::MtvMode() const
{
    return forms_.Set().Check6->isChecked();
}

void PictureShow::ReadFolder()
{
    AppState& app = context_.app;
    const DosFiles& files = context_.platform.files;
    FileListBox& list = forms_.Vcd().FileBMP;
    list.Path = app.BackgroundFolder;
    list.Pattern = PictureReading::Patterns();
    list.List.clear();
    list.ListIndex = -1;
    unreadable_.clear();
    picture_ = QImage();
    loaded_.clear();
    folderGoneLogged_ = false;
    app.BackgroundPicture.clear();
    if (list.Path.isEmpty() || !files.FolderExists(list.Path))
        return;
    list.Refresh(files);
    if (!list.List.isEmpty()) {
        list.ListIndex = 0;
        app.BackgroundPicture = PathJoin(list.Path, list.List[0]);
    }
}

QImage PictureShow::Load(const QString& path) const
{
    QFile file;
    if (!context_.platform.files.Open(path, file, QIODevice::ReadOnly))
        return QImage();
    QSize area = forms_.Vcd().Image1->size();
    if (area.isEmpty())
        area = QSize(builtin::kPicture.w, builtin::kPicture.h);
    return PictureReading::ReadFitted(file, area, PictureReading::Use::Show);
}

bool PictureShow::Next()
{
    FileListBox& list = forms_.Vcd().FileBMP;
    const int count = int(list.List.size());
    if (count == 0)
        return false;
    if (!context_.platform.files.FolderExists(list.Path)) {
        if (!folderGoneLogged_)
            context_.log.LogWrite("背景圖片目錄不見了:" + list.Path);
        folderGoneLogged_ = true;
        return false;
    }
    int decoded = 0;
    for (int step = 0; step < count && decoded < kTriesPerChange; ++step) {
        list.ListIndex = (list.ListIndex + 1) % count;
        const QString path = PathJoin(list.Path, list.List[list.ListIndex]);
        if (unreadable_.contains(path))
            continue;
        ++decoded;
        QImage picture = Load(path);
        if (picture.isNull()) {
            unreadable_.insert(path);
            continue;
        }
        picture_ = picture;
        loaded_ = path;
        context_.app.BackgroundPicture = path;
        return true;
    }
    return false;
}

void PictureShow::ShowCurrent()
{
    const QString& current = context_.app.BackgroundPicture;
    if (!On() || current.isEmpty())
        return;
    if (loaded_ != current) {
        picture_ = Load(current);
        loaded_ = current;
        if (picture_.isNull()) {
            unreadable_.insert(current);
            if (!Next())
                return;
        }
    }
    FrmVCD& vcd = forms_.Vcd();
    QLabel* area = vcd.Image1;
    QFont font = vcd.Label1->font();
    area->setPixmap(
        QPixmap::fromImage(Compose(picture_, area->size(), MtvMode() ? line_ : QString(), font)));
    // Video in the picture area and the whole lyrics over it keep their place.
    const MediaMode mode = context_.playback.PlayMode;
    const bool music = mode == MediaMode::Mp3 || mode == MediaMode::CdAudio;
    if (music && context_.skin.PictureVisible && vcd.SongList->isHidden() &&
        vcd.MCIWnd1->isHidden())
        area->show();
}

void PictureShow::SetTimer(bool noLyrics)
{
    wanted_ = noLyrics;
    line_.clear();
    QTimer* timer = forms_.Vcd().TimerBMP;
    // An interval of 0 means the show is off.
    if (noLyrics && On() && timer->interval() > 0) {
        timer->start();
        ShowCurrent();
    } else {
        timer->stop();
    }
}

void PictureShow::TimerBMP_Timer()
{
    if (!On()) {
        forms_.Vcd().TimerBMP->stop();
        return;
    }
    if (Next())
        ShowCurrent();
}

void PictureShow::LyricsLine(const QString& text)
{
    if (line_ == text)
        return;
    line_ = text;
    if (!On() || text.isEmpty())
        return;
    if (LyricsLead())
        Next();
    ShowCurrent();
}

void PictureShow::SettingsChanged()
{
    if (forms_.Vcd().FileBMP.Path != context_.app.BackgroundFolder)
        ReadFolder();
    QTimer* timer = forms_.Vcd().TimerBMP;
    if (On() && wanted_ && timer->interval() > 0)
        timer->start();
    else
        timer->stop();
    ShowCurrent();
}

QImage PictureShow::Compose(const QImage& picture, QSize size, const QString& line,
                            const QFont& font)
{
    if (size.isEmpty())
        return QImage();
    QImage out(size, QImage::Format_RGB32);
    out.fill(Qt::black);
    QPainter painter(&out);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QSize fitted = PictureReading::FitInside(picture.size(), size);
    if (!fitted.isEmpty()) {
        const QRect target(
            QPoint((size.width() - fitted.width()) / 2, (size.height() - fitted.height()) / 2),
            fitted);
        painter.drawImage(target, picture);
    }
    if (!line.isEmpty()) {
        QFont large = font;
        large.setPixelSize(qMax(12, size.height() / 9));
        large.setBold(true);
        painter.setFont(large);
        const QRect room(6, 4, size.width() - 12, size.height() - 10);
        const int flags = Qt::AlignHCenter | Qt::AlignBottom | Qt::TextWordWrap;
        // A dark rim keeps the letters readable over any picture.
        painter.setPen(QColor(0, 0, 0));
        for (int dx = -2; dx <= 2; dx += 2)
            for (int dy = -2; dy <= 2; dy += 2)
                if (dx != 0 || dy != 0)
                    painter.drawText(room.translated(dx, dy), flags, line);
        painter.setPen(QColor(255, 255, 255));
        painter.drawText(room, flags, line);
    }
    return out;
}

} // namespace tolvane
