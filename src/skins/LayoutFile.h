#pragma once

#include "platform/ProfileFile.h"

#include <QList>
#include <QSize>
#include <QString>

class QLabel;

namespace tolvane {

class ButtonFaces;
class Context;
class Forms;
class SkinButton;
struct MaskBox;

// The skin layout file: where each skinned object sits, its size, font and mask
// picture, and the button colour settings. It works on the current layout file,
// `IniFile`, which the caller sets before each call.
class LayoutFile
{
public:
    LayoutFile(Context& context, Forms& forms, ButtonFaces& faces)
        : context_(context), forms_(forms), faces_(faces)
    {
    }

    // Writes every section afresh; the old file stays until the new one is whole.
    void WriteLayout();
    // Reads the file into the objects; stored button sizes only when `readSizes`.
    void ReadLayout(bool readSizes);

    // The layout file of a skin picture: in the skin folder, named after the picture
    // without its last three characters, followed by "INI".
    static QString LayoutFileOf(const QString& skinFolder, const QString& picture);

private:
    using Entries = QList<ProfileFile::Entry>;
    void WriteButtons(Entries& out, const QString& section, const QList<SkinButton*>& buttons);
    void WriteFont(Entries& out, const QString& section, const QLabel* label,
                   const QString& suffix);
    void WriteLabels(Entries& out);

    // No side of an object read from a file is larger than the skin picture's, nor than
    // this.
    static constexpr int kMaxSide = 4096;
    QSize SizeLimit() const;

    QString Read(const QString& section, const QString& key) const;
    double Number(const QString& section, const QString& key) const;
    void ReadEdit();
    void ReadButtons(const QString& section, QList<SkinButton*>& buttons, QList<MaskBox>& masks,
                     bool readSizes);
    void ReadMask(SkinButton& button, MaskBox& mask);
    void ReadFont(const QString& section, QLabel* label, const QString& suffix);
    void ReadLogo();
    void ReadTime();
    void ReadText();
    void ReadDigits();
    void ReadPicture();

    Context& context_;
    Forms& forms_;
    ButtonFaces& faces_;
    QSize limit_{kMaxSide, kMaxSide};
};

} // namespace tolvane
