#include "jpeg_file.h"

#include <QBuffer>
#include <QImageWriter>

#include "paths.h"

namespace lmn::maker {

QByteArray EncodeJpeg(const QImage& image) {
    if (image.isNull()) return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(kJpegQuality);
    if (!writer.write(image.convertToFormat(QImage::Format_RGB32))) return {};
    return bytes;
}

bool SaveJpeg(const QImage& image, const std::string& path) {
    QByteArray bytes = EncodeJpeg(image);
    if (bytes.isEmpty()) return false;
    return WriteFileAtomic(path, std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
}

}  // namespace lmn::maker
