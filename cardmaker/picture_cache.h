// Decoded pictures kept between repaints. A picture is decoded again only when its file
// changes (modification time or size), and a scaled copy is made again only when the
// wanted size changes, so dragging the selection frame over a large photo stays smooth.
#pragma once

#include <QImage>
#include <QSize>
#include <cstdint>
#include <string>
#include <unordered_map>

namespace lmn::maker {

// Decodes a picture file (format taken from its content); a null image when it cannot be loaded.
QImage LoadPicture(const std::string& path);

class PictureCache {
  public:
    // The picture at path scaled to exactly size (smooth scaling, aspect ratio not kept);
    // nullptr when the file cannot be loaded or size is empty.
    const QImage* Scaled(const std::string& path, QSize size);
    // The picture's own pixel size; an empty size when it cannot be loaded.
    QSize SizeOf(const std::string& path);

    // How many times a file was decoded (for the benchmark and the tests).
    int decodeCount() const { return decodeCount_; }

  private:
    struct Entry {
        int64_t mtimeNs = -1;
        int64_t fileSize = -1;
        QImage original;
        QImage scaled;
    };
    Entry* Fresh(const std::string& path);

    std::unordered_map<std::string, Entry> entries_;
    int decodeCount_ = 0;
};

}  // namespace lmn::maker
