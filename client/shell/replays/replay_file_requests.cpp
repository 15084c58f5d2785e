#include "replay_file_requests.h"

#include <string>

#include "paths.h"
#include "replay_names.h"
#include "text.h"

namespace lmn::replays {

bool DeleteReplay(const ReplayFolders& folders, std::string_view encodedName, ReplaySink& sink) {
    std::optional<std::string> file = folders.ConfinedFile(DecodePageFileName(encodedName));
    if (!file) return false;
    ForceDeleteFile(*file);
    if (PathExists(*file)) return false;
    sink.ShowMessage(Utf8ToGbk("删除成功"));
    return true;
}

bool RequestReplay(const ReplayFolders& folders, std::string_view encodedName, ReplaySink& sink) {
    std::optional<std::string> file = folders.ConfinedFile(DecodePageFileName(encodedName));
    std::string content;
    if (!file || !ReadFile(*file, content)) return false;
    sink.SendToPage("type=[record_request]&movie_data=" + content);
    return true;
}

}  // namespace lmn::replays
