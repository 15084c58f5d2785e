#include "manifests.h"

#include <gtest/gtest.h>

#include "update_sites.h"

namespace lmn::updater {
namespace {

tinyxml2::XMLDocument& Parse(tinyxml2::XMLDocument& doc, const std::string& xml) {
    doc.Parse(xml.c_str());
    return doc;
}

TEST(TotalManifest, LastElementCountsAndNumbersReadLikeAtoi) {
    tinyxml2::XMLDocument doc;
    Parse(doc,
          "<?xml version=\"1.0\"?><total><gameurl url=\"http://a/\"/><cardimage version=\"3\"/>"
          "<cardimage version=\" 7x\"/><otherfile version=\"-2\"/><gameurl url=\"http://b/\"/>"
          "<nested><cardimage version=\"99\"/></nested></total>");
    CTotalUpdateInfo info = ReadTotalInfo(doc);
    EXPECT_EQ(info.gameUrl, "http://b/");
    EXPECT_EQ(info.cardVersion, 7);
    EXPECT_EQ(info.otherVersion, -2);
}

TEST(TotalManifest, EmptyOrBrokenDocumentGivesStartValues) {
    tinyxml2::XMLDocument doc;
    Parse(doc, "<?xml version=\"1.0\"?><total><gameurl url=");
    CTotalUpdateInfo info = ReadTotalInfo(doc);
    EXPECT_EQ(info.gameUrl, "");
    EXPECT_EQ(info.cardVersion, 0);
    EXPECT_EQ(info.otherVersion, 0);
}

TEST(UpdaterManifest, FirstElementWithContentCounts) {
    tinyxml2::XMLDocument doc;
    Parse(doc,
          "<?xml version=\"1.0\"?><u><version/><version>5</version><version>9</version>"
          "<downloadsite>update/Update.exe</downloadsite></u>");
    EXPECT_EQ(ReadUpdaterVersion(doc), 5);
    EXPECT_EQ(ReadUpdaterDownloadSite(doc), "update/Update.exe");
    tinyxml2::XMLDocument empty;
    Parse(empty, "<?xml version=\"1.0\"?><u/>");
    EXPECT_EQ(ReadUpdaterVersion(empty), 0);
    EXPECT_EQ(ReadUpdaterDownloadSite(empty), "");
}

TEST(CardManifest, RangesExpandInOrder) {
    tinyxml2::XMLDocument doc;
    Parse(doc,
          "<?xml version=\"1.0\"?><c><cardinfo startid=\"10\" endid=\"12\" imgcount=\"6\"/>"
          "<cardinfo startid=\"5\" endid=\"3\" imgcount=\"4\"/><cardinfo startid=\"2\" endid=\"2\" "
          "imgcount=\"3\"/>"
          "</c>");
    std::vector<CCardInfo> cards;
    ASSERT_TRUE(ReadCardList(doc, cards));
    std::vector<CCardInfo> expected = {{10, 6}, {11, 6}, {12, 6}, {2, 3}};
    EXPECT_EQ(cards, expected);
}

TEST(CardManifest, HugeRangeIsRefusedNotExpanded) {
    tinyxml2::XMLDocument doc;
    Parse(doc,
          "<?xml version=\"1.0\"?><c><cardinfo startid=\"-2147483648\" endid=\"2147483647\" "
          "imgcount=\"6\"/></c>");
    std::vector<CCardInfo> cards;
    EXPECT_FALSE(ReadCardList(doc, cards));
    EXPECT_TRUE(cards.empty());
    // The last id of the int range ends the loop without overflowing.
    Parse(doc,
          "<?xml version=\"1.0\"?><c><cardinfo startid=\"2147483646\" endid=\"2147483647\" "
          "imgcount=\"3\"/></c>");
    ASSERT_TRUE(ReadCardList(doc, cards));
    EXPECT_EQ(cards.size(), 2u);
}

TEST(CardManifest, NewCardsByIdOnly) {
    std::vector<CCardInfo> local = {{101, 4}, {102, 4}};
    std::vector<CCardInfo> server = {{103, 4}, {101, 6}, {102, 4}, {100, 3}};
    std::vector<CCardInfo> expected = {{103, 4}, {100, 3}};
    EXPECT_EQ(NewCards(local, server), expected);
}

TEST(OtherFilesManifest, ReadInDocumentOrder) {
    tinyxml2::XMLDocument doc;
    Parse(doc,
          "<?xml version=\"1.0\"?><o><fi sf=\"a/x.swf\" df=\"x.swf\" ver=\"2\"/><fi sf=\"b\"/>"
          "<fi sf=\"a/x.swf\" df=\"y/x.swf\" ver=\"1\"/></o>");
    std::vector<COtherFileInfo> expected = {{"a/x.swf", "x.swf", 2}, {"b", "", 0}, {"a/x.swf", "y/x.swf", 1}};
    EXPECT_EQ(ReadOtherFileList(doc), expected);
}

TEST(OtherFilesManifest, FetchUnlessLocalHasSameSourceAtLeastAsNew) {
    std::vector<COtherFileInfo> local = {{"a", "a", 3}, {"b", "b", 1}, {"B", "B", 9}, {"gone", "gone", 1}};
    std::vector<COtherFileInfo> server = {{"a", "a", 2},  {"b", "b", 2},  {"c", "c", 1},
                                          {"a", "a2", 3}, {"b", "b2", 1}, {"a", "a3", 4}};
    std::vector<COtherFileInfo> expected = {{"b", "b", 2}, {"c", "c", 1}, {"a", "a3", 4}};
    EXPECT_EQ(FilesToFetch(local, server), expected);
    EXPECT_TRUE(FilesToFetch(server, server).empty());
}

TEST(UpdateSites, FixedHostsOrOverride) {
    auto fixed = UpdateAddressUrls("");
    EXPECT_EQ(fixed[0], "http://update1.lumenfold.example/game/zrk/get_update_url.php");
    EXPECT_EQ(fixed[1], "http://update2.lumenfold.example/game/zrk/get_update_url.php");
    auto two = UpdateAddressUrls(" 127.0.0.9:8080   10.0.0.1 ");
    EXPECT_EQ(two[0], "http://127.0.0.9:8080/game/zrk/get_update_url.php");
    EXPECT_EQ(two[1], "http://10.0.0.1/game/zrk/get_update_url.php");
    auto one = UpdateAddressUrls("127.0.0.9");
    EXPECT_EQ(one[0], one[1]);
    EXPECT_EQ(UpdateAddressUrls("   ")[0], fixed[0]);
}

}  // namespace
}  // namespace lmn::updater
