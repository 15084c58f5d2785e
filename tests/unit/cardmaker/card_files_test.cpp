#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QImageReader>

#include "card_outputs.h"
#include "card_paths.h"
#include "card_pictures.h"
#include "card_set.h"
#include "fake_host.h"
#include "jpeg_file.h"
#include "paths.h"
#include "picture_cache.h"
#include "temp_dir.h"

using namespace lmn::maker;
using namespace lmn::test;

namespace {

// The first value of the first quantisation table: 3 for the luminance table at quality 90.
int FirstQuantValue(const std::string& jpeg) {
    for (size_t i = 0; i + 5 < jpeg.size(); ++i)
        if (static_cast<unsigned char>(jpeg[i]) == 0xFF && static_cast<unsigned char>(jpeg[i + 1]) == 0xDB)
            return static_cast<unsigned char>(jpeg[i + 5]);
    return -1;
}

QImage Quadrants(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y,
                           y < h / 2 ? (x < w / 2 ? qRgb(255, 0, 0) : qRgb(0, 255, 0))
                                     : (x < w / 2 ? qRgb(0, 0, 255) : qRgb(255, 255, 255)));
    return image;
}

// Colour of a quadrant's centre, snapped to 0/255 per channel.
QRgb Snap(const QImage& image, double fx, double fy) {
    QColor c = image.pixelColor(static_cast<int>(fx * image.width()), static_cast<int>(fy * image.height()));
    auto s = [](int v) { return v > 127 ? 255 : 0; };
    return qRgb(s(c.red()), s(c.green()), s(c.blue()));
}

TEST(CardSet, SixPicturesWithTheirSizesAndTurns) {
    auto set = MakeCardSet(Quadrants(290, 420));
    const QSize sizes[] = {{290, 420}, {119, 172}, {66, 95}, {66, 95}, {95, 66}, {95, 66}};
    for (int i = 0; i < kVariantCount; ++i) EXPECT_EQ(set[i].size(), sizes[i]) << kCardVariants[i].name;
    const QImage& mini = set[2];
    // mini_t is the mini upside down, pixel for pixel.
    for (int y = 0; y < 95; ++y)
        for (int x = 0; x < 66; ++x) ASSERT_EQ(set[3].pixel(x, y), mini.pixel(65 - x, 94 - y));
    // mini_d: the card's top edge on the left; mini_d_t: on the right.
    for (int y = 0; y < 66; ++y)
        for (int x = 0; x < 95; ++x) {
            ASSERT_EQ(set[4].pixel(x, y), mini.pixel(65 - y, x));
            ASSERT_EQ(set[5].pixel(x, y), mini.pixel(y, 94 - x));
        }
    EXPECT_EQ(Snap(set[4], 0.25, 0.75), qRgb(255, 0, 0));  // top-left red lies bottom-left
    EXPECT_EQ(Snap(set[5], 0.75, 0.25), qRgb(255, 0, 0));  // and top-right here
}

TEST(CardSet, FileNamesFollowTheBigName) {
    EXPECT_EQ(VariantFileName("card_no_17_big.jpg", "mini_d_t"), "card_no_17_mini_d_t.jpg");
    EXPECT_EQ(CardIdOf("/x/images/card/card_no_17_big.jpg"), "17");
    EXPECT_EQ(CardIdOf("c:\\game\\images\\card\\card_no_203_big.jpg"), "203");
    EXPECT_EQ(CardIdOf("/x/card_no_dir/card_no_17.jpg"), "17");
    EXPECT_EQ(CardIdOf("/x/card_no_big.jpg"), "");
    EXPECT_EQ(BigPictureFor("/a/small_dir/card_no_9_mini.jpg"), "/a/small_dir/card_no_9_big.jpg");
}

TEST(SetFolder, NameHoldsIdCardNameUserAndDate) {
    EXPECT_EQ(SetFolderName("card_no_17_big.jpg", "光之少女", "alice", 2010, 10, 8),
              "card_no_17_光之少女_alice_20101008");
    EXPECT_EQ(SetFolderName("card_no_17_big.jpg", "", "alice", 2010, 10, 8), "card_no_17__alice_20101008");
}

TEST(SetFolder, ServerCardNameCannotLeadOutOfTheFolder) {
    std::string name = SetFolderName("card_no_17_big.jpg", "../../etc\\x/y:z*\n", "bo/b", 2010, 1, 2);
    EXPECT_EQ(name.find('/'), std::string::npos);
    EXPECT_EQ(name.find('\\'), std::string::npos);
    EXPECT_EQ(name, "card_no_17_....etcxyz_bob_20100102");
    EXPECT_EQ(SafeFolderPiece("名字 A-1.(x)"), "名字 A-1.(x)");
}

TEST(JpegFile, QualityNinetyAndAtomicReplace) {
    TempDir dir;
    std::string path = dir / "a.jpg";
    ASSERT_TRUE(SaveJpeg(Quadrants(290, 420), path));
    EXPECT_EQ(FirstQuantValue(ReadTestFile(path)), 3);
    EXPECT_EQ(QImageReader(QString::fromStdString(path)).format(), "jpeg");

    // A save that cannot happen leaves the old file whole.
    std::string old = ReadTestFile(path);
    EXPECT_FALSE(SaveJpeg(QImage(), path));
    EXPECT_EQ(ReadTestFile(path), old);
    EXPECT_FALSE(SaveJpeg(Quadrants(10, 10), dir / "missing-folder/b.jpg"));
}

class GenerateTest : public ::testing::Test {
  protected:
    void SetUp() override {
        SavePng(SyntheticCard(), dir / "images/card/card_no_17_big.jpg");
        card.cardPicturePath = dir / "images/card/card_no_17_big.jpg";
        card.fontFace = "AR PL UKai CN";
    }
    bool Generate(const std::string& url = "http://h/game/zrk/") {
        GenerateRequest request{dir.path(), url, "alice", {2010, 10, 8}};
        return GenerateCardFiles(renderer, card, request, fetch, host);
    }
    std::string SetFolder() { return dir / "maker/card_no_17_光之少女_alice_20101008/"; }

    TempDir dir;
    CardComposition card;
    CardRenderer renderer;
    FakeMakerHost host;
    std::vector<std::string> asked;
    ReplyFetchFunction fetch = [this](const std::string& url) {
        asked.push_back(url);
        return FetchReply{200, "\xB9\xE2\xD6\xAE\xC9\xD9\xC5\xAE"};  // 光之少女 in GBK
    };
};

TEST_F(GenerateTest, WritesTheSixFilesIntoTheSetFolderAndReportsIt) {
    ASSERT_TRUE(Generate());
    EXPECT_EQ(asked, std::vector<std::string>{"http://h/game/zrk/get_card_name.php?id=17"});
    const QSize sizes[] = {{290, 420}, {119, 172}, {66, 95}, {66, 95}, {95, 66}, {95, 66}};
    for (int i = 0; i < kVariantCount; ++i) {
        std::string file = SetFolder() + VariantFileName("card_no_17_big.jpg", kCardVariants[i].name);
        QImage image = LoadPicture(file);
        ASSERT_FALSE(image.isNull()) << file;
        EXPECT_EQ(image.size(), sizes[i]);
        EXPECT_EQ(FirstQuantValue(ReadTestFile(file)), 3);
    }
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0],
              "卡片图案生成完毕，图片文件保存在" +
                  lmn::NativePath(SetFolder().substr(0, SetFolder().size() - 1)) +
                  "中，请您确认后将图片文件移到游戏目录的images/card目录下，覆盖掉同名文件即可");
    EXPECT_EQ(host.questions, std::vector<std::string>{"是否立刻替换原有文件"});
}

TEST_F(GenerateTest, BigFileIsTheComposedCardNotTheScreen) {
    card.changeCharacter = true;
    card.name = "新名字";
    ASSERT_TRUE(Generate());
    QImage written = LoadPicture(SetFolder() + "card_no_17_big.jpg");
    QImage composed = renderer.RenderCard(card);
    long long diff = 0;
    for (int y = 0; y < 420; ++y)
        for (int x = 0; x < 290; ++x)
            diff += std::abs(qGray(written.pixel(x, y)) - qGray(composed.pixel(x, y)));
    EXPECT_LT(diff / (290 * 420), 3);  // only JPEG noise
}

TEST_F(GenerateTest, WithoutAServerTheNameComesFromTheMakersWebHost) {
    ASSERT_TRUE(Generate(""));
    EXPECT_EQ(asked,
              std::vector<std::string>{"http://www.lumenfold.example/game/zrk/get_card_name.php?id=17"});
}

TEST_F(GenerateTest, EmptyCardNameGivesTwoUnderscores) {
    fetch = [](const std::string&) { return FetchReply{200, ""}; };
    ASSERT_TRUE(Generate());
    EXPECT_TRUE(lmn::PathExists(dir / "maker/card_no_17__alice_20101008/card_no_17_mini.jpg"));
}

TEST_F(GenerateTest, HostileCardNameStaysInsideMaker) {
    fetch = [](const std::string&) { return FetchReply{200, "../../../escape"}; };
    ASSERT_TRUE(Generate());
    EXPECT_TRUE(lmn::PathExists(dir / "maker/card_no_17_......escape_alice_20101008/card_no_17_big.jpg"));
    EXPECT_FALSE(lmn::PathExists(dir / "escape_alice_20101008"));
}

TEST_F(GenerateTest, YesReplacesReadOnlyCardFilesInTheCardFolder) {
    for (const auto& v : kCardVariants) {
        std::string target = dir / ("images/card/" + VariantFileName("card_no_17_big.jpg", v.name));
        if (std::string(v.name) != "big") WriteTestFile(target, "old");
        chmod(target.c_str(), 0444);
    }
    card.changeCharacter = true;
    card.name = "新";
    host.answers.push_back(true);
    ASSERT_TRUE(Generate());
    EXPECT_EQ(host.messages.back(), "替换完成");
    for (const auto& v : kCardVariants) {
        std::string name = VariantFileName("card_no_17_big.jpg", v.name);
        EXPECT_EQ(ReadTestFile(dir / ("images/card/" + name)), ReadTestFile(SetFolder() + name)) << name;
    }
}

// A picture named without a variant still gives six files of their own; the player's picture
// is never written over.
TEST_F(GenerateTest, AnUnusualFileNameGivesSixNamesAndKeepsTheChosenPicture) {
    lmn::CopyFileAtomic(dir / "images/card/card_no_17_big.jpg", dir / "images/card/card_no_17.jpg");
    ASSERT_EQ(unlink((dir / "images/card/card_no_17_big.jpg").c_str()), 0);
    const std::string original = ReadTestFile(dir / "images/card/card_no_17.jpg");
    card.cardPicturePath = dir / "images/card/card_no_17.jpg";
    host.answers.push_back(true);
    ASSERT_TRUE(Generate());
    EXPECT_EQ(ReadTestFile(dir / "images/card/card_no_17.jpg"), original);
    const QSize sizes[] = {{290, 420}, {119, 172}, {66, 95}, {66, 95}, {95, 66}, {95, 66}};
    for (int i = 0; i < kVariantCount; ++i) {
        std::string name = VariantFileName("card_no_17_big.jpg", kCardVariants[i].name);
        EXPECT_EQ(LoadPicture(SetFolder() + name).size(), sizes[i]) << name;
        EXPECT_EQ(LoadPicture(dir / ("images/card/" + name)).size(), sizes[i]) << name;
    }

    card.cardPicturePath = dir / "images/card/card_no_.jpg";
    lmn::CopyFileAtomic(dir / "images/card/card_no_17.jpg", card.cardPicturePath);
    EXPECT_FALSE(Generate()) << "no card id, nothing to name the files after";
}

// Only a 2xx reply names the card; a long name is cut at a character so the folder can exist.
TEST_F(GenerateTest, CardNameComesFromAnOkReplyAndFitsAFolderName) {
    fetch = [](const std::string&) { return FetchReply{500, "<html>internal error</html>"}; };
    ASSERT_TRUE(Generate());
    EXPECT_TRUE(lmn::PathExists(dir / "maker/card_no_17__alice_20101008/card_no_17_big.jpg"));

    std::string longName;
    for (int i = 0; i < 300; ++i) longName += "\xB9\xE2";  // 光, three bytes in UTF-8
    fetch = [&](const std::string&) { return FetchReply{200, longName}; };
    ASSERT_TRUE(Generate());
    std::string folder = host.messages.back();
    folder = folder.substr(folder.find("maker/") + 6);
    folder = folder.substr(0, folder.find("中，请您确认"));
    EXPECT_LE(folder.size(), kMaxFolderNameBytes);
    EXPECT_EQ(folder.rfind("card_no_17_光光", 0), 0u) << folder;
    EXPECT_EQ(folder.substr(folder.size() - 15), "_alice_20101008");
    EXPECT_TRUE(lmn::PathExists(dir / ("maker/" + folder + "/card_no_17_mini_t.jpg")));
}

TEST_F(GenerateTest, NoCardPictureWritesNothing) {
    card.cardPicturePath.clear();
    EXPECT_FALSE(Generate());
    EXPECT_EQ(host.messages, std::vector<std::string>{"请先打开需要替换的卡片图片文件，再生成新的卡片文件"});
    EXPECT_FALSE(lmn::PathExists(dir / "maker"));
    EXPECT_TRUE(asked.empty());

    card.cardPicturePath = dir / "images/card/card_no_99_big.jpg";  // named but missing
    EXPECT_FALSE(Generate());
    EXPECT_FALSE(lmn::PathExists(dir / "maker"));
}

TEST_F(GenerateTest, UnwritableSetIsNotAnnouncedAndNamesTheFile) {
    WriteTestFile(dir / "maker", "a file where the folder should be");
    EXPECT_FALSE(Generate());
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0], "卡片图片文件写入失败：" + SetFolder() + "card_no_17_big.jpg");
    EXPECT_TRUE(host.questions.empty());
}

TEST(InstallCardFiles, MakesTheSmallerFilesAndCopiesAllSix) {
    TempDir dir;
    SavePng(Quadrants(290, 420), dir / "temp/card_no_8_big.jpg");
    WriteTestFile(dir / "images/card/card_no_8_small.jpg", "old");
    chmod((dir / "images/card/card_no_8_small.jpg").c_str(), 0444);
    FakeMakerHost host;
    ASSERT_TRUE(InstallCardFiles(dir / "temp/card_no_8_big.jpg", dir.path(), host));
    EXPECT_EQ(host.messages, std::vector<std::string>{"替换完成"});
    for (const auto& v : kCardVariants) {
        std::string name = VariantFileName("card_no_8_big.jpg", v.name);
        EXPECT_EQ(LoadPicture(dir / ("images/card/" + name)).size(), v.size) << name;
        EXPECT_EQ(ReadTestFile(dir / ("images/card/" + name)), ReadTestFile(dir / ("temp/" + name)));
    }
}

TEST(InstallCardFiles, MissingBoughtPictureIsReportedNotInstalled) {
    TempDir dir;
    FakeMakerHost host;
    EXPECT_FALSE(InstallCardFiles(dir / "temp/card_no_8_big.jpg", dir.path(), host));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.messages[0], "替换完成");
    EXPECT_FALSE(lmn::PathExists(dir / "images/card/card_no_8_small.jpg"));
}

TEST(PreparePublishPictures, BigIsCardSizedAndSmallIsMiniSized) {
    TempDir dir;
    SavePng(Quadrants(580, 840), dir / "mine.png");
    std::string error;
    ASSERT_TRUE(PreparePublishPictures(dir / "mine.png", dir.path(), error));
    EXPECT_EQ(LoadPicture(dir / "temp/big.jpg").size(), QSize(290, 420));
    EXPECT_EQ(LoadPicture(dir / "temp/small.jpg").size(), QSize(66, 95));

    std::string before = ReadTestFile(dir / "temp/big.jpg");
    EXPECT_FALSE(PreparePublishPictures(dir / "gone.png", dir.path(), error));
    EXPECT_NE(error.find("gone.png"), std::string::npos);
    EXPECT_EQ(ReadTestFile(dir / "temp/big.jpg"), before);
}

}  // namespace
