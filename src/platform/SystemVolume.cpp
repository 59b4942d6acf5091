#include "platform/SystemVolume.h"

#include <QByteArray>
#include <algorithm>
#include <alsa/asoundlib.h>

namespace tolvane {

quint32 DeviceVolumeValue(int level)
{
    const quint32 l = static_cast<quint32>(std::clamp(level, 0, 1000));
    quint32 channel = l * 65536 / 1000;
    // Full scale and the half-way value would not fit the channel's 16 bits as is.
    if (channel == 65536)
        channel = 65535;
    else if (channel == 32768)
        channel = 32767;
    return channel | (channel << 16);
}

long ChannelToRange(quint16 channel, long min, long max)
{
    if (max <= min)
        return min;
    return min + static_cast<long>(static_cast<long long>(max - min) * channel / 65535);
}

namespace {

void SetElement(snd_mixer_elem_t* elem, quint16 left, quint16 right)
{
    long min = 0;
    long max = 0;
    if (snd_mixer_selem_get_playback_volume_range(elem, &min, &max) < 0)
        return;
    snd_mixer_selem_set_playback_volume_all(elem, ChannelToRange(left, min, max));
    if (snd_mixer_selem_has_playback_channel(elem, SND_MIXER_SCHN_FRONT_RIGHT))
        snd_mixer_selem_set_playback_volume(elem, SND_MIXER_SCHN_FRONT_RIGHT,
                                            ChannelToRange(right, min, max));
}

void SetCard(int card, quint16 left, quint16 right)
{
    snd_mixer_t* mixer = nullptr;
    if (snd_mixer_open(&mixer, 0) < 0)
        return;
    const QByteArray name = "hw:" + QByteArray::number(card);
    if (snd_mixer_attach(mixer, name.constData()) == 0 &&
        snd_mixer_selem_register(mixer, nullptr, nullptr) == 0 && snd_mixer_load(mixer) == 0) {
        for (snd_mixer_elem_t* elem = snd_mixer_first_elem(mixer); elem;
             elem = snd_mixer_elem_next(elem)) {
            if (snd_mixer_selem_is_active(elem) && snd_mixer_selem_has_playback_volume(elem))
                SetElement(elem, left, right);
        }
    }
    snd_mixer_close(mixer);
}

} // namespace

void AlsaSystemVolume::SetAll(quint32 deviceValue)
{
    const quint16 left = static_cast<quint16>(deviceValue & 0xFFFF);
    const quint16 right = static_cast<quint16>(deviceValue >> 16);
    int card = -1;
    while (snd_card_next(&card) == 0 && card >= 0)
        SetCard(card, left, right);
}

} // namespace tolvane
