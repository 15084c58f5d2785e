// Draws the two pictures of a card: the old card picture as the background and the chosen
// part of the new picture in the card's picture window.
#pragma once

#include <QImage>
#include <QRect>
#include <string>

#include "picture_cache.h"

namespace lmn::maker {

// The picture window on the card surface (left, top, width, height) and where the new picture
// starts relative to the selection frame: 5 pixels left of the window's left edge.
inline const QRect kPictureWindow(41, 89, 209, 212);
inline constexpr int kNewPictureOriginX = 36;
inline constexpr int kNewPictureOriginY = 89;

class WaterMark {
  public:
    // The card picture at (0, 0) stretched to the surface size; nothing when it cannot be loaded.
    void DrawCardPicture(QImage& surface, const std::string& path);
    // The new picture at the zoom, clipped to the picture window, at (36 - frameX, 89 - frameY).
    void DrawNewPicture(QImage& surface, int zoom, int frameX, int frameY, const std::string& path);
    // The new picture at the zoom at (0, 0), as the main window shows it under the frame.
    void DrawZoomedPicture(QImage& surface, int zoom, const std::string& path);

    // The selection frame's picture at (x, y), scaled to the frame size.
    void DrawFramePicture(QImage& surface, int x, int y, const std::string& path);

    bool CanLoad(const std::string& path) { return !cache_.SizeOf(path).isEmpty(); }

    const PictureCache& cache() const { return cache_; }

    // Why the picture at path cannot be drawn (None when it can).
    PictureFault FaultOf(const std::string& path, QSize* declaredSize) {
        return cache_.FaultOf(path, declaredSize);
    }

  private:
    // The picture at the zoom placed at topLeft, only its part inside clip.
    void DrawZoomed(QImage& surface, int zoom, const std::string& path, QPoint topLeft, const QRect& clip);

    PictureCache cache_;
};

// Size of a picture length shown at the zoom: trunc((1000 - zoom) * length / 1000).
int ZoomedLength(int zoom, int length);

}  // namespace lmn::maker
