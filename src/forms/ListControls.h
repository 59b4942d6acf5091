#pragma once

#include <QString>
#include <QStringList>

namespace tolvane {

class DosFiles;
class DriveMap;

// The drive list of a window: one entry per drive, "c:", "d:" ...
struct DriveListBox
{
    QStringList List;
    void Refresh(const DriveMap& drives);
};

// A file list of a folder filtered by patterns such as "*.bmp;*.gif;*.jpg".
struct FileListBox
{
    QString Path; // DOS folder
    QString Pattern = QStringLiteral("*.*");
    QStringList List;
    int ListIndex = -1;
    void Refresh(const DosFiles& files);
};

// A sorted list box: items kept in the order a sorted list box shows them, which
// compares texts without regard to case.
struct SortedListBox
{
    QStringList List;
    void Clear() { List.clear(); }
    void AddItem(const QString& text);
};

// The file lister: the files matching a path pattern such as "C:\Skin\*.Jpg" are
// added to `found` as full paths; returns how many matched.
int ScanFileA(const DosFiles& files, const QString& pathPattern, QStringList& found);

} // namespace tolvane
