#include "forms/FrmVCD.h"

#include "platform/Clock.h"

#include <QCloseEvent>
#include <QMouseEvent>
#include <QPainter>

namespace tolvane {

namespace {

// The built-in layout's boxes as the window's rectangles.
constexpr QRect Rect(const LayoutBox& box)
{
    return QRect(box.x, box.y, box.w, box.h);
}

template <typename T> T* Named(T* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QLabel* TextLabel(QWidget* parent, const char* name, const QRect& rect, int points)
{
    auto* label = Named(new QLabel(parent), name);
    label->setGeometry(rect);
    QFont font = label->font();
    font.setPointSize(points);
    label->setFont(font);
    return label;
}

} // namespace

FrmVCD::FrmVCD(QWidget* parent) : QWidget(parent, Qt::FramelessWindowHint)
{
    setWindowTitle("Tolvane99");
    resize(builtin::kFaceW, builtin::kFaceH);
    auto* holder = Named(new QLabel(this), "DeskPic");
    holder->hide();
    DeskPic.append(holder);
    ImageDesk = Named(new QLabel(this), "ImageDesk");
    ImageDesk->hide();
    Image1 = Named(new QLabel(this), "Image1");
    Image1->setGeometry(Rect(builtin::kPicture));
    Image1->setScaledContents(true);
    Image1->hide();
    CreateButtons();
    CreateLabels();
    for (QFrame*& line : Line1) {
        line = Named(new QFrame(this), "Line1");
        line->setFrameShape(QFrame::HLine);
        line->setFrameShadow(QFrame::Sunken);
    }
    // The groove: a dark line over a light one.
    Line1[0]->setStyleSheet("background: rgb(20, 24, 28);");
    Line1[1]->setStyleSheet("background: rgb(150, 160, 170);");
    SelectFrame = Named(new QFrame(this), "SelectFrame");
    SelectFrame->setFrameShape(QFrame::Box);
    SelectFrame->setStyleSheet("border: 1px dashed rgb(255, 255, 0); background: transparent;");
    SelectFrame->setAttribute(Qt::WA_TransparentForMouseEvents);
    SelectFrame->hide();
    TimerBMP = Named(new QTimer(this), "TimerBMP");
    TimerBMP->setInterval(5000);
    Timer1 = Named(new QTimer(this), "Timer1");
    Timer1->setInterval(kPollMilliseconds);
    LabelScan = Named(new QLabel(this), "LabelScan");
    LabelScan->hide();
    ImageBack = Named(new QLabel(this), "ImageBack");
    ImageBack->hide();
    VcdPic = Named(new QLabel(this), "VcdPic");
    VcdPic->hide();
    PlayList = Named(new QListWidget(this), "PlayList");
    PlayList->hide();
    SongList = Named(new QListWidget(this), "SongList");
    SongList->setGeometry(Rect(builtin::kPicture));
    SongList->setFrameShape(QFrame::NoFrame);
    SongList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    SongList->setSelectionMode(QAbstractItemView::SingleSelection);
    // Lines of one height: a poll that scrolls measures no other line.
    SongList->setUniformItemSizes(true);
    SongList->hide();
}

void FrmVCD::CreateButtons()
{
    auto make = [this](QList<SkinButton*>& buttons, QList<MaskBox>& masks, const LayoutBox* boxes,
                       int count, const char* name) {
        for (int i = 0; i < count; ++i) {
            auto* button = Named(new SkinButton(i, this), name);
            button->setGeometry(Rect(boxes[i]));
            buttons.append(button);
            masks.append(MaskBox());
        }
    };
    make(PicCtl, PicCtlBak, builtin::kCtl, kCtlCount, "PicCtl");
    make(PicNum, PicNumBak, builtin::kNum, kNumCount, "PicNum");
    make(PicButton, PicButtonB, builtin::kButton, kButtonCount, "PicButton");
    for (int i = 0; i < kCtlCount; ++i)
        ImageButton1.append(Named(new QLabel(PicCtl[i]), "ImageButton1"));
    for (int i = 0; i < kButtonCount; ++i)
        ImageButton.append(Named(new QLabel(PicButton[i]), "ImageButton"));
}

void FrmVCD::CreateLabels()
{
    for (int i = 0; i < kNumCount; ++i) {
        auto* digit = Named(new QLabel(PicNum[i]), "LabNum");
        digit->setAlignment(Qt::AlignCenter);
        QFont font = digit->font();
        font.setPointSize(12);
        font.setBold(true);
        digit->setFont(font);
        LabNum.append(digit);
    }
    Label1 = TextLabel(this, "Label1", Rect(builtin::kText), 9);
    Label1->installEventFilter(this);
    for (int i = 0; i < kTimeLabelCount; ++i)
        Label2.append(TextLabel(this, "Label2", Rect(builtin::kTime[i]), i == 2 ? 12 : 9));
    for (int i = 0; i < 2; ++i) {
        const int shadow = i * builtin::kLogoShadow;
        Label3[i] = TextLabel(this, "Label3", Rect(builtin::kLogo).translated(shadow, shadow), 16);
        Label3[i]->setText("Tolvane99");
    }
    // The logo is light with a dark shadow; the time labels glow on the display.
    SetTextColour(Label3[0], QColor(236, 242, 248));
    SetTextColour(Label3[1], QColor(0, 0, 0));
    for (int i : {0, 1, 3})
        SetTextColour(Label2[i], QColor(110, 220, 255));
    Label3[0]->raise();
}

void SetTextColour(QLabel* label, const QColor& colour)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

void CentreOn(QWidget* item, const QWidget* face)
{
    item->move((face->width() - item->width()) / 2, (face->height() - item->height()) / 2);
    item->raise();
}

void FrmVCD::SetPicture(const QImage& picture)
{
    picture_ = picture.convertToFormat(QImage::Format_RGB32);
    // A window the desktop blends keeps the picture's transparent parts.
    const bool seeThrough =
        testAttribute(Qt::WA_TranslucentBackground) && picture.hasAlphaChannel();
    background_ = QPixmap::fromImage(seeThrough ? picture : picture_);
    update();
}

void FrmVCD::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, background_);
}

// The window's close runs the orderly exit; the exit itself ends the process.
bool FrmVCD::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Label1 && event->type() == QEvent::MouseButtonPress)
        Q_EMIT label1MouseDown(static_cast<QMouseEvent*>(event)->button());
    return QWidget::eventFilter(watched, event);
}

void FrmVCD::closeEvent(QCloseEvent* event)
{
    event->ignore();
    Q_EMIT queryUnload();
}

void FrmVCD::mousePressEvent(QMouseEvent* event)
{
    Q_EMIT formMouseDown(event->button(), event->position().toPoint());
}

void FrmVCD::mouseMoveEvent(QMouseEvent* event)
{
    Q_EMIT formMouseMove(event->buttons(), event->position().toPoint());
}

} // namespace tolvane
