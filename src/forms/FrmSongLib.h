#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QWidget>
#include <array>

namespace tolvane {

// The new song book entry dialog "新增歌本": the scanned disc's albums, serial, label,
// album count and date range, and the title it is to be kept under.
class FrmSongLib : public QWidget
{
    Q_OBJECT
public:
    explicit FrmSongLib(QWidget* parent = nullptr);

    QLineEdit* Text1 = nullptr;   // the title
    QListWidget* List1 = nullptr; // the album folders
    // Serial, volume label, album count, date range.
    std::array<QLabel*, 4> Label2{};
    std::array<QPushButton*, 2> Command1{}; // "確定", "取消"

Q_SIGNALS:
    // The window's close box; the window stays as it is.
    void closeBox();

protected:
    void closeEvent(QCloseEvent* event) override;
};

} // namespace tolvane
