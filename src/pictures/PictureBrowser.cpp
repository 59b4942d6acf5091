#include "pictures/PictureBrowser.h"

#include "app/Context.h"
#include "app/Messages.h"
#include "app/Text.h"
#include "forms/Forms.h"
#include "forms/FrmDir.h"
#include "forms/SeleDir.h"
#include "pictures/PictureReading.h"
#include "pictures/ThumbnailLoader.h"
#include "skins/SkinLoader.h"

#include <QFile>
#include <QPixmap>

namespace tolvane {

PictureBrowser::PictureBrowser(Context& context, Forms& forms, SkinLoader& skins)
    : context_(context), forms_(forms), skins_(skins)
{
}

PictureBrowser::~PictureBrowser() = default;

ThumbnailLoader& PictureBrowser::Loader()
{
    if (!loader_) {
        loader_ = std::make_unique<ThumbnailLoader>(ThumbnailCache::UserRoot());
        connect(loader_.get(), &ThumbnailLoader::ready, this, &PictureBrowser::Thumbnail);
        connect(loader_.get(), &ThumbnailLoader::failed, this,
                [this](int cell) { Unreadable(cell); });
    }
    return *loader_;
}

FrmDir& PictureBrowser::Browser()
{
    FrmDir& window = forms_.Dir();
    if (!connected_) {
        connected_ = true;
        connect(window.Command1, &QPushButton::clicked, this, [this] { ChooseFolder(); });
        connect(window.Combo1, &QComboBox::currentIndexChanged, this,
                [this](int i) { SetGrid(FrmDir::kSmallestGrid + i); });
        connect(window.Command2, &QPushButton::clicked, this, [this] { PreviousPage(); });
        connect(window.Command3, &QPushButton::clicked, this, [this] { NextPage(); });
        connect(window.Command4, &QPushButton::clicked, this,
                [this] { Edit(selected_ - page_ * PerPage()); });
        connect(window.Command5, &QPushButton::clicked, this,
                [this] { Choose(selected_ - page_ * PerPage()); });
        connect(window.Command6, &QPushButton::clicked, &window, &QWidget::hide);
        connect(&window, &FrmDir::cellClicked, this, &PictureBrowser::Select);
        connect(&window, &FrmDir::cellDoubleClicked, this, &PictureBrowser::Choose);
    }
    return window;
}

void PictureBrowser::SeleDesk()
{
    Open(folder_.isEmpty() ? context_.app.SkinFolder : folder_);
}

void PictureBrowser::Open(const QString& folder)
{
    FrmDir& window = Browser();
    window.show();
    window.raise();
    window.activateWindow();
    SetFolder(folder);
}

void PictureBrowser::SetFolder(const QString& folder)
{
    folder_ = folder;
    pictures_.clear();
    selected_ = -1;
    Browser().Text1->setText(folder);
    if (!context_.platform.files.FolderExists(folder)) {
        ShowMessage(context_.platform.prompter, "找不到圖片目錄:" + folder, "error");
    } else {
        for (const QString& name : context_.platform.files.ListFiles(folder, "*.*")) {
            if (!name.startsWith('.') && PictureReading::IsPictureName(name))
                pictures_.append(name);
        }
    }
    ShowPage(0);
}

int PictureBrowser::PerPage() const
{
    const int n = forms_.IsLoaded(Window::Dir) ? forms_.Dir().GridSize() : 0;
    return qMax(1, n * n);
}

int PictureBrowser::PageCount() const
{
    return qMax(1, int((pictures_.size() + PerPage() - 1) / PerPage()));
}

QString PictureBrowser::PathOf(int index) const
{
    return PathJoin(folder_, pictures_[index]);
}

void PictureBrowser::SetGrid(int n)
{
    Browser().SetGrid(n);
    ShowPage(selected_ >= 0 ? selected_ / PerPage() : 0);
}

void PictureBrowser::ShowPage(int page)
{
    FrmDir& window = Browser();
    Loader().Cancel();
    page_ = std::clamp(page, 0, PageCount() - 1);
    const int first = page_ * PerPage();
    const QSize area = window.PictureArea();
    const int edge = ThumbnailCache::EdgeFor(qMax(area.width(), area.height()));
    for (PictureCell* cell : window.Cell) {
        const int index = first + cell->Index();
        cell->Picture->clear();
        cell->SetSelected(index == selected_);
        if (index >= pictures_.size()) {
            cell->SetName(QString());
            cell->setEnabled(false);
            continue;
        }
        cell->setEnabled(true);
        cell->SetName(pictures_[index]);
        cell->Picture->setText("...");
        const QString local = context_.platform.files.Local(PathOf(index));
        if (local.isEmpty())
            Unreadable(cell->Index());
        else
            Loader().Request(cell->Index(), local, edge);
    }
    window.Label1->setText(pictures_.isEmpty() ? QString("沒有圖片")
                                               : QString("第 %1 / %2 頁,共 %3 張圖片")
                                                     .arg(page_ + 1)
                                                     .arg(PageCount())
                                                     .arg(pictures_.size()));
    window.Command2->setEnabled(page_ > 0);
    window.Command3->setEnabled(page_ + 1 < PageCount());
    const bool chosen = selected_ >= first && selected_ < first + PerPage();
    window.Command4->setEnabled(chosen);
    window.Command5->setEnabled(chosen);
    if (!chosen)
        window.Label2->clear();
}

void PictureBrowser::NextPage()
{
    if (!FolderGone())
        ShowPage(page_ + 1);
}

void PictureBrowser::PreviousPage()
{
    if (!FolderGone())
        ShowPage(page_ - 1);
}

void PictureBrowser::Thumbnail(int cell, const QImage& thumbnail)
{
    FrmDir& window = Browser();
    if (cell < 0 || cell >= window.Cell.size())
        return;
    const QSize area = window.PictureArea();
    QImage shown = thumbnail;
    if (shown.width() > area.width() || shown.height() > area.height())
        shown = shown.scaled(area, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    window.Cell[cell]->Picture->setPixmap(QPixmap::fromImage(shown));
}

void PictureBrowser::Unreadable(int cell)
{
    FrmDir& window = Browser();
    if (cell >= 0 && cell < window.Cell.size())
        window.Cell[cell]->Picture->setText("無法讀取");
}

void PictureBrowser::Select(int cell)
{
    const int index = page_ * PerPage() + cell;
    if (cell < 0 || index >= pictures_.size())
        return;
    FrmDir& window = Browser();
    selected_ = index;
    for (PictureCell* item : window.Cell)
        item->SetSelected(item->Index() == cell);
    window.Command4->setEnabled(true);
    window.Command5->setEnabled(true);
    QFile file;
    QSize size;
    if (context_.platform.files.Open(PathOf(index), file, QIODevice::ReadOnly))
        size = PictureReading::Size(file);
    window.Label2->setText(
        size.isEmpty()
            ? pictures_[index]
            : QString("%1 (W%2 x H%3)").arg(pictures_[index]).arg(size.width()).arg(size.height()));
}

bool PictureBrowser::FolderGone()
{
    if (context_.platform.files.FolderExists(folder_))
        return false;
    ShowMessage(context_.platform.prompter, "圖片目錄已經不存在:" + folder_, "error");
    pictures_.clear();
    selected_ = -1;
    ShowPage(0);
    return true;
}

void PictureBrowser::Choose(int cell)
{
    const int index = page_ * PerPage() + cell;
    if (cell < 0 || index >= pictures_.size() || FolderGone())
        return;
    Select(cell);
    const QString path = PathOf(index);
    Prompter& prompter = context_.platform.prompter;
    QFile file;
    QSize size;
    if (context_.platform.files.Open(path, file, QIODevice::ReadOnly))
        size = PictureReading::Size(file);
    file.close();
    if (size.isEmpty()) {
        context_.log.LogWrite("這個面板格式錯誤" + path);
        ShowMessage(prompter, "這個面板格式錯誤:" + path, "error");
        return;
    }
    const SkinState& skin = context_.skin;
    if (skin.ScreenWidth > 0 && skin.ScreenHeight > 0 &&
        (size.width() > skin.ScreenWidth || size.height() > skin.ScreenHeight)) {
        ShowMessage(prompter, "這個面板太大了!", "ok");
        return;
    }
    AppState& app = context_.app;
    const QString previous = app.CurrentSkinPicture;
    app.CurrentSkinPicture = path;
    context_.log.LogWrite("更換面板為" + path);
    skins_.DeskShow();
    // A picture whose header reads but whose body does not: the skin shown stays.
    if (context_.skin.LoadedPicture != path) {
        app.CurrentSkinPicture = previous;
        skins_.DeskShow();
        ShowMessage(prompter, "這個面板格式錯誤:" + path, "error");
        return;
    }
    Browser().hide();
}

void PictureBrowser::Edit(int cell)
{
    const int index = page_ * PerPage() + cell;
    if (cell < 0 || index >= pictures_.size() || FolderGone())
        return;
    const QString path = PathOf(index);
    const QString local = context_.platform.files.Local(path);
    if (local.isEmpty() || !context_.platform.files.FileExists(path) ||
        !context_.platform.process.OpenDocument(local))
        ShowMessage(context_.platform.prompter, "無法開啟圖片:" + path, "error");
}

void PictureBrowser::ChooseFolder()
{
    FrmDir& window = Browser();
    const QString chosen =
        tolvane::ChooseFolder(context_, forms_, window, folder_, PictureReading::Patterns());
    if (!chosen.isEmpty() && chosen != folder_)
        SetFolder(chosen);
}

} // namespace tolvane
