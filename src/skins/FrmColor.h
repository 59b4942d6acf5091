#pragma once

#include <QScrollBar>
#include <QWidget>
#include <array>

namespace tolvane {

// The button colour window; its four bars are red, green, blue and light.
class FrmColor : public QWidget
{
    Q_OBJECT
public:
    explicit FrmColor(QWidget* parent = nullptr);

    std::array<QScrollBar*, 4> VScroll1{};
};

} // namespace tolvane
