#include "pictures/DesktopBehind.h"

#include "app/Context.h"
#include "app/Text.h"
#include "forms/Forms.h"
#include "forms/FrmColor.h"
#include "forms/FrmVCD.h"
#include "platform/Compositor.h"

#include <QEvent>
#include <QPainter>

namespace tolvane {

namespace {

// Time for the windows under the main window to draw themselves once it is hidden.
constexpr double kUncoverSeconds = 0.2;

} // namespace

void DesktopBehind::Prepare(FrmVCD& vcd)
{
    blends_ = DesktopComposites();
    if (blends_)
        vcd.setAttribute(Qt::WA_TranslucentBackground);
}

void DesktopBehind::Watch(FrmColor& colour)
{
    colour.installEventFilter(this);
}

bool DesktopBehind::eventFilter(QObject*, QEvent* event)
{
    if (event->type() == QEvent::Hide)
        Refresh();
    return false;
}

void DesktopBehind::SkinShown()
{
    FrmVCD& vcd = forms_.Vcd();
    const QString path = context_.skin.LoadedPicture;
    skin_ = QImage();
    if (ExtName(path) == "gif") {
        QByteArray bytes;
        context_.platform.files.ReadAll(path, bytes);
        QImage picture = QImage::fromData(bytes);
        if (picture.hasAlphaChannel())
            skin_ = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    }
    if (skin_.isNull() || blends_) {
        vcd.ImageDesk->hide();
        vcd.ImageDesk->clear();
        return;
    }
    Refresh();
}

void DesktopBehind::Refresh()
{
    if (skin_.isNull() || blends_ || !forms_.IsLoaded(Window::Vcd))
        return;
    FrmVCD& vcd = forms_.Vcd();
    const bool shown = vcd.isVisible();
    vcd.ImageDesk->hide();
    if (shown) {
        vcd.hide();
        context_.platform.clock.Delay(kUncoverSeconds);
    }
    const QImage behind = GrabScreenArea(QRect(vcd.pos(), skin_.size()));
    if (shown)
        vcd.show();
    if (behind.isNull())
        return;
    vcd.ImageDesk->setPixmap(QPixmap::fromImage(Compose(behind, skin_)));
    vcd.ImageDesk->setGeometry(QRect(QPoint(0, 0), skin_.size()));
    vcd.ImageDesk->lower();
    vcd.ImageDesk->show();
}

QImage DesktopBehind::Compose(const QImage& behind, const QImage& skin)
{
    QImage out(skin.size(), QImage::Format_RGB32);
    out.fill(Qt::black);
    QPainter painter(&out);
    painter.drawImage(0, 0, behind);
    painter.drawImage(0, 0, skin);
    return out;
}

} // namespace tolvane
