// Turning an address as the browser reports it (percent-encoded) back into the GBK text the
// page wrote, e.g. "http://lmnkx-cmd/[save_setting]&username=%E4%B8%AD" -> "...&username=中" (GBK).
#pragma once

#include <string>
#include <string_view>

namespace lmn::shell {

// The address is split at '&', '=' and its first '?' first; each piece is then percent-decoded
// to bytes and converted: pieces before the first '?' arrive as UTF-8, pieces after it in the
// charset of the page that navigated (queryIsUtf8 says which). When the browser layer re-encoded
// every '%' because of a stray one ("50%" -> "50%25"), the second layer of encoding is
// removed too.
std::string DecodeBrowserUrl(std::string_view encoded, bool queryIsUtf8 = false);

}  // namespace lmn::shell
