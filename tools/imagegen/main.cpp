// imagegen <folder>: draws Kvoro's bitmaps and icon into folder.
#include <exception>
#include <iostream>
#include <string>

#include "artwork.h"
#include "files.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: imagegen <folder>\n";
        return 2;
    }
    using namespace imagegen;
    const std::string folder = std::string(argv[1]) + "/";
    try {
        writeFile(folder + "banner_kvoro.bmp", encodeBmp(titleBanner("Kvoro", 250, 100)));
        writeFile(folder + "banner_maxi.bmp", encodeBmp(maxiBanner()));
        writeFile(folder + "cross.bmp", encodeBmp(crossBitmap()));
        writeFile(folder + "about_banner.bmp", encodeBmp(aboutBanner()));
        writeFile(folder + "kvoro.ico", encodeIco({iconImage(32), iconImage(48)}));
    } catch (const std::exception& e) {
        std::cerr << "imagegen: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
