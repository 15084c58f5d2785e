// Blocking HTTP GET on libcurl, with the agent name the game's servers know ("MSDN SurfBear"),
// no cache, proxy from the environment.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace lmn {

// Bounds on every request: a request past one of them has failed (empty text / false).
struct HttpLimits {
    std::chrono::milliseconds connect{15000};  // to reach the server
    std::chrono::milliseconds silence{30000};  // without a byte once connected
    long maxRedirects = 5;
};

// Process-wide; requests started afterwards use them. Only http and https are ever fetched.
void SetHttpLimits(const HttpLimits& limits);
HttpLimits CurrentHttpLimits();

// Ends every request under way, and any started later, as failed: the program is ending and
// waits for no server.
void CancelAllHttpRequests();

// Percent-encodes spaces, control bytes and bytes >= 0x80 of a request URL as %XX (upper case);
// '[', ']', '&', '=', ';' and '%' stay as they are.
std::string EncodeRequestUrl(std::string_view url);

// The body of a GET, whatever the status; empty text when the server cannot be reached.
// The body is treated as text: a zero byte ends what is kept of the piece it stands in.
std::string FetchText(const std::string& url);
// The same with a bound on the whole request.
std::string FetchTextWithin(const std::string& url, std::chrono::milliseconds within);

// No server reply needs more: a longer body makes FetchText fail (empty text).
inline constexpr size_t kFetchTextLimit = 64u << 20;

struct HttpStreamResult {
    bool opened = false;     // the request reached a server and an answer began
    bool completed = false;  // the whole body arrived without a transfer error
    bool stopped = false;    // the piece callback asked to stop
    long status = 0;         // HTTP status of the answer (0 when none arrived)
};

// Streams a GET. onHeaders receives the Content-Length (-1 when absent) once the headers are in;
// onPiece receives each body piece and returns false to stop the transfer. within, when set,
// bounds the whole request.
HttpStreamResult HttpStream(const std::string& url,
                            const std::function<void(int64_t contentLength)>& onHeaders,
                            const std::function<bool(std::string_view piece)>& onPiece,
                            std::chrono::milliseconds within = {});

// The game client's download: fetches url into tempPath (truncated first), fails when a piece
// contains " 404 ", then replaces localPath with the temporary file and deletes it.
// localPath is left untouched on any failure.
bool DownloadFile(const std::string& url, const std::string& localPath, const std::string& tempPath);

}  // namespace lmn
