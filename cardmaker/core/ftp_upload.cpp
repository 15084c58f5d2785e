#include "ftp_upload.h"

#include <curl/curl.h>

#include <algorithm>
#include <cstdio>
#include <memory>

#include "http.h"
#include "paths.h"
#include "text.h"

namespace lmn::maker {

namespace {

// curl counts a stalled transfer in whole seconds.
long SilenceSeconds(const HttpLimits& limits) {
    return std::max<long>(1, static_cast<long>((limits.silence.count() + 999) / 1000));
}

bool IsHostChar(unsigned char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '.' ||
           c == '-' || c == ':' || c == '[' || c == ']' || c == '_';
}

bool IsPathChar(unsigned char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '-' ||
           c == '.' || c == '_' || c == '~' || c == '/';
}

}  // namespace

std::string FtpUrl(const std::string& host, const std::string& remotePath) {
    if (host.empty()) return {};
    for (char c : host)
        if (!IsHostChar(static_cast<unsigned char>(c))) return {};
    static const char kHex[] = "0123456789ABCDEF";
    std::string url = "ftp://" + host + "/";
    for (char ch : ReplaceAll(remotePath, "\\", "/")) {
        unsigned char c = static_cast<unsigned char>(ch);
        if (IsPathChar(c)) {
            url += ch;
        } else {
            url += '%';
            url += kHex[c >> 4];
            url += kHex[c & 0xF];
        }
    }
    return url;
}

bool UploadFile(const FtpAccount& account, const std::string& localPath, const std::string& remotePath) {
    std::string url = FtpUrl(account.host, remotePath);
    if (url.empty()) return false;
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(NativePath(localPath).c_str(), "rb"), &std::fclose);
    if (!file) return false;
    std::fseek(file.get(), 0, SEEK_END);
    long size = std::ftell(file.get());
    std::fseek(file.get(), 0, SEEK_SET);
    if (size < 0) return false;

    std::unique_ptr<CURL, void (*)(CURL*)> curl(curl_easy_init(), &curl_easy_cleanup);
    if (!curl) return false;
    CURL* c = curl.get();
    curl_easy_setopt(c, CURLOPT_URL, url.c_str());
    curl_easy_setopt(c, CURLOPT_USERNAME, account.user.c_str());
    curl_easy_setopt(c, CURLOPT_PASSWORD, account.password.c_str());
    curl_easy_setopt(c, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(c, CURLOPT_READDATA, file.get());
    curl_easy_setopt(c, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(size));
    curl_easy_setopt(c, CURLOPT_TRANSFERTEXT, 0L);  // binary
    curl_easy_setopt(c, CURLOPT_FTP_USE_EPSV, 1L);  // passive: EPSV, then PASV
    curl_easy_setopt(c, CURLOPT_FTPPORT, nullptr);
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_NOPROXY, "*");
    // The same bounds as every HTTP request: a server that is not reached in time, that does not
    // answer a command or that stops taking the file ends the upload as failed.
    const HttpLimits limits = CurrentHttpLimits();
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(limits.connect.count()));
    curl_easy_setopt(c, CURLOPT_SERVER_RESPONSE_TIMEOUT, SilenceSeconds(limits));
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_TIME, SilenceSeconds(limits));
    return curl_easy_perform(c) == CURLE_OK;
}

}  // namespace lmn::maker
