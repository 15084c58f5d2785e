// The page's [userinfo] command: "type=[userinfo]&userinfo=userid[marlowen]N;username[marlowen]X;".
#pragma once

#include <string>
#include <string_view>

namespace lmn::game {

// The value of key in a text of key=value pairs each closed by ";": text and key compared in
// lower case, the first occurrence of key + "=" counts, and a value without its closing ";"
// reads as empty (as does a missing key). The value comes back lower-cased.
std::string GetSemicolonValue(std::string_view text, std::string_view key);

struct UserInfo {
    int userId = 0;
    std::string userName;  // lower case
};

// Everything up to and including "userinfo=" is dropped, "[marlowen]" becomes "=", and the
// id and name are read in semicolon form.
UserInfo ParseUserInfo(std::string_view commandText);

}  // namespace lmn::game
