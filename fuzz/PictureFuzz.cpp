// A skin picture as the skin menu and the layout reading measure it: the size from the
// header by the file's extension, and the size Qt's reader gives, without decoding
// the picture.
#include "FuzzSupport.h"
#include "platform/DosFiles.h"
#include "skins/SkinLoader.h"

#include <QGuiApplication>

using namespace tolvane;

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::Application<QGuiApplication>();
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
    return 0;
}
