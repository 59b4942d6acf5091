#include "playback/PlaybackServices.h"

#include <QTimer>

#include "app/Context.h"
#include "forms/Forms.h"
#include "forms/FrmPlay.h"
#include "forms/FrmVCD.h"
#include "platform/SystemVolume.h"
#include "platform/VideoControl.h"
#include "playback/MediaProcedures.h"
#include "playback/TimeDisplay.h"
#include "playback/VideoWindow.h"
#include "playback/VolumeControl.h"

namespace tolvane {

PlaybackServices::PlaybackServices(Context& context, Forms& forms)
    : context_(context), forms_(forms)
{
}

PlaybackServices::~PlaybackServices() = default;

MediaProcedures& PlaybackServices::Media()
{
    if (!media_) {
        Q_ASSERT(view_);
        Platform& platform = context_.platform;
        MciWindow& main = mainWindowControl_ ? *mainWindowControl_ : *forms_.Vcd().MCIWnd1;
        MciWindow& separate =
            separateWindowControl_ ? *separateWindowControl_ : *forms_.Play().MCIWnd1;
        mediaContext_ = std::unique_ptr<MediaContext>(new MediaContext{
            platform.mci, main, separate, *view_, platform.clock, platform.prompter, platform.files,
            context_.playback, context_.device, context_.log});
        media_ = std::make_unique<MediaProcedures>(*mediaContext_);
        media_->Connect(main);
        media_->Connect(separate);
    }
    return *media_;
}

MediaContext& PlaybackServices::MediaServices()
{
    Media();
    return *mediaContext_;
}

void PlaybackServices::UseVideoControls(MciWindow& main, MciWindow& separate)
{
    mainWindowControl_ = &main;
    separateWindowControl_ = &separate;
}

TimeDisplay& PlaybackServices::Time()
{
    if (!time_) {
        MediaProcedures& media = Media();
        time_ = std::make_unique<TimeDisplay>(*mediaContext_, media, forms_.Vcd());
        // The next item starts once the engine's event that ended this one is
        // handled, as a posted message would; one move per ending.
        time_->hooks.endOfItem = [this] {
            if (itemEndPending_)
                return;
            itemEndPending_ = true;
            QTimer::singleShot(0, &forms_.Vcd(), [this] {
                itemEndPending_ = false;
                if (itemEnded)
                    itemEnded();
            });
        };
        time_->hooks.followLyrics = [this](const QString& posText, double) {
            if (followLyrics)
                followLyrics(posText);
        };
    }
    return *time_;
}

VolumeControl& PlaybackServices::Volume()
{
    if (!volume_) {
        if (!systemVolume_) {
            alsaVolume_ = std::make_unique<AlsaSystemVolume>();
            systemVolume_ = alsaVolume_.get();
        }
        Media();
        volume_ = std::make_unique<VolumeControl>(*mediaContext_, forms_.Vcd(), forms_.Set(),
                                                  forms_.Menu(), *systemVolume_);
    }
    return *volume_;
}

VideoWindow& PlaybackServices::Video()
{
    if (!video_) {
        Media();
        video_ = std::make_unique<VideoWindow>(context_, forms_, *mediaContext_);
    }
    return *video_;
}

} // namespace tolvane
