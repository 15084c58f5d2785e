// Card picture files: JPEG at quality 90, written whole or not at all.
#pragma once

#include <QByteArray>
#include <QImage>
#include <string>

namespace lmn::maker {

inline constexpr int kJpegQuality = 90;

// The JPEG bytes of image composited onto an opaque background; empty when encoding fails.
QByteArray EncodeJpeg(const QImage& image);
// Writes the JPEG through a temporary file in the same folder and a rename, so the path holds
// either its old file or the complete new one.
bool SaveJpeg(const QImage& image, const std::string& path);

}  // namespace lmn::maker
