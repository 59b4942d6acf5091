#pragma once

#include <QCheckBox>
#include <QWidget>

namespace tolvane {

// The song book window "歌本管理"; its proposal check boxes are here so far.
class FrmFindMusic : public QWidget
{
    Q_OBJECT
public:
    explicit FrmFindMusic(QWidget* parent = nullptr);

    QCheckBox* Check1 = nullptr; // automatic numbering
    QCheckBox* Check2 = nullptr; // add the disc's own label
};

} // namespace tolvane
