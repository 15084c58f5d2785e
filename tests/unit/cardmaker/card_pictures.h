// Synthetic pictures for the card maker tests: a card whose frame regions have known colours
// and a new picture whose every pixel tells where it came from.
#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <string>

namespace lmn::test {

inline const QColor kCardGrey(128, 128, 128);
inline const QColor kNameBandColour(200, 40, 40);    // around (30, 30)
inline const QColor kVoiceBandColour(40, 200, 40);   // around (30, 67)
inline const QColor kTextBandColour(230, 230, 200);  // around (30, 326)
inline const QColor kWindowColour(250, 250, 0);      // the old picture in the picture window
inline const QColor kOldTextColour(20, 20, 20);      // the old card's texts inside the bands

// 290 x 420: grey, with the three band regions, old texts in them and the picture window.
QImage SyntheticCard();
// A card of our own making for demos and screenshots: frame, bands with texts and a picture.
QImage DemoCard(const QString& name, const QString& title, const QColor& frame);
// A landscape "photo" of w x h: sky, sun and hills.
QImage DemoPhoto(int w, int h);
// A w x h picture whose pixel (x, y) is (x % 256, y % 256, 60).
QImage GradientPicture(int w, int h);
// Writes image losslessly (PNG bytes) to path; the file name may end in ".jpg".
void SavePng(const QImage& image, const std::string& path);

// Bounding box of the pixels inside area for which pred(colour) holds; empty when none.
template <typename Pred>
QRect InkBox(const QImage& image, const QRect& area, Pred pred) {
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (pred(image.pixelColor(x, y))) box = box.united(QRect(x, y, 1, 1));
    return box;
}

bool IsDark(const QColor& c);
bool IsRed(const QColor& c);
// Sum of (255 - grey level) over area.
long long Darkness(const QImage& image, const QRect& area);

}  // namespace lmn::test
