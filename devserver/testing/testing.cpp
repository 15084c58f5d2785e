// Answers for tests of the programs' HTTP code, below /test/:
//   status?code=N&body=TEXT  an answer with that status and body
//   bytes?n=N                N bytes of data ('0'..'9' repeated)
//   cut?n=N                  declares N + 100 bytes, sends N and closes (a broken transfer)
//   zero                     a text body with a zero byte in it
#include <algorithm>
#include <string>

#include "module.h"
#include "text.h"

namespace lmn::dev {

namespace {

std::string Digits(size_t n) {
    std::string s(n, '0');
    for (size_t i = 0; i < n; ++i) s[i] = static_cast<char>('0' + i % 10);
    return s;
}

bool Handle(const HttpRequest& req, HttpResponse& res) {
    res.contentType = "text/plain";
    if (req.path == "/test/status") {
        res.status = AtoI(req.Param("code"));
        res.body = req.Param("body");
    } else if (req.path == "/test/bytes") {
        res.body = Digits(static_cast<size_t>(std::clamp(AtoI(req.Param("n")), 0, 256 << 20)));
    } else if (req.path == "/test/cut") {
        size_t n = static_cast<size_t>(std::clamp(AtoI(req.Param("n")), 0, 1 << 20));
        res.useRaw = true;
        res.raw =
            "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nContent-Length: " + std::to_string(n + 100) +
            "\r\nConnection: close\r\n\r\n" + Digits(n);
    } else if (req.path == "/test/zero") {
        res.body = std::string("before\0after", 12);
    } else {
        return false;
    }
    return true;
}

bool Start(DevContext& ctx) {
    ctx.http->Route("/test/", Handle);
    return true;
}

const bool registered = RegisterModule({"testing", Start, {}});

}  // namespace

}  // namespace lmn::dev
