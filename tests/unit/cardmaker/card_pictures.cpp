#include "card_pictures.h"

#include <QBuffer>
#include <QPainter>

#include "temp_dir.h"

namespace lmn::test {

QImage SyntheticCard() {
    QImage card(290, 420, QImage::Format_RGB32);
    card.fill(kCardGrey);
    QPainter p(&card);
    p.fillRect(QRect(20, 20, 255, 40), kNameBandColour);
    p.fillRect(QRect(20, 60, 255, 25), kVoiceBandColour);
    p.fillRect(QRect(20, 315, 255, 70), kTextBandColour);
    p.fillRect(QRect(41, 89, 209, 212), kWindowColour);
    for (QRect old :
         {QRect(60, 35, 80, 12), QRect(200, 35, 50, 12), QRect(150, 66, 90, 8), QRect(40, 330, 200, 40)})
        p.fillRect(old, kOldTextColour);
    return card;
}

QImage GradientPicture(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) image.setPixel(x, y, qRgb(x % 256, y % 256, 60));
    return image;
}

void SavePng(const QImage& image, const std::string& path) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    WriteTestFile(path, std::string(bytes.constData(), static_cast<size_t>(bytes.size())));
}

bool IsDark(const QColor& c) {
    return c.red() < 90 && c.green() < 90 && c.blue() < 90;
}

bool IsRed(const QColor& c) {
    return c.red() > 150 && c.green() < 120 && c.blue() < 120;
}

long long Darkness(const QImage& image, const QRect& area) {
    long long sum = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) sum += 255 - qGray(image.pixel(x, y));
    return sum;
}

}  // namespace lmn::test
