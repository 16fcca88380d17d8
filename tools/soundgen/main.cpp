// soundgen <folder>: synthesises the game's sounds into the folder.
#include <cstdio>
#include <string>

#include "riff.h"
#include "sounds.h"
#include "wave.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: soundgen <folder>\n");
        return 2;
    }
    using Synth = std::vector<std::int16_t> (*)();
    const struct {
        const char* name;
        Synth synth;
    } sounds[] = {
        {"kvoro.wav", kvoro::kvoroFanfare}, {"roll1.wav", kvoro::cupRattle}, {"roll2.wav", kvoro::tableRattle},
        {"roll3.wav", kvoro::pourRattle},   {"zero.wav", kvoro::zeroSigh},
    };
    for (const auto& sound : sounds) {
        const std::string path = std::string(argv[1]) + "/" + sound.name;
        if (!kvoro::writeFile(path, kvoro::buildWave(sound.synth(), kvoro::kSampleRate))) {
            std::fprintf(stderr, "soundgen: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
