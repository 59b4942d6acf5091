#pragma once

#include "fakes/FakePlatform.h"
#include "shell/Player.h"

#include <QImage>

#include <algorithm>

namespace tolvane {

// A player over the fake platform with the skin folders of a program folder.
class SkinFixture
{
public:
    SkinFixture()
    {
        fake.files.MakeFolder("C:\\Tolvane99\\Button Mask");
        fake.files.MakeFolder("C:\\cache");
        player.context.app.SkinFolder = "C:\\Tolvane99\\Skin";
        player.context.app.MaskFolder = "C:\\Tolvane99\\Button Mask";
        player.context.app.ButtonCacheFolder = "C:\\cache";
        player.context.skin.ScreenWidth = 800;
        player.context.skin.ScreenHeight = 600;
    }

    // Writes a picture of the given size into a DOS folder.
    QString WritePicture(const QString& folder, const QString& name, QSize size,
                         QColor colour = QColor(40, 90, 140)) const
    {
        QImage picture(size, QImage::Format_RGB32);
        picture.fill(colour);
        picture.save(fake.LocalPath(folder) + "/" + name);
        return folder + "\\" + name;
    }

    int LogCount(const QString& prefix) const
    {
        const QStringList texts = fake.LogTexts();
        return std::count_if(texts.begin(), texts.end(),
                             [&](const QString& text) { return text.startsWith(prefix); });
    }

    FakePlatform fake;
    Player player{fake.platform};
};

} // namespace tolvane
