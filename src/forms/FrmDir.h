#pragma once

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QList>
#include <QPushButton>
#include <QWidget>

class QGridLayout;

namespace tolvane {

// One cell of the picture browser: the thumbnail and the picture's name under it.
class PictureCell : public QFrame
{
    Q_OBJECT
public:
    PictureCell(int index, QWidget* parent = nullptr);

    QLabel* Picture = nullptr;
    QLabel* Name = nullptr;

    int Index() const { return index_; }
    void SetSelected(bool selected);
    // The name, shortened to the cell's width; the whole name is the tool tip.
    void SetName(const QString& name);

Q_SIGNALS:
    void clicked(int index);
    void doubleClicked(int index);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    int index_;
};

// The picture browser "面板圖片瀏覽": a folder's pictures as a grid of thumbnails,
// a page at a time, one of which can become the skin or be edited.
class FrmDir : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kSmallestGrid = 2;
    static constexpr int kLargestGrid = 6;

    explicit FrmDir(QWidget* parent = nullptr);

    QLineEdit* Text1 = nullptr;      // the folder
    QPushButton* Command1 = nullptr; // ".." the folder chooser
    QComboBox* Combo1 = nullptr;     // "2x2" ... "6x6"
    QWidget* Grid = nullptr;         // holds the cells
    QList<PictureCell*> Cell;        // row by row
    QPushButton* Command2 = nullptr; // previous page
    QPushButton* Command3 = nullptr; // next page
    QLabel* Label1 = nullptr;        // the page and the count
    QPushButton* Command4 = nullptr; // edit the picture
    QPushButton* Command5 = nullptr; // make it the skin
    QPushButton* Command6 = nullptr; // close
    QLabel* Label2 = nullptr;        // the selected picture's name and size

    // Lays out n x n cells, n from 2 to 6.
    void SetGrid(int n);
    int GridSize() const { return gridSize_; }
    // The room a thumbnail has in a cell.
    QSize PictureArea() const;

Q_SIGNALS:
    void cellClicked(int index);
    void cellDoubleClicked(int index);

private:
    QGridLayout* gridLayout_ = nullptr;
    int gridSize_ = 0;
};

} // namespace tolvane
