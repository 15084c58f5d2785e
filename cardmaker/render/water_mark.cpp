#include "water_mark.h"

#include <QPainter>

#include "composition.h"

namespace lmn::maker {

namespace {

// Copies the part of image placed at topLeft that falls inside clip, pixel for pixel.
void DrawClipped(QImage& surface, const QImage& image, QPoint topLeft, const QRect& clip) {
    QRect target = QRect(topLeft, image.size()).intersected(clip);
    if (target.isEmpty()) return;
    QPainter painter(&surface);
    painter.drawImage(target, image, target.translated(-topLeft));
}

}  // namespace

int ZoomedLength(int zoom, int length) {
    return static_cast<int>(static_cast<long long>(kMaxZoom - zoom) * length / kMaxZoom);
}

void WaterMark::DrawZoomed(QImage& surface, int zoom, const std::string& path, QPoint topLeft,
                           const QRect& clip) {
    const QSize own = cache_.SizeOf(path);
    if (own.isEmpty()) return;
    const QSize size(ZoomedLength(zoom, own.width()), ZoomedLength(zoom, own.height()));
    const QRect target = QRect(topLeft, size).intersected(clip);
    if (target.isEmpty()) return;
    const QImage part = cache_.ScaledPart(path, size, target.translated(-topLeft));
    if (!part.isNull()) QPainter(&surface).drawImage(target.topLeft(), part);
}

void WaterMark::DrawCardPicture(QImage& surface, const std::string& path) {
    if (const QImage* card = cache_.Scaled(path, surface.size()))
        DrawClipped(surface, *card, QPoint(0, 0), surface.rect());
}

void WaterMark::DrawNewPicture(QImage& surface, int zoom, int frameX, int frameY, const std::string& path) {
    DrawZoomed(surface, zoom, path, QPoint(kNewPictureOriginX - frameX, kNewPictureOriginY - frameY),
               kPictureWindow);
}

void WaterMark::DrawFramePicture(QImage& surface, int x, int y, const std::string& path) {
    if (const QImage* frame = cache_.Scaled(path, QSize(kFrameWidth, kFrameHeight))) {
        QPainter painter(&surface);
        painter.drawImage(QPoint(x, y), *frame);
    }
}

void WaterMark::DrawZoomedPicture(QImage& surface, int zoom, const std::string& path) {
    DrawZoomed(surface, zoom, path, QPoint(0, 0), surface.rect());
}

}  // namespace lmn::maker
