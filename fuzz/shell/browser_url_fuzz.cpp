// Addresses as the browser reports them, decoded back into command texts, and the frame
// addresses the command-source rule reads.
#include <cstddef>
#include <cstdint>
#include <string>

#include "browser_url.h"
#include "command_source.h"
#include "navigation_watch.h"
#include "percent_decode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string url(reinterpret_cast<const char*>(data), size);
    for (bool utf8 : {false, true}) {
        const std::string text = lmn::shell::DecodeBrowserUrl(url, utf8);
        (void)lmn::shell::ClassifyBeforeNavigate(text);
        (void)lmn::shell::IsPlainIndexPage(text);
    }
    // A frame of the base URL's own host is always heard.
    if (!lmn::shell::UrlHost(url).empty() && !lmn::shell::CommandSourceAllowed(url, url, ""))
        __builtin_trap();
    (void)lmn::shell::CommandSourceAllowed(url, "http://web/zrk/", url);
    const std::string once = lmn::PercentDecode(url);
    if (once.size() > url.size()) __builtin_trap();
    if (lmn::PercentDecode(url, true).size() != once.size()) __builtin_trap();
    return 0;
}
