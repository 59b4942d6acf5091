#include "forms/ListControls.h"

#include "platform/DosFiles.h"

#include <algorithm>

namespace tolvane {

void DriveListBox::Refresh(const DriveMap& drives)
{
    List = drives.DriveList();
}

void FileListBox::Refresh(const DosFiles& files)
{
    List.clear();
    ListIndex = -1;
    const QStringList names = files.ListFiles(Path, "*.*");
    const QStringList patterns = Pattern.split(';', Qt::SkipEmptyParts);
    for (const QString& name : names) {
        // A name that starts with a dot is a hidden file, which a file list leaves out.
        if (name.startsWith('.'))
            continue;
        bool match = std::any_of(patterns.begin(), patterns.end(), [&](const QString& p) {
            return DosFiles::WildcardMatch(p.trimmed(), name);
        });
        if (match)
            List.append(name);
    }
}

void SortedListBox::AddItem(const QString& text)
{
    // After the equal ones, as a list box inserts.
    auto at =
        std::upper_bound(List.begin(), List.end(), text, [](const QString& a, const QString& b) {
            return a.compare(b, Qt::CaseInsensitive) < 0;
        });
    List.insert(at, text);
}

int ScanFileA(const DosFiles& files, const QString& pathPattern, QStringList& found)
{
    qsizetype slash = pathPattern.lastIndexOf('\\');
    QString folder = pathPattern.left(slash);
    const QStringList names = files.ListFiles(folder, pathPattern.mid(slash + 1));
    for (const QString& name : names)
        found.append(folder + "\\" + name);
    return static_cast<int>(names.size());
}

} // namespace tolvane
