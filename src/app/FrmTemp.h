#pragma once

#include <QListWidget>
#include <QWidget>

namespace tolvane {

// The taskbar window "Tolvane99": no visible content, placed off-screen so that only
// its taskbar button shows. Its close is the abnormal-close path.
class FrmTemp : public QWidget
{
    Q_OBJECT
public:
    explicit FrmTemp(QWidget* parent = nullptr);

    QListWidget* List1 = nullptr; // unused, kept hidden

Q_SIGNALS:
    void queryUnload();
    void resized(bool minimised);

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
};

} // namespace tolvane
