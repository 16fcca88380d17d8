#include "ui/sound_player.h"

#include <windows.h>
#include <mmsystem.h>

#include "framework/window.h"

namespace kvoro {

// A sound that cannot play is silently lost.
void ResourceSoundPlayer::PlayAsync(int resourceId) {
    PlaySoundA(MAKEINTRESOURCEA(resourceId), AppInstance(), SND_RESOURCE | SND_ASYNC);
}

void ResourceSoundPlayer::PlaySync(int resourceId) {
    PlaySoundA(MAKEINTRESOURCEA(resourceId), AppInstance(), SND_RESOURCE);
}

}  // namespace kvoro
