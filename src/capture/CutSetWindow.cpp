#include "capture/CutSetWindow.h"

#include "app/Context.h"
#include "app/Messages.h"
#include "app/Text.h"
#include "forms/Forms.h"
#include "forms/FrmCutSet.h"
#include "forms/FrmSet.h"
#include "forms/FrmVCD.h"
#include "forms/SeleDir.h"
#include "forms/WindowPlacement.h"
#include "playback/PlaybackServices.h"
#include "playback/VideoWindow.h"

#include <QObject>

namespace tolvane {

void CutSetWindow::Connect()
{
    if (connected_)
        return;
    connected_ = true;
    FrmCutSet& window = forms_.CutSet();
    QObject::connect(window.Command2, &QPushButton::clicked, &window, [this] { Command2_Click(); });
    QObject::connect(window.Command3, &QPushButton::clicked, &window, [this] { Command3_Click(); });
    QObject::connect(window.Command9, &QPushButton::clicked, &window, [this] { Command9_Click(); });
}

CutOptions CutSetWindow::Ask(QSize videoSize)
{
    Connect();
    const AppState& app = context_.app;
    FrmCutSet& window = forms_.CutSet();
    window.Text9->setText(FileNamePart(app.CaptureFileName));
    window.Text2->setText(QString::number(app.CaptureWidth));
    window.Text3->setText(QString::number(app.CaptureHeight));
    window.Text7->setText(app.CaptureFolder);
    window.SetVideoSize(videoSize);
    // Closing the window by its close box cancels, as "取消" does.
    options_.grid = 0;
    FrmCenter(window, forms_.Vcd());
    window.show();
    window.raise();
    window.activateWindow();
    while (window.isVisible() && !context_.Ended())
        context_.platform.clock.WaitForEvents();
    return options_;
}

QString CutSetWindow::Check(int grid, int width, int height, double delay)
{
    if (grid < 1 || grid > kMaxGrid)
        return QString("圖型方格必須是 1 到 %1").arg(kMaxGrid);
    if (width < kMinCell || height < kMinCell || width > kMaxSide || height > kMaxSide)
        return QString("畫格寬度與長度必須在 %1 到 %2 之間").arg(kMinCell).arg(kMaxSide);
    if (grid * width > kMaxSide || grid * height > kMaxSide)
        return QString("圖形寬度與長度不可超過 %1,請減少方格或畫格大小").arg(kMaxSide);
    if (delay < 0 || delay > kMaxDelay)
        return QString("延遲時間必須在 0.0 到 %1 秒之間").arg(kMaxDelay, 0, 'f', 1);
    return QString();
}

bool CutSetWindow::Command2_Click()
{
    FrmCutSet& window = forms_.CutSet();
    const QString name = FileNamePart(window.Text9->text().trimmed());
    const QString folder = window.Text7->text().trimmed();
    bool whole = false;
    const int grid = window.Text1->text().trimmed().toInt(&whole);
    const int width = int(RoundHalfEven(LenientNumber(window.Text2->text())));
    const int height = int(RoundHalfEven(LenientNumber(window.Text3->text())));
    const double delay = RoundHalfEven(LenientNumber(window.Text8->text()) * 10) / 10.0;
    QString problem = Check(whole ? grid : 0, width, height, delay);
    if (name.isEmpty())
        problem = "請輸入抓圖檔名";
    else if (folder.isEmpty())
        problem = "請輸入抓圖目錄";
    if (!problem.isEmpty()) {
        ShowMessage(context_.platform.prompter, problem, "error");
        return false;
    }

    AppState& app = context_.app;
    // Every capture is a bitmap, whatever the name typed.
    app.CaptureFileName = ExtName(name) == "bmp" ? name : name + ".BMP";
    app.CaptureWidth = width;
    app.CaptureHeight = height;
    services_.Video().VCDResize();
    app.CaptureFolder = folder;
    app.CaptureFileName = PathJoin(folder, app.CaptureFileName);
    forms_.Set().Text7->setText(folder);
    options_.grid = grid;
    options_.delay = delay;
    options_.timeLabel = window.Check1->isChecked();
    options_.fontSize = int(LenientNumber(window.Text4->text()));
    if (options_.fontSize < 8) {
        options_.fontSize = 12;
        window.Text4->setText("12");
    }
    window.Text8->setText(QString::number(delay, 'f', 1));

    Settings& settings = context_.settings;
    settings.SaveUserSetting("CutDir", folder);
    settings.SaveUserSetting("CutDelay", window.Text8->text());
    settings.SaveUserSetting("CutWidtht", width);
    settings.SaveUserSetting("CutHeight", height);
    window.hide();
    return true;
}

void CutSetWindow::Command3_Click()
{
    options_.grid = 0;
    forms_.CutSet().hide();
}

void CutSetWindow::Command9_Click()
{
    FrmCutSet& window = forms_.CutSet();
    const QString chosen = ChooseFolder(context_, forms_, window, window.Text7->text(), "*.bmp");
    if (!chosen.isEmpty())
        window.Text7->setText(chosen);
}

} // namespace tolvane
