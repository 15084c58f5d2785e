// A picture file chosen by the player: read within a small memory budget, then drawn in parts as
// the main window and the preview draw it at a few zooms.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "picture_cache.h"

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

std::string ScratchFile() {
    return "/tmp/lmn-picture-fuzz-" + std::to_string(getpid()) + ".img";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = ScratchFile();
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return 0;
    std::fwrite(data, 1, size, f);
    std::fclose(f);

    constexpr int64_t kBudget = int64_t{1} << 20;
    lmn::maker::PictureLoad load = lmn::maker::ReadPicture(path, kBudget);
    Check(load.image.isNull() == (load.fault != lmn::maker::PictureFault::None));
    Check(load.image.isNull() || int64_t{load.image.width()} * load.image.height() * 4 <= kBudget);
    if (!load.image.isNull()) {
        lmn::maker::PictureCache cache(64 * 64);
        const QSize own = cache.SizeOf(path);
        for (int zoom : {0, 300, 999}) {
            const QSize size(own.width() * (1000 - zoom) / 1000, own.height() * (1000 - zoom) / 1000);
            const QRect visible(size.width() / 3, size.height() / 3, 209, 212);
            QImage part = cache.ScaledPart(path, size, visible);
            Check(part.isNull() || part.size() == visible.intersected(QRect(QPoint(), size)).size());
        }
    }
    std::remove(path.c_str());
    return 0;
}
