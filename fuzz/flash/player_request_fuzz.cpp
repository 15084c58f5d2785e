// Any bytes a page's connection may send to the player's file server: the head is found or
// refused within its bound, and the answer is a well-formed head that hands out a file only
// when the request named one of the table's files exactly.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "player_answer.h"
#include "player_files.h"
#include "player_request.h"

namespace {

const lmn::flash::PlayerFiles& Table() {
    static const lmn::flash::PlayerFiles files = [] {
        const auto dir = std::filesystem::temp_directory_path() / "lmn-flash-fuzz-player";
        std::filesystem::create_directories(dir);
        for (const char* name : {"ruffle.js", "core.ruffle.1.js", "a.wasm", "secret.txt"})
            std::ofstream(dir / name) << name;
        lmn::flash::PlayerFiles table;
        table.AddFolder("/ruffle/", dir.string(), {".js", ".wasm"});
        return table;
    }();
    return files;
}

long long Size(const std::string&) {
    return 7;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::size_t headLength = 0;
    const auto state = lmn::flash::FindRequestHead(bytes, headLength);
    if (state == lmn::flash::HeadState::Incomplete) {
        if (size >= lmn::flash::kMaxRequestHead) std::abort();
        return 0;
    }
    if (state == lmn::flash::HeadState::Complete &&
        (headLength > size || headLength > lmn::flash::kMaxRequestHead))
        std::abort();
    const auto answer = state == lmn::flash::HeadState::TooLarge
                            ? lmn::flash::AnswerTooLarge()
                            : lmn::flash::AnswerRequest(bytes.substr(0, headLength), Table(), &Size);
    if (answer.head.size() < 4 || answer.head.compare(answer.head.size() - 4, 4, "\r\n\r\n") != 0)
        std::abort();
    if (answer.bodyFile) {
        const auto request = lmn::flash::ParseRequestHead(bytes.substr(0, headLength));
        if (!request || !Table().Contains(request->path) || answer.status != 200) std::abort();
        if (answer.bodyFile->find("secret") != std::string::npos) std::abort();
    }
    return 0;
}
