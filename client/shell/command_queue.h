// Command texts as the page's navigations carry them to the command host.
#pragma once

#include <string>
#include <string_view>

namespace lmn::shell {

// Removes every occurrence of "http://" + command host + "/" from a caught URL.
std::string StripCommandHost(std::string_view url);

}  // namespace lmn::shell
