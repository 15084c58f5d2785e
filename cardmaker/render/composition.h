// Everything the preview needs to compose one card: the two pictures, the selection frame,
// the zoom, and the texts with their options.
#pragma once

#include <QString>
#include <string>

namespace lmn::maker {

// The card surface and the picture window on it, in pixels.
inline constexpr int kCardWidth = 290;
inline constexpr int kCardHeight = 420;
inline constexpr int kFrameWidth = 209;
inline constexpr int kFrameHeight = 212;
inline constexpr int kMaxZoom = 1000;

struct CardComposition {
    std::string cardPicturePath;  // the old card's big picture
    std::string newPicturePath;   // the picture put into the card's picture window
    int frameX = 0;               // selection frame in the main window's client area
    int frameY = 0;
    int zoom = 0;  // 0..1000: the new picture is shown at (1000 - zoom) / 1000 of its size
    bool changeCharacter = false;
    QString name;
    QString title;
    QString voiceActor;
    QString introduction;
    QString ability;
    bool titleMarks = true;
    bool cvPrefix = true;
    bool bold = false;
    bool smooth = true;
    QString fontFace;
};

}  // namespace lmn::maker
