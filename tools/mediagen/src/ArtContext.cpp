#include "ArtContext.h"
#include "ImageWriters.h"

void ArtContext::png(const std::string& path, const Image& img) { out.write(path, imagefile::png(img)); }

void ArtContext::tga(const std::string& path, const Image& img, bool storeTopFirst) {
    out.write(path, imagefile::tga(img, storeTopFirst));
}

void ArtContext::bmp(const std::string& path, const Image& img) { out.write(path, imagefile::bmp(img)); }
