#pragma once

#include <QImage>
#include <QObject>

namespace tolvane {

class Context;
class Forms;
class FrmColor;
class FrmVCD;

// What lies behind a GIF skin shows through the skin's transparent parts. A desktop
// that blends windows does it itself, the main window being made see-through; on one
// that does not, ImageDesk holds the skin drawn over a snapshot of the screen behind
// the window, taken when the skin is loaded and again when the colour window closes.
class DesktopBehind : public QObject
{
    Q_OBJECT
public:
    DesktopBehind(Context& context, Forms& forms) : context_(context), forms_(forms) {}

    // The main window just made, not shown yet: the only moment it can become
    // see-through.
    void Prepare(FrmVCD& vcd);
    // The colour window just made: its closing refreshes the snapshot.
    void Watch(FrmColor& colour);
    // A skin was loaded and shown.
    void SkinShown();
    // Takes the snapshot again, for a GIF skin on a desktop that does not blend.
    void Refresh();

    // The skin drawn over what lies behind it, as large as the skin.
    static QImage Compose(const QImage& behind, const QImage& skin);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Context& context_;
    Forms& forms_;
    bool blends_ = false;
    QImage skin_; // a GIF skin with transparent parts; null for any other
};

} // namespace tolvane
