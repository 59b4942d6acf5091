#include "app/Context.h"

#include "app/Messages.h"

namespace tolvane {

Context::Context(Platform& platform)
    : platform(platform), log(platform), settings(platform.registry), ini(platform.files)
{
    // Without an engine nothing plays at all; the user is told why, once.
    platform.engine.onFailure = [this](const QString& reason) {
        log.LogWrite("媒體引擎無法啟動:" + reason);
        ShowMessage(this->platform.prompter,
                    "無法啟動媒體播放引擎,所有影音檔與音樂光碟都無法播放。\r\n" + reason, "error");
    };
    // A save that failed is told once a file, until a save of it succeeds again; the
    // old file stays and what was to be saved is kept for the next save.
    FileNotices::Notice saveFailed = [this](const QString& path, const QString& reason) {
        log.LogWriteKept("無法儲存" + path + ":" + reason);
        ShowMessage(this->platform.prompter,
                    "無法儲存 " + path + "\r\n" + reason +
                        "\r\n原來的檔案沒有改變,下次儲存時會再試一次。",
                    "exc");
    };
    FileNotices::Notice setAside = [this](const QString& path, const QString& keptAs) {
        log.LogWriteKept("無法讀取" + path + ",原檔保留為" + keptAs);
        ShowMessage(this->platform.prompter,
                    "無法讀取設定檔 " + path + " 的內容。\r\n原來的檔案保留為 " + keptAs +
                        ",讀不到的設定改用預設值。",
                    "exc");
    };
    platform.registry.notices.Listen(saveFailed, setAside);
    ini.Notices().Listen(saveFailed, setAside);
    skin.CacheSaves.Listen(saveFailed, setAside);
}

Context::~Context()
{
    platform.engine.onFailure = nullptr;
    platform.registry.notices.Listen(nullptr, nullptr);
}

void Context::EndProcess(int code)
{
    ended_ = true;
    log.Flush();
    platform.process.End(code);
}

} // namespace tolvane
