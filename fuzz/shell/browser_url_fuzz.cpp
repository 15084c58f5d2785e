// Addresses as the browser reports them, decoded back into command texts.
#include <cstddef>
#include <cstdint>
#include <string>

#include "browser_url.h"
#include "navigation_watch.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string url(reinterpret_cast<const char*>(data), size);
    for (bool utf8 : {false, true}) {
        const std::string text = lmn::shell::DecodeBrowserUrl(url, utf8);
        (void)lmn::shell::ClassifyBeforeNavigate(text);
        (void)lmn::shell::IsPlainIndexPage(text);
    }
    const std::string once = lmn::shell::PercentDecode(url);
    if (once.size() > url.size()) __builtin_trap();
    return 0;
}
