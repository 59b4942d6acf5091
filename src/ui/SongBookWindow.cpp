#include "ui/SongBookWindow.h"

#include "app/Context.h"
#include "app/Messages.h"
#include "discovery/SongBook.h"
#include "forms/Forms.h"
#include "forms/FrmFindMusic.h"
#include "forms/FrmSet.h"
#include "forms/FrmVCD.h"
#include "ui/SettingsWindow.h"

#include <QFileDialog>
#include <QHeaderView>

namespace tolvane {

SongBookWindow::SongBookWindow(Context& context, Forms& forms, SettingsWindow& settings,
                               SongBook& book)
    : context_(context), forms_(forms), settings_(settings), book_(book)
{
    chooseFile = [this](bool saving) {
        const QString filter = "歌本檔 (*.sbk);;所有檔案 (*)";
        FrmFindMusic& window = forms_.FindMusic();
        return saving ? QFileDialog::getSaveFileName(&window, "匯出歌本", "歌本.sbk", filter)
                      : QFileDialog::getOpenFileName(&window, "匯入歌本", QString(), filter);
    };
}

void SongBookWindow::Wire()
{
    if (wired_)
        return;
    wired_ = true;
    FrmFindMusic& window = forms_.FindMusic();
    auto songs = [this] { Search(CatalogueSearch::Songs); };
    QObject::connect(window.Command1, &QPushButton::clicked, &window, songs);
    QObject::connect(window.Text1, &QLineEdit::returnPressed, &window, songs);
    QObject::connect(window.Command3, &QPushButton::clicked, &window,
                     [this] { Search(CatalogueSearch::Albums); });
    for (int i = 0; i < int(window.Command2.size()); ++i)
        QObject::connect(window.Command2[i], &QPushButton::clicked, &window,
                         [this, i] { Command2_Click(i); });
    QObject::connect(&window, &FrmFindMusic::closeBox, &window, [this] { CloseForm(); });
    for (ListView* view : {window.ListView1, window.ListView2})
        QObject::connect(view, &ListView::columnClick, view,
                         [this, view](int column) { ColumnClick(*view, column); });
}

void SongBookWindow::Open()
{
    FrmFindMusic& window = forms_.FindMusic();
    Wire();
    window.move(forms_.Vcd().frameGeometry().center() - window.rect().center());
    LoadDiscs();
    window.show();
    window.raise();
    if (forms_.IsLoaded(Window::Set))
        forms_.Set().setEnabled(false);
}

void SongBookWindow::LoadDiscs()
{
    QList<QStringList> rows;
    for (const SongBookDisc& disc : book_.Index().Discs())
        rows.append({QString::number(disc.number), disc.title, disc.serial, disc.dates});
    forms_.FindMusic().ListView2->Rows()->SetRows(std::move(rows));
}

void SongBookWindow::Search(CatalogueSearch::Kind kind)
{
    if (searching_)
        return;
    FrmFindMusic& window = forms_.FindMusic();
    searching_ = true;
    stop_ = false;
    window.Command1->setEnabled(false);
    window.Command3->setEnabled(false);
    window.ListView1->Rows()->SetRows({});
    CatalogueSearch search(kind, window.Text1->text().trimmed());
    const QString path = context_.app.SongBookCatalogFile;
    const QString local = context_.platform.files.Local(path);
    QString reason;
    // A long catalogue lets the window live while it is read.
    const auto outcome =
        local.isEmpty()
            ? CatalogueSearch::Missing
            : search.SearchFile(
                  local,
                  [&](qint64 done, qint64 total) {
                      window.Panels[0]->setText(
                          "搜尋中 " + QString::number(total > 0 ? done * 100 / total : 100) + "%");
                      context_.platform.clock.DoEvents();
                      return !stop_;
                  },
                  reason);
    searching_ = false;
    window.Command1->setEnabled(true);
    window.Command3->setEnabled(true);
    if (outcome == CatalogueSearch::Stopped)
        return;
    window.Panels[0]->setText(
        search.RowsCut() ? "只列出前 " + QString::number(search.maxRows) + " 筆" : QString());
    if (outcome == CatalogueSearch::Failed) {
        Tell("無法讀取歌本目錄檔 " + path + "\r\n" + reason, false);
        return;
    }
    window.ListView1->Rows()->SetRows(std::move(search.rows));
    window.Panels[1]->setText(QString::number(search.Counted()) + (kind == CatalogueSearch::Songs
                                                                       ? "首歌搜尋完成!"
                                                                       : "個專集搜尋完成!"));
}

void SongBookWindow::ColumnClick(ListView& view, int column)
{
    view.SortOrder =
        view.SortOrder == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    view.Rows()->sort(column, view.SortOrder);
    view.header()->setSortIndicatorShown(true);
    view.header()->setSortIndicator(column, view.SortOrder);
}

void SongBookWindow::Tell(const QString& text, bool ok)
{
    context_.log.LogWrite(QString(text).replace("\r\n", " "));
    forms_.FindMusic().Panels[0]->setText(text.section("\r\n", 0, 0));
    ShowMessage(context_.platform.prompter, text, ok ? "info" : "error");
}

void SongBookWindow::Command2_Click(int index)
{
    if (index == 0) {
        CloseForm();
        return;
    }
    const bool exporting = index == 2;
    const QString file = chooseFile ? chooseFile(exporting) : QString();
    if (file.isEmpty())
        return;
    QString told;
    const bool ok = exporting ? book_.Export(file, told) : book_.Import(file, told);
    if (!exporting)
        LoadDiscs();
    Tell(told, ok);
}

void SongBookWindow::CloseForm()
{
    stop_ = true;
    forms_.FindMusic().hide();
    const bool settingsShown = forms_.IsLoaded(Window::Set) && forms_.Set().isVisible();
    if (forms_.IsLoaded(Window::Set))
        forms_.Set().setEnabled(true);
    if (!settingsShown)
        forms_.Vcd().setEnabled(true);
    settings_.SaveSetData();
}

} // namespace tolvane
