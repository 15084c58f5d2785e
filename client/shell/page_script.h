// Building the script call that hands a text to the page's client_cmd function.
#pragma once

#include <string>
#include <string_view>

namespace lmn::shell {

// "client_cmd('" + text + "')" as a UTF-8 script. The text (GBK) is converted to UTF-8 and then
// escaped as a script string, so client_cmd receives exactly the text and nothing else runs:
// quotes, backslashes, line breaks, control characters, '<' and '>' (no "</script>") and the
// two Unicode line separators are written as escapes.
std::string ClientCmdScript(std::string_view gbkText);

// The escaping on its own, for a UTF-8 text.
std::string EscapeScriptString(std::string_view utf8);

}  // namespace lmn::shell
