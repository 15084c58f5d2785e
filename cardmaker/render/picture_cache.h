// Decoded pictures kept between repaints. A picture is decoded again only when its file
// changes (modification time or size), and a scaled copy is made again only when the
// wanted size changes, so dragging the selection frame over a large photo stays smooth.
// Pictures of more than kLargePicturePixels are never scaled whole: only the part that is
// shown is computed, from the nearest of a set of halved copies, so a zoom step costs the
// size of the window, not the size of the photo.
#pragma once

#include <QImage>
#include <QRect>
#include <QSize>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace lmn::maker {

enum class PictureFault { None, Unreadable, TooLarge };

struct PictureLoad {
    QImage image;
    PictureFault fault = PictureFault::None;
    QSize size;  // the picture's own size when its header could be read
};

// Decodes a picture (format taken from its content) when its pixels fit in memoryBudget bytes.
PictureLoad ReadPicture(const std::string& path, int64_t memoryBudget);
// The memory a decoded picture may take: half of what the machine has available now.
int64_t PictureMemoryBudget();
// ReadPicture within PictureMemoryBudget; a null image when the picture cannot be loaded.
QImage LoadPicture(const std::string& path);

inline constexpr int64_t kLargePicturePixels = 2048 * 2048;

class PictureCache {
  public:
    // largePixels: from how many pixels on a picture is only scaled in parts.
    explicit PictureCache(int64_t largePixels = kLargePicturePixels) : largePixels_(largePixels) {}

    // The picture at path scaled to exactly size (smooth scaling, aspect ratio not kept);
    // nullptr when the file cannot be loaded or size is empty.
    const QImage* Scaled(const std::string& path, QSize size);
    // The part `visible` (in the coordinates of the picture scaled to size) of that picture;
    // a null image when the file cannot be loaded or the part is empty.
    QImage ScaledPart(const std::string& path, QSize size, QRect visible);
    // The picture's own pixel size; an empty size when it cannot be loaded.
    QSize SizeOf(const std::string& path);
    // Why the picture cannot be loaded (None when it can); declaredSize receives the size its
    // header gives, when it could be read.
    PictureFault FaultOf(const std::string& path, QSize* declaredSize = nullptr);

    // How many times a file was decoded (for the benchmark and the tests).
    int decodeCount() const { return decodeCount_; }

  private:
    struct Entry {
        int64_t mtimeNs = -1;
        int64_t fileSize = -1;
        PictureLoad load;
        QImage scaled;
        std::vector<QImage> halves;  // the original halved once, twice, ... (large pictures)
    };
    Entry* Fresh(const std::string& path);
    const QImage& NearestLevel(Entry& e, QSize size);

    int64_t largePixels_;
    std::unordered_map<std::string, Entry> entries_;
    int decodeCount_ = 0;
};

}  // namespace lmn::maker
