// dicegen <path/dice.avi>: renders the dice clip and writes it as an AVI file.
#include <cstdio>

#include "dice_clip.h"
#include "riff.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: dicegen <dice.avi>\n");
        return 2;
    }
    if (!kvoro::writeFile(argv[1], kvoro::buildRle8Avi(kvoro::renderDiceClip()))) {
        std::fprintf(stderr, "dicegen: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
