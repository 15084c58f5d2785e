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

const QImage* WaterMark::Zoomed(int zoom, const std::string& path) {
    QSize own = cache_.SizeOf(path);
    if (own.isEmpty()) return nullptr;
    return cache_.Scaled(path, QSize(ZoomedLength(zoom, own.width()), ZoomedLength(zoom, own.height())));
}

void WaterMark::DrawCardPicture(QImage& surface, const std::string& path) {
    if (const QImage* card = cache_.Scaled(path, surface.size()))
        DrawClipped(surface, *card, QPoint(0, 0), surface.rect());
}

void WaterMark::DrawNewPicture(QImage& surface, int zoom, int frameX, int frameY, const std::string& path) {
    if (const QImage* picture = Zoomed(zoom, path)) {
        QPoint topLeft(kNewPictureOriginX - frameX, kNewPictureOriginY - frameY);
        DrawClipped(surface, *picture, topLeft, kPictureWindow);
    }
}

void WaterMark::DrawFramePicture(QImage& surface, int x, int y, const std::string& path) {
    if (const QImage* frame = cache_.Scaled(path, QSize(kFrameWidth, kFrameHeight))) {
        QPainter painter(&surface);
        painter.drawImage(QPoint(x, y), *frame);
    }
}

void WaterMark::DrawZoomedPicture(QImage& surface, int zoom, const std::string& path) {
    if (const QImage* picture = Zoomed(zoom, path))
        DrawClipped(surface, *picture, QPoint(0, 0), surface.rect());
}

}  // namespace lmn::maker
