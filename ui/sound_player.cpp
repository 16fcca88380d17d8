#include "ui/sound_player.h"

#include <windows.h>
#include <mmsystem.h>

#include "framework/window.h"
#include "game/rules.h"
#include "res/resource.h"

namespace kvoro {

void PlayEntrySound(SoundPlayer& sounds, int result, int row) {
    if (result == -1) {
        sounds.PlaySync(IDR_WAVE_ZERO);
    } else if (row == Kvoro) {
        sounds.PlaySync(IDR_WAVE_KVORO);
    }
}

// A sound that cannot play is silently lost.
void ResourceSoundPlayer::PlayAsync(int resourceId) {
    PlaySoundA(MAKEINTRESOURCEA(resourceId), AppInstance(), SND_RESOURCE | SND_ASYNC);
}

void ResourceSoundPlayer::PlaySync(int resourceId) {
    PlaySoundA(MAKEINTRESOURCEA(resourceId), AppInstance(), SND_RESOURCE);
}

}  // namespace kvoro
