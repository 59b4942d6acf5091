#pragma once

#include <QListWidget>
#include <QWidget>

namespace tolvane {

// The taskbar window "Tolvane99": no visible content, placed off-screen and kept
// minimised, so that only its taskbar button shows. Its close is the abnormal-close
// path; restoring it from the taskbar raises `restored`.
class FrmTemp : public QWidget
{
    Q_OBJECT
public:
    explicit FrmTemp(QWidget* parent = nullptr);

    QListWidget* List1 = nullptr; // unused, kept hidden

    // Minimises the window: window managers draw a restored one on the screen,
    // whatever its position.
    void Tuck();

Q_SIGNALS:
    void queryUnload();
    void restored();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
};

} // namespace tolvane
