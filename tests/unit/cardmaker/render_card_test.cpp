#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetricsF>

#include "card_fonts.h"
#include "card_pictures.h"
#include "card_renderer.h"
#include "temp_dir.h"

using namespace lmn::maker;
using namespace lmn::test;

namespace {

class RenderCardTest : public ::testing::Test {
  protected:
    void SetUp() override {
        SavePng(SyntheticCard(), dir / "card_no_17_big.jpg");
        SavePng(GradientPicture(400, 400), dir / "new.png");
        card.cardPicturePath = dir / "card_no_17_big.jpg";
        card.newPicturePath = dir / "new.png";
        card.fontFace = ChooseCardFace();
    }
    QImage Render() { return renderer.RenderCard(card); }
    QColor At(const QImage& image, int x, int y) { return image.pixelColor(x, y); }
    // The new picture's pixel that should show at card point (x, y).
    QColor Source(int x, int y) {
        int sx = x - (36 - card.frameX), sy = y - (89 - card.frameY);
        return QColor(sx % 256, sy % 256, 60);
    }

    TempDir dir;
    CardComposition card;
    CardRenderer renderer;
};

TEST_F(RenderCardTest, NoCardPictureGivesNoSurface) {
    card.cardPicturePath.clear();
    EXPECT_TRUE(Render().isNull());
}

TEST_F(RenderCardTest, NewPictureIsClippedToThePictureWindowFivePixelsLeftOfTheFrame) {
    QImage image = Render();
    ASSERT_EQ(image.size(), QSize(290, 420));
    EXPECT_EQ(At(image, 41, 89), QColor(5, 0, 60));  // the window shows from 5 px right of the frame edge
    EXPECT_EQ(At(image, 249, 300), Source(249, 300));
    EXPECT_EQ(At(image, 40, 150), kCardGrey);  // just outside the window, left
    EXPECT_EQ(At(image, 250, 150), kCardGrey);
    EXPECT_EQ(At(image, 100, 88), kCardGrey);
    EXPECT_EQ(At(image, 100, 301), kCardGrey);
    EXPECT_EQ(At(image, 20, 20), kNameBandColour);  // the old card elsewhere

    card.frameX = 30;
    card.frameY = 50;
    image = Render();
    EXPECT_EQ(At(image, 41, 89), QColor(35, 50, 60));
    EXPECT_EQ(At(image, 120, 200), Source(120, 200));
}

TEST_F(RenderCardTest, ZoomThousandShowsTheOldCardAndHalfZoomHalvesThePicture) {
    card.zoom = 1000;
    QImage image = Render();
    EXPECT_EQ(At(image, 41, 89), kWindowColour);
    EXPECT_EQ(At(image, 249, 300), kWindowColour);

    card.zoom = 500;  // 200 x 200 from x 36, y 89
    image = Render();
    EXPECT_NE(At(image, 234, 200), kWindowColour);
    EXPECT_EQ(At(image, 236, 200), kWindowColour);
    EXPECT_NE(At(image, 100, 288), kWindowColour);
    EXPECT_EQ(At(image, 100, 289), kWindowColour);
}

TEST_F(RenderCardTest, DraggedFrameLeavesTheUncoveredWindowToTheOldCard) {
    card.frameX = -100;  // picture from x 136
    card.frameY = 300;   // picture ends at y 189
    QImage image = Render();
    EXPECT_EQ(At(image, 41, 100), kWindowColour);
    EXPECT_EQ(At(image, 135, 100), kWindowColour);
    EXPECT_EQ(At(image, 136, 100), Source(136, 100));
    EXPECT_EQ(At(image, 200, 188), Source(200, 188));
    EXPECT_EQ(At(image, 200, 189), kWindowColour);
}

TEST_F(RenderCardTest, MissingNewPictureLeavesTheWindowAlone) {
    card.newPicturePath = dir / "missing.png";
    EXPECT_EQ(At(Render(), 100, 150), kWindowColour);
}

TEST_F(RenderCardTest, ChangingTheCharacterErasesTheThreeBandsWithSampledColours) {
    card.changeCharacter = true;
    card.titleMarks = false;
    card.cvPrefix = false;
    QImage image = Render();
    struct Band {
        QRect area;
        QColor colour;
    };
    for (const Band& b : {Band{QRect(QPoint(30, 30), QPoint(262, 54)), kNameBandColour},
                          Band{QRect(QPoint(30, 325), QPoint(259, 377)), kTextBandColour},
                          Band{QRect(QPoint(36, 63), QPoint(263, 77)), kVoiceBandColour}}) {
        EXPECT_TRUE(InkBox(image, b.area, [&](const QColor& c) { return c != b.colour; }).isEmpty())
            << b.area.x() << "," << b.area.y();
    }
    EXPECT_EQ(At(image, 263, 40), kNameBandColour);
    EXPECT_EQ(At(image, 29, 40), kNameBandColour);
    EXPECT_EQ(At(image, 230, 378), kTextBandColour);

    card.changeCharacter = false;
    EXPECT_EQ(At(Render(), 100, 40), kOldTextColour);
}

TEST_F(RenderCardTest, EmptyTextsStillDrawTheMarksAndCvPrefixRightAligned) {
    card.changeCharacter = true;
    QImage image = Render();
    QRect title = InkBox(image, QRect(140, 28, 150, 30), IsDark);
    QRect voice = InkBox(image, QRect(140, 60, 150, 20), IsDark);
    ASSERT_FALSE(title.isEmpty());
    ASSERT_FALSE(voice.isEmpty());
    EXPECT_LE(title.right(), 268);
    EXPECT_GT(title.left(), 200);
    EXPECT_LE(voice.right(), 253);
    EXPECT_GE(voice.right(), 243);
}

TEST_F(RenderCardTest, NameStartsAtItsOriginAndTitleAndVoiceEndAtTheirRightEdges) {
    card.changeCharacter = true;
    card.titleMarks = false;
    card.cvPrefix = false;
    card.name = "Hikari";
    card.title = "Lumen";
    card.voiceActor = "Aoi";
    QImage image = Render();
    const double nameMargin = 20.0 / 6;     // 15 pt at 96 dpi is 20 px
    const double voiceMargin = 14.667 / 6;  // 11 pt
    QRect name = InkBox(image, QRect(25, 28, 100, 30), IsDark);
    QRect title = InkBox(image, QRect(150, 28, 130, 30), IsDark);
    QRect voice = InkBox(image, QRect(140, 60, 150, 20), IsDark);
    EXPECT_GE(name.left(), 30 + nameMargin - 1);
    EXPECT_LE(name.left(), 30 + nameMargin + 3);
    EXPECT_GT(name.top(), 31);
    EXPECT_LE(name.top(), 31 + 8);
    EXPECT_LE(title.right(), 268 - nameMargin + 1);
    EXPECT_GE(title.right(), 268 - nameMargin - 4);
    EXPECT_LE(voice.right(), 253 - voiceMargin + 1);
    EXPECT_GE(voice.right(), 253 - voiceMargin - 4);
    EXPECT_GT(voice.top(), 63);
}

TEST_F(RenderCardTest, TitleMarksAndCvPrefixAddExactlyTheirCharacters) {
    card.changeCharacter = true;
    card.title = "光之少女";
    card.voiceActor = "田中";
    QImage marked = Render();
    card.titleMarks = false;
    card.cvPrefix = false;
    card.title = "《光之少女》";
    card.voiceActor = "CV：田中";
    EXPECT_EQ(Render(), marked);
    card.title = "光之少女";
    EXPECT_NE(Render(), marked);
}

TEST_F(RenderCardTest, AbilityWithoutIntroductionStartsAtX29InRed) {
    card.changeCharacter = true;
    card.titleMarks = false;
    card.cvPrefix = false;
    card.ability = "HIT";
    QImage image = Render();
    QRect red = InkBox(image, QRect(20, 320, 250, 30), IsRed);
    ASSERT_FALSE(red.isEmpty());
    const double blockMargin = 12.0 / 6;  // 9 pt is 12 px
    EXPECT_GE(red.left(), 29 + blockMargin - 1);
    EXPECT_LE(red.left(), 29 + blockMargin + 3);
    EXPECT_GT(red.top(), 325);
}

TEST_F(RenderCardTest, BoldDrawsNameTitleAndBlockTwiceButTheVoiceOnce) {
    card.changeCharacter = true;
    card.name = "Hikari";
    card.title = "Lumen";
    card.voiceActor = "Aoi";
    QImage once = Render();
    card.bold = true;
    QImage twice = Render();
    QRect nameArea(25, 28, 100, 30), voiceArea(140, 60, 150, 20);
    EXPECT_GT(Darkness(twice, nameArea), Darkness(once, nameArea));
    // The same glyphs at the same place: a second pass darkens edge pixels, it moves nothing.
    QRect onceBox = InkBox(once, nameArea, IsDark);
    EXPECT_TRUE(InkBox(twice, nameArea, IsDark).contains(onceBox));
    EXPECT_TRUE(onceBox.adjusted(-1, -1, 1, 1).contains(InkBox(twice, nameArea, IsDark)));
    EXPECT_EQ(twice.copy(voiceArea), once.copy(voiceArea));
}

TEST_F(RenderCardTest, PicturesAreDecodedOnceWhileTheFrameMoves) {
    for (int x = 0; x < 20; ++x) {
        card.frameX = x;
        Render();
    }
    EXPECT_EQ(renderer.cache().decodeCount(), 2);
    card.zoom = 100;  // rescaling needs no new decode
    Render();
    EXPECT_EQ(renderer.cache().decodeCount(), 2);
    SavePng(GradientPicture(300, 300), dir / "new.png");  // a changed file is read again
    Render();
    EXPECT_EQ(renderer.cache().decodeCount(), 3);
}

TEST(CardFonts, WindowsFaceNamesResolveToInstalledChineseFaces) {
    EXPECT_EQ(ChooseCardFace(), kKaiFace);
    EXPECT_TRUE(QFontInfo(CardFont(kKaiFace, 15, true, true)).family().startsWith("AR PL UKai"));
    EXPECT_TRUE(QFontInfo(CardFont(kSongFace, 15, true, true)).family().startsWith("AR PL UMing"));
    for (const QString& face : {kKaiFace, kSongFace}) {
        QFontMetricsF fm(CardFont(face, 9, false, true));
        for (QChar c : QStringLiteral("光之少女简介能力《》："))
            EXPECT_TRUE(fm.inFont(c)) << face.toStdString();
    }
}

}  // namespace
