#pragma once
// Where the board's sounds go: the program plays WAVE resources of its own
// module; tests put a recorder in its place.

namespace kvoro {

class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // Starts the sound and returns at once.
    virtual void PlayAsync(int resourceId) = 0;
    // Returns when the sound has ended.
    virtual void PlaySync(int resourceId) = 0;
};

// The sound of an entry, played to its end: a zero entry's (result -1), or
// the "Kvoro" row's when it scored; none for any other entry.
void PlayEntrySound(SoundPlayer& sounds, int result, int row);

// PlaySoundA with the program's WAVE resources.
class ResourceSoundPlayer : public SoundPlayer {
public:
    void PlayAsync(int resourceId) override;
    void PlaySync(int resourceId) override;
};

}  // namespace kvoro
