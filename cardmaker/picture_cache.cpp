#include "picture_cache.h"

#include <sys/stat.h>

#include "paths.h"

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

}  // namespace

QImage LoadPicture(const std::string& path) {
    std::string bytes;
    if (path.empty() || !ReadFile(path, bytes)) return {};
    QImage image =
        QImage::fromData(reinterpret_cast<const uchar*>(bytes.data()), static_cast<int>(bytes.size()));
    if (image.isNull()) return {};
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
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
        e.original = LoadPicture(path);
        e.scaled = QImage();
        ++decodeCount_;
    }
    return e.original.isNull() ? nullptr : &e;
}

QSize PictureCache::SizeOf(const std::string& path) {
    Entry* e = Fresh(path);
    return e ? e->original.size() : QSize();
}

const QImage* PictureCache::Scaled(const std::string& path, QSize size) {
    if (size.isEmpty()) return nullptr;
    Entry* e = Fresh(path);
    if (!e) return nullptr;
    if (size == e->original.size()) return &e->original;
    if (e->scaled.size() != size)
        e->scaled = e->original.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return &e->scaled;
}

}  // namespace lmn::maker
