#include "forms/FrmDir.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QVBoxLayout>
#include <algorithm>

namespace tolvane {

namespace {

constexpr int kGridWidth = 672;
constexpr int kGridHeight = 600;
constexpr int kSpacing = 4;
constexpr int kNameHeight = 18;

} // namespace

PictureCell::PictureCell(int index, QWidget* parent) : QFrame(parent), index_(index)
{
    setObjectName("Cell");
    Picture = new QLabel;
    Picture->setObjectName("Picture");
    Picture->setAlignment(Qt::AlignCenter);
    Name = new QLabel;
    Name->setObjectName("Name");
    Name->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Name->setFixedHeight(kNameHeight);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(1);
    layout->addWidget(Picture, 1);
    layout->addWidget(Name);
    SetSelected(false);
}

void PictureCell::SetSelected(bool selected)
{
    setFrameShape(QFrame::Box);
    setLineWidth(selected ? 2 : 1);
    setStyleSheet(selected ? "PictureCell { border: 2px solid rgb(40, 110, 220); }"
                           : "PictureCell { border: 1px solid rgb(200, 200, 200); }");
}

void PictureCell::SetName(const QString& name)
{
    Name->setText(Name->fontMetrics().elidedText(name, Qt::ElideMiddle, width() - 6));
    Name->setToolTip(name);
    Picture->setToolTip(name);
}

void PictureCell::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        Q_EMIT clicked(index_);
}

void PictureCell::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        Q_EMIT doubleClicked(index_);
}

FrmDir::FrmDir(QWidget* parent) : QWidget(parent)
{
    setWindowTitle("面板圖片瀏覽");
    Text1 = new QLineEdit;
    Text1->setReadOnly(true);
    Command1 = new QPushButton("..");
    Command1->setFixedWidth(32);
    Command1->setToolTip("選擇圖片目錄");
    Combo1 = new QComboBox;
    for (int n = kSmallestGrid; n <= kLargestGrid; ++n)
        Combo1->addItem(QString("%1x%1").arg(n));
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel("圖片目錄:"));
    top->addWidget(Text1, 1);
    top->addWidget(Command1);
    top->addSpacing(12);
    top->addWidget(new QLabel("排列:"));
    top->addWidget(Combo1);

    Grid = new QWidget;
    Grid->setObjectName("Grid");
    Grid->setFixedSize(kGridWidth, kGridHeight);
    gridLayout_ = new QGridLayout(Grid);
    gridLayout_->setContentsMargins(0, 0, 0, 0);
    gridLayout_->setSpacing(kSpacing);

    Command2 = new QPushButton("上一頁");
    Command3 = new QPushButton("下一頁");
    Label1 = new QLabel;
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setMinimumWidth(200);
    Command4 = new QPushButton("編輯圖片");
    Command4->setToolTip("用桌面預設的圖片程式開啟");
    Command5 = new QPushButton("設為面板");
    Command6 = new QPushButton("關閉");
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(Command2);
    bottom->addWidget(Label1, 1);
    bottom->addWidget(Command3);
    bottom->addSpacing(16);
    bottom->addWidget(Command4);
    bottom->addWidget(Command5);
    bottom->addWidget(Command6);

    Label2 = new QLabel;
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(Grid, 0, Qt::AlignCenter);
    layout->addWidget(Label2);
    layout->addLayout(bottom);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    SetGrid(4);
}

void FrmDir::SetGrid(int n)
{
    n = std::clamp(n, kSmallestGrid, kLargestGrid);
    if (GridSize() == n)
        return;
    qDeleteAll(Cell);
    Cell.clear();
    const QSize cell((kGridWidth - (n - 1) * kSpacing) / n, (kGridHeight - (n - 1) * kSpacing) / n);
    for (int i = 0; i < n * n; ++i) {
        auto* item = new PictureCell(i, Grid);
        item->setFixedSize(cell);
        connect(item, &PictureCell::clicked, this, &FrmDir::cellClicked);
        connect(item, &PictureCell::doubleClicked, this, &FrmDir::cellDoubleClicked);
        gridLayout_->addWidget(item, i / n, i % n);
        Cell.append(item);
    }
    gridSize_ = n;
    const QSignalBlocker quiet(Combo1);
    Combo1->setCurrentIndex(n - kSmallestGrid);
}

QSize FrmDir::PictureArea() const
{
    if (Cell.isEmpty())
        return QSize();
    const QSize cell = Cell[0]->size();
    return QSize(cell.width() - 6, cell.height() - kNameHeight - 7);
}

} // namespace tolvane
