#pragma once

#include <QImage>
#include <QList>
#include <QSize>
#include <QString>

namespace tolvane {

class Context;
class Forms;
class SkinButton;
struct MaskBox;

// The skinned buttons: faces cut from the skin picture and shaded through their
// masks, kept as bitmaps in the button cache; showing and hiding the skinned objects.
class ButtonFaces
{
public:
    static constexpr int kButtonTotal = 29; // the progress counts against this

    ButtonFaces(Context& context, Forms& forms) : context_(context), forms_(forms) {}

    // Prepares the skinned objects once, before any skin is loaded.
    void InitObj();
    // Loads or generates the faces of the button kinds ticked in the colour window.
    void ButtonUpdate(bool rebuild);
    void ButtonMask(const MaskBox& mask, SkinButton& button, bool rebuild);
    void ShowObj(bool show);
    void AdjImage();
    void AdjLine();
    // Deletes every cached face.
    void DelButtonTemp();
    // On the first run, offers to clear an old cache.
    void DelTemp(bool firstRun);

    // "Sea-07.Bmp" -> "Sea-08.Bmp"; the number keeps at least two digits.
    static QString NextCacheFile(const QString& path);

private:
    void UpdateGroup(QList<SkinButton*>& buttons, const QList<MaskBox>& masks, bool rebuild);
    // Only a picture of the size a face made now would have is used: the mask's, which
    // is stretched to the button's.
    bool LoadCachedFace(SkinButton& button, QSize size);
    void GenerateFace(const MaskBox& mask, SkinButton& button);
    void SaveFace(const QImage& face, const QString& path);

    Context& context_;
    Forms& forms_;
};

} // namespace tolvane
