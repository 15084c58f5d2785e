#include "http.h"

#include <curl/curl.h>
#include <sys/stat.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <mutex>

#include "paths.h"
#include "streamed_file.h"

namespace lmn {

namespace {

// The transfer size libcurl reads into and hands to a body callback (the command line's own).
constexpr long kPieceBytes = 100 * 1024;

void GlobalInit() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

std::mutex limitsMutex;
HttpLimits limits;
std::atomic<bool> cancelled{false};

using Clock = std::chrono::steady_clock;

// What the progress callback needs to end a request that went silent or is no longer wanted.
struct Watchdog {
    CURL* curl;
    std::chrono::milliseconds silence;
    Clock::time_point lastActivity = Clock::now();
    curl_off_t lastDown = 0, lastUp = 0;
    bool connected = false;
};

int OnProgress(void* user, curl_off_t, curl_off_t down, curl_off_t, curl_off_t up) {
    auto& dog = *static_cast<Watchdog*>(user);
    if (cancelled.load()) return 1;
    const Clock::time_point now = Clock::now();
    if (!dog.connected) {
        // The connect has its own bound; silence counts from the moment the server is reached.
        curl_off_t connectTime = 0;
        if (curl_easy_getinfo(dog.curl, CURLINFO_CONNECT_TIME_T, &connectTime) == CURLE_OK &&
            connectTime > 0) {
            dog.connected = true;
            dog.lastActivity = now;
        }
    }
    if (down != dog.lastDown || up != dog.lastUp) {
        dog.lastDown = down;
        dog.lastUp = up;
        dog.lastActivity = now;
    }
    return dog.connected && now - dog.lastActivity > dog.silence ? 1 : 0;
}

void ApplyLimits(CURL* curl, Watchdog& dog, std::chrono::milliseconds within) {
    const HttpLimits bounds = CurrentHttpLimits();
    dog.silence = bounds.silence;
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(bounds.connect.count()));
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, bounds.maxRedirects);
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, &OnProgress);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &dog);
    if (within.count() > 0) curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, static_cast<long>(within.count()));
}

struct StreamState {
    const std::function<void(int64_t)>* onHeaders;
    const std::function<bool(std::string_view)>* onPiece;
    CURL* curl;
    bool headersSeen = false;
    bool stopped = false;
};

void DeliverHeaders(StreamState& st) {
    if (st.headersSeen) return;
    st.headersSeen = true;
    curl_off_t length = -1;
    if (curl_easy_getinfo(st.curl, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length) != CURLE_OK) length = -1;
    if (*st.onHeaders) (*st.onHeaders)(length);
}

size_t OnWrite(char* data, size_t size, size_t count, void* user) {
    auto& st = *static_cast<StreamState*>(user);
    DeliverHeaders(st);
    size_t n = size * count;
    if (!(*st.onPiece)(std::string_view(data, n))) {
        st.stopped = true;
        return 0;  // makes curl end the transfer
    }
    return n;
}

}  // namespace

void SetHttpLimits(const HttpLimits& newLimits) {
    std::lock_guard lock(limitsMutex);
    limits = newLimits;
}

HttpLimits CurrentHttpLimits() {
    std::lock_guard lock(limitsMutex);
    return limits;
}

void CancelAllHttpRequests() {
    cancelled.store(true);
}

std::string EncodeRequestUrl(std::string_view url) {
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(url.size());
    for (char ch : url) {
        unsigned char c = static_cast<unsigned char>(ch);
        if (c <= 0x20 || c >= 0x7F) {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        } else {
            out += ch;
        }
    }
    return out;
}

HttpStreamResult HttpStream(const std::string& url, const std::function<void(int64_t)>& onHeaders,
                            const std::function<bool(std::string_view)>& onPiece,
                            std::chrono::milliseconds within) {
    GlobalInit();
    HttpStreamResult result;
    if (cancelled.load()) return result;
    CURL* curl = curl_easy_init();
    if (!curl) return result;
    std::string encoded = EncodeRequestUrl(url);
    StreamState st{&onHeaders, &onPiece, curl};
    curl_slist* headers = nullptr;
    headers = curl_slist_append(headers, "Cache-Control: no-cache");
    headers = curl_slist_append(headers, "Pragma: no-cache");
    curl_easy_setopt(curl, CURLOPT_URL, encoded.c_str());
    curl_easy_setopt(curl, CURLOPT_USERAGENT, "MSDN SurfBear");
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &OnWrite);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &st);
    // Large pieces: a download then costs a fraction of the callbacks and writes.
    curl_easy_setopt(curl, CURLOPT_BUFFERSIZE, kPieceBytes);
    Watchdog dog{curl, {}};
    ApplyLimits(curl, dog, within);
    CURLcode rc = curl_easy_perform(curl);
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &result.status);
    result.opened = result.status > 0;
    if (result.opened) DeliverHeaders(st);
    result.stopped = st.stopped;
    result.completed = rc == CURLE_OK;
    curl_slist_free_all(headers);
    curl_easy_cleanup(curl);
    return result;
}

std::string FetchText(const std::string& url) {
    return FetchTextWithin(url, {});
}

std::string FetchTextWithin(const std::string& url, std::chrono::milliseconds within) {
    std::string text;
    bool tooLong = false;
    auto piece = [&](std::string_view p) {
        // The body is text: a zero byte ends what this piece contributes.
        size_t zero = p.find('\0');
        if (zero != std::string_view::npos) p = p.substr(0, zero);
        if (text.size() + p.size() > kFetchTextLimit) {
            tooLong = true;
            return false;
        }
        text.append(p);
        return true;
    };
    HttpStreamResult r = HttpStream(url, {}, piece, within);
    // A request that broke off or passed a bound has failed: its partial body is not the answer.
    if (tooLong || !r.opened || !r.completed) return {};
    return text;
}

namespace {

// The folder part of a native path ("." when it has none).
std::string FolderOfNative(const std::string& native) {
    size_t slash = native.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : native.substr(0, slash);
}

// The temporary file the download is written to: tempNative when it lies on the target's file
// system (so one rename installs it), else a file beside the target.
std::string DownloadTarget(const std::string& tempNative, const std::string& localNative) {
    struct stat tempFolder, targetFolder;
    if (stat(FolderOfNative(tempNative).c_str(), &tempFolder) == 0 &&
        stat(FolderOfNative(localNative).c_str(), &targetFolder) == 0 &&
        tempFolder.st_dev == targetFolder.st_dev)
        return tempNative;
    return localNative + ".download";
}

}  // namespace

bool DownloadFile(const std::string& url, const std::string& localPath, const std::string& tempPath) {
    EnsureDirectoriesClient(localPath);
    const std::string localNative = NativePath(localPath);
    const std::string tempNative = DownloadTarget(NativePath(tempPath), localNative);
    StreamedFile temp(tempNative);
    if (!temp.ok()) return false;
    bool notFound = false, writeFailed = false;
    std::string tail;  // the end of the previous piece, so a marker split across pieces is seen
    auto piece = [&](std::string_view p) {
        if (!temp.Write(p)) {
            writeFailed = true;
            return false;
        }
        std::string window = tail + std::string(p.substr(0, std::min<size_t>(p.size(), 4)));
        if (window.find(" 404 ") != std::string::npos || p.find(" 404 ") != std::string_view::npos) {
            notFound = true;
            return false;
        }
        tail = std::string(p.substr(p.size() > 4 ? p.size() - 4 : 0));
        if (tail.size() < 4) tail = window.substr(window.size() > 4 ? window.size() - 4 : 0);
        return true;
    };
    HttpStreamResult r = HttpStream(url, {}, piece);
    const bool closed = temp.Finish();
    // An error status is a failed download even when its page lacks the " 404 " marker, and a
    // transfer that broke off must not be installed as if it were the whole file. The bytes are
    // written once: the complete temporary file is renamed over the target.
    if (!r.opened || notFound || writeFailed || !closed || !r.completed || r.status >= 400 ||
        std::rename(tempNative.c_str(), localNative.c_str()) != 0) {
        std::remove(tempNative.c_str());
        return false;
    }
    return true;
}

}  // namespace lmn
