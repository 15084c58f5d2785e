#include "player_answer.h"

#include "player_request.h"

namespace lmn::flash {

namespace {

const char* ReasonOf(int status) {
    switch (status) {
        case 200:
            return "OK";
        case 204:
            return "No Content";
        case 400:
            return "Bad Request";
        case 404:
            return "Not Found";
        case 405:
            return "Method Not Allowed";
        case 431:
            return "Request Header Fields Too Large";
        default:
            return "Internal Server Error";
    }
}

std::string Head(int status, std::string_view contentType, long long length) {
    std::string head = "HTTP/1.1 " + std::to_string(status) + " " + ReasonOf(status) + "\r\n";
    if (!contentType.empty()) head += "Content-Type: " + std::string(contentType) + "\r\n";
    head += "Content-Length: " + std::to_string(length) + "\r\n";
    head +=
        "Access-Control-Allow-Origin: *\r\n"
        "Access-Control-Allow-Methods: GET, HEAD\r\n"
        "Access-Control-Allow-Headers: *\r\n"
        "Access-Control-Allow-Private-Network: true\r\n"
        "Cross-Origin-Resource-Policy: cross-origin\r\n"
        "X-Content-Type-Options: nosniff\r\n"
        "Cache-Control: no-cache\r\n"
        "Connection: close\r\n\r\n";
    return head;
}

PlayerAnswer TextAnswer(int status, std::string_view text) {
    PlayerAnswer answer;
    answer.status = status;
    answer.body = std::string(text) + "\n";
    answer.head = Head(status, "text/plain", static_cast<long long>(answer.body.size()));
    return answer;
}

}  // namespace

PlayerAnswer AnswerRequest(std::string_view head, const PlayerFiles& files,
                           long long (*fileSize)(const std::string& path)) {
    const auto request = ParseRequestHead(head);
    if (!request) return TextAnswer(400, "bad request");
    if (request->method == RequestMethod::Options) {
        PlayerAnswer answer;
        answer.status = 204;
        answer.head = Head(204, "", 0);
        return answer;
    }
    const auto file = files.Find(request->path);
    if (!file) return TextAnswer(404, "not found");
    const long long size = fileSize(file->path);
    if (size < 0) return TextAnswer(404, "not found");
    PlayerAnswer answer;
    answer.status = 200;
    answer.head = Head(200, file->contentType, size);
    if (request->method == RequestMethod::Get) answer.bodyFile = file->path;
    return answer;
}

PlayerAnswer AnswerTooLarge() {
    return TextAnswer(431, "request head too large");
}

}  // namespace lmn::flash
