#include "card_pictures.h"

#include <QBuffer>
#include <QLinearGradient>
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

QImage DemoCard(const QString& name, const QString& title, const QColor& frame) {
    QImage card(290, 420, QImage::Format_RGB32);
    QPainter p(&card);
    QLinearGradient g(0, 0, 290, 420);
    g.setColorAt(0, frame.lighter(140));
    g.setColorAt(1, frame.darker(160));
    p.fillRect(card.rect(), g);
    p.setPen(QPen(QColor(240, 220, 140), 3));
    p.drawRect(QRect(8, 8, 273, 403));
    p.fillRect(QRect(26, 26, 240, 32), QColor(250, 244, 225));
    p.fillRect(QRect(32, 61, 236, 20), QColor(235, 228, 205));
    p.fillRect(QRect(26, 320, 240, 62), QColor(250, 244, 225));
    QLinearGradient sky(0, 89, 0, 301);
    sky.setColorAt(0, QColor(90, 60, 140));
    sky.setColorAt(1, QColor(230, 140, 120));
    p.fillRect(QRect(41, 89, 209, 212), sky);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(40, 30, 70));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(145, 250), 50, 70);
    p.setPen(Qt::black);
    QFont f(QStringLiteral("AR PL UMing CN"));
    f.setPixelSize(18);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRect(32, 30, 230, 26), Qt::AlignLeft | Qt::AlignVCenter, name);
    p.drawText(QRect(32, 30, 230, 26), Qt::AlignRight | Qt::AlignVCenter, title);
    f.setPixelSize(12);
    p.setFont(f);
    p.drawText(QRect(36, 62, 226, 18), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("CV：原声优"));
    p.drawText(QRect(32, 324, 228, 54), Qt::TextWordWrap, QStringLiteral("原卡片的简介文字。"));
    p.setPen(QColor(250, 240, 200));
    p.drawText(QRect(26, 388, 240, 20), Qt::AlignCenter, QStringLiteral("LUMENFOLD"));
    return card;
}

QImage DemoPhoto(int w, int h) {
    QImage photo(w, h, QImage::Format_RGB32);
    QPainter p(&photo);
    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0, QColor(60, 120, 220));
    sky.setColorAt(1, QColor(250, 200, 150));
    p.fillRect(photo.rect(), sky);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 230, 90));
    p.drawEllipse(QPointF(w * 0.7, h * 0.3), w * 0.08, w * 0.08);
    p.setBrush(QColor(50, 140, 80));
    p.drawEllipse(QPointF(w * 0.25, h * 1.05), w * 0.5, h * 0.4);
    p.setBrush(QColor(30, 100, 60));
    p.drawEllipse(QPointF(w * 0.8, h * 1.1), w * 0.45, h * 0.45);
    return photo;
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
