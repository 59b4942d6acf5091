#pragma once

#include <QImage>
#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>

namespace tolvane {

class Context;
class Forms;
class FrmDir;
class SkinLoader;
class ThumbnailLoader;

// The picture browser frmDir: the pictures of a folder a page of thumbnails at a
// time, one of which becomes the skin (unless it is larger than the screen) or opens
// in the desktop's picture program.
class PictureBrowser : public QObject
{
    Q_OBJECT
public:
    PictureBrowser(Context& context, Forms& forms, SkinLoader& skins);
    ~PictureBrowser() override;

    // The skin chooser: the browser on the folder last browsed, the skin folder at first.
    void SeleDesk();
    // Shows the window on a folder.
    void Open(const QString& folder);
    // Lists a folder's pictures and shows their first page.
    void SetFolder(const QString& folder);
    // n x n thumbnails a page, n from 2 to 6; the page then holds the selected picture.
    void SetGrid(int n);
    void ShowPage(int page);
    void NextPage();
    void PreviousPage();
    // The picture of a cell of the page shown.
    void Select(int cell);
    // Makes the picture of a cell the skin.
    void Choose(int cell);
    // Opens the picture of a cell in the desktop's picture program.
    void Edit(int cell);
    // The folder chooser: browses the folder chosen.
    void ChooseFolder();

    const QString& Folder() const { return folder_; }
    const QStringList& Pictures() const { return pictures_; }
    int Page() const { return page_; }
    int PageCount() const;
    int Selected() const { return selected_; }
    ThumbnailLoader& Loader();

private:
    FrmDir& Browser();
    int PerPage() const;
    QString PathOf(int index) const;
    // The folder shown is gone: says so and shows it empty; true then.
    bool FolderGone();
    void Thumbnail(int cell, const QImage& thumbnail);
    void Unreadable(int cell);

    Context& context_;
    Forms& forms_;
    SkinLoader& skins_;
    std::unique_ptr<ThumbnailLoader> loader_;
    bool connected_ = false;
    QString folder_;
    QStringList pictures_; // names in the folder, sorted
    int page_ = 0;
    int selected_ = -1; // index into pictures_
};

} // namespace tolvane
