#include "forms/FrmVCD.h"

#include <QCloseEvent>
#include <QMouseEvent>
#include <QPainter>

namespace tolvane {

namespace {

// The window's built-in layout, made for the default skin: left, top, width, height.
constexpr QRect kCtl[FrmVCD::kCtlCount] = {
    {447, 106, 50, 24}, {447, 136, 50, 24}, {390, 136, 50, 24}, {390, 166, 50, 24},
    {504, 166, 50, 24}, {504, 136, 50, 24}, {504, 310, 50, 24}, {447, 166, 50, 24},
    {538, 11, 18, 16},  {22, 326, 352, 14}, {390, 106, 50, 24}, {504, 106, 50, 24},
    {514, 11, 18, 16},  {22, 326, 24, 14}};
constexpr QRect kNum[FrmVCD::kNumCount] = {
    {390, 210, 30, 20}, {423, 210, 30, 20}, {456, 210, 30, 20}, {489, 210, 30, 20},
    {522, 210, 30, 20}, {390, 234, 30, 20}, {423, 234, 30, 20}, {456, 234, 30, 20},
    {489, 234, 30, 20}, {522, 234, 30, 20}};
// The fifth function button, the colour window's, sits in the title bar.
constexpr QRect kButton[FrmVCD::kButtonCount] = {{390, 270, 38, 20},
                                                 {432, 270, 38, 20},
                                                 {474, 270, 38, 20},
                                                 {516, 270, 38, 20},
                                                 {300, 11, 18, 16}};
constexpr QRect kTime[FrmVCD::kTimeLabelCount] = {
    {398, 62, 70, 16}, {478, 62, 70, 16}, {398, 80, 150, 18}, {478, 82, 70, 14}};
constexpr QRect kText = {22, 296, 352, 18};
constexpr QRect kPicture = {22, 44, 352, 240};
constexpr QSize kFace = {576, 360};

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
    resize(kFace);
    auto* holder = Named(new QLabel(this), "DeskPic");
    holder->hide();
    DeskPic.append(holder);
    ImageDesk = Named(new QLabel(this), "ImageDesk");
    ImageDesk->hide();
    Image1 = Named(new QLabel(this), "Image1");
    Image1->setGeometry(kPicture);
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
    Timer1->setInterval(500);
    LabelScan = Named(new QLabel(this), "LabelScan");
    LabelScan->hide();
    ImageBack = Named(new QLabel(this), "ImageBack");
    ImageBack->hide();
    VcdPic = Named(new QLabel(this), "VcdPic");
    VcdPic->hide();
    PlayList = Named(new QListWidget(this), "PlayList");
    PlayList->hide();
}

void FrmVCD::CreateButtons()
{
    auto make = [this](QList<SkinButton*>& buttons, QList<MaskBox>& masks, const QRect* rects,
                       int count, const char* name) {
        for (int i = 0; i < count; ++i) {
            auto* button = Named(new SkinButton(i, this), name);
            button->setGeometry(rects[i]);
            buttons.append(button);
            masks.append(MaskBox());
        }
    };
    make(PicCtl, PicCtlBak, kCtl, kCtlCount, "PicCtl");
    make(PicNum, PicNumBak, kNum, kNumCount, "PicNum");
    make(PicButton, PicButtonB, kButton, kButtonCount, "PicButton");
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
    Label1 = TextLabel(this, "Label1", kText, 9);
    for (int i = 0; i < kTimeLabelCount; ++i)
        Label2.append(TextLabel(this, "Label2", kTime[i], i == 2 ? 12 : 9));
    for (int i = 0; i < 2; ++i) {
        Label3[i] = TextLabel(this, "Label3", QRect(14 + i, 12 + i, 160, 28), 16);
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
    background_ = QPixmap::fromImage(picture_);
    update();
}

void FrmVCD::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, background_);
}

// The window's close runs the orderly exit; the exit itself ends the process.
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
