// Large pictures: decoded beyond Qt's own allocation limit when the machine can hold them,
// refused with the reason when it cannot, and shown in parts so a zoom step never scales the
// whole picture.
#include "picture_cache.h"

#include <gtest/gtest.h>

#include <QImageReader>
#include <cstdlib>

#include "card_pictures.h"
#include "paths.h"
#include "png_chunks.h"
#include "temp_dir.h"

using namespace lmn::maker;
using namespace lmn::test;

namespace {

// Mean absolute difference of the colour channels, 0..255.
double MeanDifference(const QImage& a, const QImage& b) {
    EXPECT_EQ(a.size(), b.size());
    if (a.size() != b.size()) return 255;
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            QColor p = a.pixelColor(x, y), q = b.pixelColor(x, y);
            sum +=
                std::abs(p.red() - q.red()) + std::abs(p.green() - q.green()) + std::abs(p.blue() - q.blue());
        }
    return sum / (3.0 * a.width() * a.height());
}

// A smooth picture (no pattern finer than a few pixels), so scaling methods agree closely.
QImage SmoothPicture(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb(x * 255 / w, y * 255 / h, (x + y) * 127 / (w + h)));
    return image;
}

class LargePictures : public ::testing::Test {
  protected:
    void SetUp() override { savedLimit = QImageReader::allocationLimit(); }
    void TearDown() override { QImageReader::setAllocationLimit(savedLimit); }
    TempDir dir;
    int savedLimit = 0;
};

TEST_F(LargePictures, APictureBeyondQtsLimitOpensWhenTheMachineCanHoldIt) {
    SavePng(GradientPicture(1200, 900), dir / "big.png");
    QImageReader::setAllocationLimit(1);  // 1 MB: the picture needs about 4 MB
    PictureLoad load = ReadPicture(dir / "big.png", int64_t{64} << 20);
    EXPECT_EQ(load.fault, PictureFault::None);
    ASSERT_EQ(load.image.size(), QSize(1200, 900));
    EXPECT_EQ(load.image.pixelColor(300, 200), QColor(300 % 256, 200, 60));
    EXPECT_EQ(QImageReader::allocationLimit(), 1);  // the program's other images keep Qt's limit
}

TEST_F(LargePictures, APictureBeyondTheMemoryBudgetIsRefusedWithItsSize) {
    SavePng(GradientPicture(1200, 900), dir / "big.png");
    PictureLoad load = ReadPicture(dir / "big.png", int64_t{1} << 20);
    EXPECT_EQ(load.fault, PictureFault::TooLarge);
    EXPECT_EQ(load.size, QSize(1200, 900));
    EXPECT_TRUE(load.image.isNull());

    lmn::WriteFileAtomic(dir / "broken.jpg", "\xFF\xD8 not really");
    EXPECT_EQ(ReadPicture(dir / "broken.jpg", int64_t{64} << 20).fault, PictureFault::Unreadable);
    EXPECT_EQ(ReadPicture(dir / "missing.jpg", int64_t{64} << 20).fault, PictureFault::Unreadable);

    PictureCache cache;
    QSize declared;
    EXPECT_EQ(cache.FaultOf(dir / "broken.jpg", &declared), PictureFault::Unreadable);
    EXPECT_EQ(cache.FaultOf(dir / "big.png", &declared), PictureFault::None);
    EXPECT_EQ(declared, QSize(1200, 900));
}

// A PNG chunk's declared length is allocated before it is read: a file whose chunk claims more than
// the file holds is refused before it reaches the decoder, and a whole PNG still passes.
TEST_F(LargePictures, APngChunkLongerThanTheFileIsRefusedBeforeDecoding) {
    SavePng(GradientPicture(40, 30), dir / "whole.png");
    std::string png;
    ASSERT_TRUE(lmn::ReadFile(dir / "whole.png", png));
    EXPECT_TRUE(PngChunksFitFile(png));
    EXPECT_TRUE(PngChunksFitFile("GIF89a not a PNG at all"));
    EXPECT_FALSE(PngChunksFitFile(png.substr(0, png.size() - 20)));  // cut inside the pixel data

    const size_t afterHeader = 8 + 8 + 13 + 4;
    std::string bomb = png;
    bomb.insert(afterHeader, std::string("\x30\x00\x00\x00tEXt", 8) + "Comment\0x" + "crc!");
    EXPECT_FALSE(PngChunksFitFile(bomb));
    lmn::WriteFileAtomic(dir / "bomb.png", bomb);
    EXPECT_EQ(ReadPicture(dir / "bomb.png", int64_t{64} << 20).fault, PictureFault::Unreadable);
    EXPECT_EQ(ReadPicture(dir / "whole.png", int64_t{64} << 20).fault, PictureFault::None);
}

// A large picture shown in parts looks like the part of the whole scaled picture, for zooms that
// use the original, one halved copy and several.
TEST_F(LargePictures, PartsOfALargePictureMatchTheWholeScaledPicture) {
    const QImage original = SmoothPicture(1600, 1200);
    SavePng(original, dir / "large.png");
    PictureCache inParts(100 * 100), whole(int64_t{1} << 40);
    for (QSize size : {QSize(1600, 1200), QSize(1440, 1080), QSize(700, 525), QSize(150, 112)}) {
        const QRect visible =
            QRect(size.width() / 5, size.height() / 4, 209, 212).intersected(QRect(QPoint(), size));
        QImage part = inParts.ScaledPart(dir / "large.png", size, visible);
        QImage reference = whole.ScaledPart(dir / "large.png", size, visible);
        ASSERT_FALSE(part.isNull()) << size.width();
        EXPECT_EQ(part.size(), visible.size());
        EXPECT_LT(MeanDifference(part, reference), 2.0) << size.width();
    }
    EXPECT_EQ(inParts.ScaledPart(dir / "large.png", QSize(1600, 1200), QRect(5, 7, 3, 2)),
              original.convertToFormat(QImage::Format_ARGB32_Premultiplied).copy(5, 7, 3, 2));
    EXPECT_TRUE(inParts.ScaledPart(dir / "large.png", QSize(700, 525), QRect(800, 0, 10, 10)).isNull());
    EXPECT_EQ(inParts.decodeCount(), 1);
}

}  // namespace
