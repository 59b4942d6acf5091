// A picture a user brings, as the skin menu, the layout reading, the picture browser
// and the background-picture show read it: the size from the header by the file's
// extension, the size Qt's reader gives, the picture decoded fitted into a thumbnail
// and into the picture area, and the same bytes met as an entry of the desktop's
// thumbnail cache, whose text chunks are read by hand.
#include "FuzzSupport.h"
#include "pictures/PictureReading.h"
#include "platform/DosFiles.h"
#include "platform/ThumbnailCache.h"
#include "skins/SkinLoader.h"

#include <QBuffer>
#include <QDir>
#include <QGuiApplication>

using namespace tolvane;

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::Application<QGuiApplication>();
    fuzz::QuietQt();
    PictureReading::LimitAllocation();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = fuzz::Bytes(data, size);
    const DosFiles& files = fuzz::FolderAsDriveC();
    for (const char* name : {"Skin.bmp", "Skin.gif", "Skin.JPG"}) {
        fuzz::WriteFile(fuzz::Folder() + "/" + name, bytes);
        SkinLoader::HeaderSize(files, QString("C:\\") + name);
        SkinLoader::PictureSize(files, QString("C:\\") + name);
    }
    using PictureReading::Use;
    for (const auto& [box, use] :
         {std::pair{QSize(128, 128), Use::Thumbnail}, std::pair{QSize(352, 240), Use::Show}}) {
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        const QImage image = PictureReading::ReadFitted(buffer, box, use);
        if (!image.isNull() && (image.width() > box.width() || image.height() > box.height()))
            std::abort();
    }
    // The input as the cache's entry of a picture that exists.
    const QString picture = fuzz::Folder() + "/Skin.JPG";
    const ThumbnailCache cache(fuzz::Folder() + "/thumbnails");
    const QString entry = cache.PathOf(picture, ThumbnailCache::kNormal);
    QDir().mkpath(fuzz::Folder() + "/thumbnails/normal");
    fuzz::WriteFile(entry, bytes);
    cache.Find(picture, ThumbnailCache::kNormal);
    return 0;
}
