// The update run against devserver, offscreen: what is fetched, stored and started.
#include <sys/stat.h>

#include "updater_fixture.h"

namespace lmn::test {
namespace {

const std::vector<std::string> kCheckOnly = {"get_update_url.php", kTotal, kUpdater, kUpdater};

TEST_F(UpdaterTest, NothingChangedStartsTheGameWithoutDownloads) {
    std::string config = folder.Read("config.ini");
    struct stat before;
    ASSERT_EQ(stat((folder / kTotal).c_str(), &before), 0);

    EXPECT_EQ(RunOffscreen(), 0);
    ASSERT_TRUE(folder.WaitForClientStarts(1, 5000));
    EXPECT_EQ(folder.ClientStarts(), std::vector<std::string>{"go"});
    EXPECT_EQ(Requested(), kCheckOnly);
    EXPECT_EQ(folder.Read("config.ini"), config);
    struct stat after;
    ASSERT_EQ(stat((folder / kTotal).c_str(), &after), 0);
    EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_FALSE(folder.Has("download.txt"));
}

TEST_F(UpdaterTest, ChangedGameUrlIsStoredWithTheTotalManifest) {
    std::string newTotal = TotalXml("http://game.example/zrk/", 1, 1);
    server.Put(kTotal, newTotal);

    EXPECT_EQ(RunOffscreen(), 0);
    ASSERT_TRUE(folder.WaitForClientStarts(1, 5000));
    EXPECT_EQ(folder.Read("config.ini"), "[common]\r\nstrUrl=http://game.example/zrk/\r\nbMusic=1\r\n");
    EXPECT_EQ(folder.Read(kTotal), newTotal);
    std::vector<std::string> expected = kCheckOnly;
    expected.push_back(kTotal);
    EXPECT_EQ(Requested(), expected);
}

TEST_F(UpdaterTest, FreshFolderReplacesTheUpdaterThenFetchesEverything) {
    InstallFolder fresh;
    std::string newer = UpdaterProgram() + "\nnewer updater build\n";
    server.Put("update/Update.exe", newer);
    server.Put(kUpdater, UpdaterXml(3, "update/Update.exe"));
    server.Put(kTotal, TotalXml(gameUrl, 2, 2));
    server.Put(kCards, CardXml({{7, 8, 3}}));
    for (int id : {7, 8})
        for (const char* s : {"_big.jpg", "_small.jpg", "_mini.jpg"})
            server.Put(Picture(id, s), Picture(id, s));
    for (int id = 4001; id <= 4055; ++id)
        server.Put(Picture(id, "_mini_t.jpg"), "special " + std::to_string(id));
    server.Put(kOthers,
               OtherXml({{"files/a.txt", "a.txt", 1}, {"files/LMN_KX_Maker.exe", "LMN_KX_Maker.exe", 1}}));
    server.Put("files/a.txt", "file a");
    server.Put("files/LMN_KX_Maker.exe", "maker program");

    fresh.Start(Hosts());
    EXPECT_EQ(fresh.Wait(kRunTimeoutMs), 0);  // the first updater ends after starting the new one
    ASSERT_TRUE(fresh.WaitForClientStarts(1, kRunTimeoutMs));
    EXPECT_EQ(fresh.ClientStarts(), std::vector<std::string>{"go"});

    EXPECT_EQ(fresh.Read("Update.exe"), newer);
    EXPECT_EQ(fresh.Read("Update_old.exe"), UpdaterProgram());
    EXPECT_FALSE(fresh.Has("UpdateNew.exe"));
    for (int id : {7, 8})
        for (const char* s : {"_big.jpg", "_small.jpg", "_mini.jpg"})
            EXPECT_EQ(fresh.Read(Picture(id, s)), Picture(id, s));
    for (int id = 4001; id <= 4055; ++id)
        EXPECT_EQ(fresh.Read(Picture(id, "_mini_t.jpg")), "special " + std::to_string(id));
    EXPECT_EQ(fresh.Read("a.txt"), "file a");
    EXPECT_EQ(fresh.Read("LMN_KX_Maker.exe"), "maker program");
    struct stat st;
    ASSERT_EQ(stat((fresh / "LMN_KX_Maker.exe").c_str(), &st), 0);
    EXPECT_TRUE(st.st_mode & S_IXUSR);
    EXPECT_EQ(fresh.Read(kTotal), TotalXml(gameUrl, 2, 2));
    EXPECT_EQ(fresh.Read(kUpdater), UpdaterXml(3, "update/Update.exe"));
    EXPECT_EQ(fresh.Read(kCards), CardXml({{7, 8, 3}}));
    EXPECT_EQ(fresh.Read(kOthers),
              OtherXml({{"files/a.txt", "a.txt", 1}, {"files/LMN_KX_Maker.exe", "LMN_KX_Maker.exe", 1}}));
    EXPECT_NE(fresh.Read("config.ini").find("strUrl=" + gameUrl), std::string::npos);
    EXPECT_FALSE(fresh.Has("download.txt"));

    // The first run stops at the self-update: the new updater asks for the address again.
    std::vector<std::string> paths = Requested();
    ASSERT_GE(paths.size(), 7u);
    EXPECT_EQ(paths[4], "update/Update.exe");
    EXPECT_EQ(paths[5], kUpdater);
    EXPECT_EQ(paths[6], "get_update_url.php");
}

TEST_F(UpdaterTest, NewCardRangeFetchesOnlyTheNewCardsInOrder) {
    folder.Put(kCards, CardXml({{101, 102, 4}}));
    server.Put(kCards, CardXml({{101, 103, 4}, {200, 201, 5}}));
    server.Put(kTotal, TotalXml(gameUrl, 2, 1));
    for (const char* s : {"_big.jpg", "_small.jpg", "_mini.jpg", "_mini_t.jpg"})
        server.Put(Picture(103, s), s);

    EXPECT_EQ(RunOffscreen(), 0);
    ASSERT_TRUE(folder.WaitForClientStarts(1, 5000));
    std::vector<std::string> expected = kCheckOnly;
    expected.insert(expected.end(), {kCards, Picture(103, "_big.jpg"), Picture(103, "_small.jpg"),
                                     Picture(103, "_mini.jpg"), Picture(103, "_mini_t.jpg"), kCards, kTotal});
    EXPECT_EQ(Requested(), expected);
    EXPECT_EQ(folder.Read(Picture(103, "_mini_t.jpg")), "_mini_t.jpg");
    EXPECT_FALSE(folder.Has(Picture(101, "_big.jpg")));
    EXPECT_FALSE(folder.Has(Picture(200, "_big.jpg")));
    // The picture-count-5 range is taken over into the stored manifest without pictures.
    EXPECT_EQ(folder.Read(kCards), CardXml({{101, 103, 4}, {200, 201, 5}}));
    EXPECT_EQ(folder.Read(kTotal), TotalXml(gameUrl, 2, 1));
}

TEST_F(UpdaterTest, MissingSpecialMarkerRepairsEveryMissingSpecialPicture) {
    ASSERT_EQ(unlink((folder / Picture(4002, "_mini_t.jpg")).c_str()), 0);
    folder.Put(Picture(4010, "_mini_t.jpg"), "kept");
    for (int id = 4001; id <= 4055; ++id) server.Put(Picture(id, "_mini_t.jpg"), "new " + std::to_string(id));

    EXPECT_EQ(RunOffscreen(), 0);
    ASSERT_TRUE(folder.WaitForClientStarts(1, 5000));
    std::vector<std::string> expected = kCheckOnly;
    for (int id = 4002; id <= 4055; ++id)
        if (id != 4003 && id != 4010) expected.push_back(Picture(id, "_mini_t.jpg"));
    EXPECT_EQ(Requested(), expected);  // no total manifest: the repair is no change
    EXPECT_EQ(folder.Read(Picture(4001, "_mini_t.jpg")), "special");
    EXPECT_EQ(folder.Read(Picture(4010, "_mini_t.jpg")), "kept");
    EXPECT_EQ(folder.Read(Picture(4055, "_mini_t.jpg")), "new 4055");
}

TEST_F(UpdaterTest, OtherFilesGoToNewFoldersAndSameSourceTwice) {
    std::vector<OtherFile> files = {{"files/a.txt", "a.txt", 1},
                                    {"files/x.swf", "deep/er/folders/x.swf", 2},
                                    {"files/x.swf", "second/x.swf", 2}};
    server.Put(kOthers, OtherXml(files));
    server.Put(kTotal, TotalXml(gameUrl, 1, 2));
    server.Put("files/x.swf", "movie");

    EXPECT_EQ(RunOffscreen(), 0);
    ASSERT_TRUE(folder.WaitForClientStarts(1, 5000));
    std::vector<std::string> expected = kCheckOnly;
    expected.insert(expected.end(), {kOthers, "files/x.swf", "files/x.swf", kOthers, kTotal});
    EXPECT_EQ(Requested(), expected);
    EXPECT_EQ(folder.Read("deep/er/folders/x.swf"), "movie");
    EXPECT_EQ(folder.Read("second/x.swf"), "movie");
    EXPECT_EQ(folder.Read(kOthers), OtherXml(files));
}

TEST_F(UpdaterTest, QuirkyManifestAnswers) {
    std::string xml = TotalXml(gameUrl, 1, 1);
    auto answer = [&](const std::string& lengthHeader, const std::string& body) {
        return "HTTP/1.1 200 OK\r\nServer: quirky\r\n" + lengthHeader + "\r\n\r\n" + body;
    };
    // Behind a byte-order mark the declared length is 3 bytes over the XML text: still whole.
    server.PutRaw(kTotal, answer("Content-Length: " + std::to_string(xml.size() + 3), "\xEF\xBB\xBF" + xml));
    EXPECT_EQ(RunOffscreen(), 0);
    ASSERT_TRUE(folder.WaitForClientStarts(1, 5000));
    EXPECT_EQ(Requested(), kCheckOnly);
    EXPECT_EQ(folder.Stdout().find("not a legal xml"), std::string::npos);
}

}  // namespace
}  // namespace lmn::test
