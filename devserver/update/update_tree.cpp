#include "update_tree.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "placeholder_picture.h"

namespace lmn::dev {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kBasePath = "/game/zrk/";

std::string ReadWhole(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void Write(const fs::path& path, const std::string& data) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << data;
}

bool IsRegularFile(const fs::path& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

// The updater program the seed tree offers as the newer one, or empty.
fs::path NewerUpdater(const DevContext& ctx) {
    fs::path option = ctx.Option("update-updater");
    if (!option.empty()) return IsRegularFile(option) ? option : fs::path();
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    fs::path sibling = exe.parent_path().parent_path() / "updater" / "window" / "Update.exe";
    return !ec && IsRegularFile(sibling) ? sibling : fs::path();
}

std::string Manifest(const std::string& root, const std::string& entries) {
    return "<?xml version=\"1.0\" encoding=\"gb2312\"?>\r\n<" + root + ">\r\n" + entries + "</" + root +
           ">\r\n";
}

}  // namespace

UpdateTreeFile FindUpdateTreeFile(const DevContext& ctx, const std::string& path) {
    UpdateTreeFile found;
    if (path.rfind(kBasePath, 0) != 0 || path.find("..") != std::string::npos) return found;
    std::string relative = path.substr(kBasePath.size());
    if (relative.empty()) return found;
    fs::path raw = fs::path(ctx.root) / "update-raw" / relative;
    fs::path file = fs::path(ctx.root) / "update-tree" / relative;
    if (IsRegularFile(raw))
        found = {UpdateTreeFile::Kind::raw, raw.string()};
    else if (IsRegularFile(file))
        found = {UpdateTreeFile::Kind::file, file.string()};
    return found;
}

std::string UpdateAddressAnswer(const DevContext& ctx) {
    fs::path override = fs::path(ctx.root) / "update-address.txt";
    return IsRegularFile(override) ? ReadWhole(override) : ctx.BaseUrl();
}

long SlowLaneRate(const DevContext& ctx) {
    fs::path file = fs::path(ctx.root) / "update-slow-rate";
    long rate = IsRegularFile(file) ? std::atol(ReadWhole(file).c_str()) : 0;
    return rate > 0 ? rate : 65536;
}

void SeedUpdateTree(const DevContext& ctx) {
    fs::path tree = fs::path(ctx.root) / "update-tree";
    if (fs::exists(tree)) return;
    fs::path config = tree / "update" / "config";

    Write(config / "LMN_KX_total_update.xml",
          Manifest("total", "  <gameurl url=\"" + ctx.BaseUrl() +
                                "\"/>\r\n  <cardimage version=\"1\"/>\r\n  <otherfile version=\"1\"/>\r\n"));

    fs::path updater = NewerUpdater(ctx);
    if (!updater.empty()) fs::copy_file(updater, tree / "update" / "Update.exe");
    Write(config / "LMN_KX_update.xml",
          Manifest("update", "  <version>" + std::string(updater.empty() ? "0" : "2") +
                                 "</version>\r\n  <downloadsite>update/Update.exe</downloadsite>\r\n"));

    Write(config / "LMN_KX_card_image.xml",
          Manifest("cardimage",
                   "  <cardinfo startid=\"1\" endid=\"3\" imgcount=\"6\"/>\r\n"
                   "  <cardinfo startid=\"4001\" endid=\"4055\" imgcount=\"4\"/>\r\n"));
    static const char* const kSuffixes[] = {"_big.jpg",    "_small.jpg",  "_mini.jpg",
                                            "_mini_t.jpg", "_mini_d.jpg", "_mini_d_t.jpg"};
    std::string picture = PlaceholderPicture();
    for (int id : {1, 2, 3})
        for (const char* suffix : kSuffixes)
            Write(tree / "images" / "card" / ("card_no_" + std::to_string(id) + suffix), picture);
    for (int id = 4001; id <= 4055; ++id)
        for (int i = 0; i < 4; ++i)
            Write(tree / "images" / "card" / ("card_no_" + std::to_string(id) + kSuffixes[i]), picture);

    Write(config / "LMN_KX_other_update.xml",
          Manifest("otherfile",
                   "  <fi sf=\"update/files/notice.txt\" df=\"notice/notice.txt\" ver=\"1\"/>\r\n"));
    Write(tree / "update" / "files" / "notice.txt", "Welcome to Lumenfold.\r\n");
}

}  // namespace lmn::dev
