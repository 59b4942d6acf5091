#pragma once

#include "forms/ListView.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QWidget>
#include <array>

namespace tolvane {

// The song book window "歌本管理": the recorded discs, the song and album search of
// the catalogue, and the check boxes that steer new entries.
class FrmFindMusic : public QWidget
{
    Q_OBJECT
public:
    explicit FrmFindMusic(QWidget* parent = nullptr);

    ListView* ListView2 = nullptr;          // the discs
    ListView* ListView1 = nullptr;          // the search results
    QLineEdit* Text1 = nullptr;             // the query
    QLabel* Label1 = nullptr;               // "歌曲查詢:"
    QLabel* Label2 = nullptr;               // "冊號:"
    QPushButton* Command1 = nullptr;        // song search
    QPushButton* Command3 = nullptr;        // album search
    std::array<QPushButton*, 3> Command2{}; // "放棄", "匯入歌本", "匯出歌本"
    QCheckBox* Check1 = nullptr;            // automatic numbering
    QCheckBox* Check2 = nullptr;            // add the disc's own label
    QLineEdit* Text2 = nullptr;             // the numbering prefix
    QStatusBar* StatusBar1 = nullptr;
    std::array<QLabel*, 2> Panels{}; // the status bar's panels

Q_SIGNALS:
    // The window's close box; the window stays as it is.
    void closeBox();

protected:
    void closeEvent(QCloseEvent* event) override;
};

} // namespace tolvane
