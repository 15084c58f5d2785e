// What the player's file server answers to one request head: the response head and, for a
// GET of a file of the table, the file to send after it. Every answer allows any origin (the
// pages come from the game server, from local files and from other frames) and closes the
// connection.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "player_files.h"

namespace lmn::flash {

struct PlayerAnswer {
    int status = 0;
    std::string head;                     // status line and headers, ending with the blank line
    std::optional<std::string> bodyFile;  // sent after the head
    std::string body;                     // sent after the head when there is no file
};

// The answer to a complete request head (see FindRequestHead); fileSize tells the length of a file
// of the table (negative: it cannot be read now).
PlayerAnswer AnswerRequest(std::string_view head, const PlayerFiles& files,
                           long long (*fileSize)(const std::string& path));

// The answer to a head that grew past kMaxRequestHead.
PlayerAnswer AnswerTooLarge();

}  // namespace lmn::flash
