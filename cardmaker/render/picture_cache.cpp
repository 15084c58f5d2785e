#include "picture_cache.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <algorithm>
#include <climits>

#include "paths.h"
#include "png_chunks.h"

namespace lmn::maker {

namespace {

bool FileStamp(const std::string& path, int64_t& mtimeNs, int64_t& size) {
    struct stat st;
    if (path.empty()) return false;
    if (stat(NativePath(path).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    mtimeNs = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    size = static_cast<int64_t>(st.st_size);
    return true;
}

constexpr int64_t kBytesPerPixel = 4;

}  // namespace

int64_t PictureMemoryBudget() {
    const long pages = sysconf(_SC_AVPHYS_PAGES), pageSize = sysconf(_SC_PAGESIZE);
    if (pages <= 0 || pageSize <= 0) return int64_t{256} << 20;
    return static_cast<int64_t>(pages) * pageSize / 2;
}

PictureLoad ReadPicture(const std::string& path, int64_t memoryBudget) {
    PictureLoad load;
    std::string bytes;
    if (path.empty() || !ReadFile(path, bytes) || bytes.size() > static_cast<size_t>(INT_MAX) ||
        !PngChunksFitFile(bytes)) {
        load.fault = PictureFault::Unreadable;
        return load;
    }
    QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    load.size = reader.size();
    if (load.size.isValid() &&
        int64_t{load.size.width()} * load.size.height() * kBytesPerPixel > memoryBudget) {
        load.fault = PictureFault::TooLarge;
        return load;
    }
    // Some formats give their size only with the pixels, or declare one size and decode another:
    // Qt's allocation limit, set to the budget while this picture decodes, bounds them all.
    const int previousLimitMb = QImageReader::allocationLimit();
    QImageReader::setAllocationLimit(
        static_cast<int>(std::clamp<int64_t>((memoryBudget + (1 << 20) - 1) >> 20, 1, INT_MAX)));
    QImage image = reader.read();
    QImageReader::setAllocationLimit(previousLimitMb);
    if (image.isNull()) {
        load.fault = PictureFault::Unreadable;
        return load;
    }
    load.size = image.size();
    // The limit is in whole megabytes, so the decoded picture is checked against the budget itself.
    if (int64_t{image.width()} * image.height() * kBytesPerPixel > memoryBudget) {
        load.fault = PictureFault::TooLarge;
        return load;
    }
    load.image = std::move(image).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    return load;
}

QImage LoadPicture(const std::string& path) {
    return ReadPicture(path, PictureMemoryBudget()).image;
}

PictureCache::Entry* PictureCache::Fresh(const std::string& path) {
    int64_t mtimeNs = 0, size = 0;
    if (!FileStamp(path, mtimeNs, size)) {
        entries_.erase(path);
        return nullptr;
    }
    Entry& e = entries_[path];
    if (e.mtimeNs != mtimeNs || e.fileSize != size) {
        e.mtimeNs = mtimeNs;
        e.fileSize = size;
        e.load = PictureLoad();  // the old pixels go before the new ones are decoded
        e.scaled = QImage();
        e.halves.clear();
        e.load = ReadPicture(path, PictureMemoryBudget());
        ++decodeCount_;
    }
    return &e;
}

QSize PictureCache::SizeOf(const std::string& path) {
    Entry* e = Fresh(path);
    return e && !e->load.image.isNull() ? e->load.image.size() : QSize();
}

PictureFault PictureCache::FaultOf(const std::string& path, QSize* declaredSize) {
    Entry* e = Fresh(path);
    if (declaredSize) *declaredSize = e ? e->load.size : QSize();
    return e ? e->load.fault : PictureFault::Unreadable;
}

const QImage* PictureCache::Scaled(const std::string& path, QSize size) {
    if (size.isEmpty()) return nullptr;
    Entry* e = Fresh(path);
    if (!e || e->load.image.isNull()) return nullptr;
    const QImage& original = e->load.image;
    if (size == original.size()) return &original;
    if (e->scaled.size() != size)
        e->scaled = original.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return &e->scaled;
}

const QImage& PictureCache::NearestLevel(Entry& e, QSize size) {
    const QImage* level = &e.load.image;
    size_t next = 0;
    while (true) {
        const QSize half(level->width() / 2, level->height() / 2);
        if (half.width() < size.width() || half.height() < size.height() || half.isEmpty()) return *level;
        if (next == e.halves.size())
            e.halves.push_back(level->scaled(half, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        level = &e.halves[next++];
    }
}

QImage PictureCache::ScaledPart(const std::string& path, QSize size, QRect visible) {
    visible = visible.intersected(QRect(QPoint(0, 0), size));
    if (visible.isEmpty()) return {};
    Entry* e = Fresh(path);
    if (!e || e->load.image.isNull()) return {};
    const QImage& original = e->load.image;
    if (size == original.size()) return original.copy(visible);
    if (int64_t{original.width()} * original.height() <= largePixels_) {
        const QImage* whole = Scaled(path, size);
        return whole ? whole->copy(visible) : QImage();
    }
    const QImage& level = NearestLevel(*e, size);
    const double sx = double(level.width()) / size.width(), sy = double(level.height()) / size.height();
    const QRectF source(visible.x() * sx, visible.y() * sy, visible.width() * sx, visible.height() * sy);
    QImage part(visible.size(), QImage::Format_ARGB32_Premultiplied);
    part.fill(Qt::transparent);
    QPainter painter(&part);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(QRectF(part.rect()), level, source);
    return part;
}

}  // namespace lmn::maker
