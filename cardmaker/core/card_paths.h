// Names of card picture files and of the folders the card maker writes them to.
// Paths are native (UTF-8) paths in which both '\\' and '/' separate folders.
#pragma once

#include <string>
#include <string_view>

namespace lmn::maker {

// Part before the last separator ("" when there is none) and part after it.
std::string FolderOf(std::string_view path);
std::string FileNameOf(std::string_view path);

// True when the path names a card picture ("card_no_" somewhere in it).
bool IsCardPicturePath(std::string_view path);
// The big picture beside any of a card's six files: in the file name, "small", "mini_d_t",
// "mini_d", "mini_t" and "mini" each become "big", in this order.
std::string BigPictureFor(std::string_view cardPicturePath);
// The card id of a card picture path: the digits after the last "card_no_" of its file name,
// so "card_no_17_big.jpg" and "card_no_17.jpg" both give "17"; empty when there are none.
std::string CardIdOf(std::string_view cardPicturePath);
// "card_no_<id>_big.jpg": the name the six file names of a card are formed from.
std::string BigFileNameFor(std::string_view cardId);

// Keeps what is printable and harmless in one folder-name piece: separators, characters a
// Windows folder name cannot hold and control characters are dropped, so the piece can never
// lead out of the folder it is put in.
std::string SafeFolderPiece(std::string_view text);
// A folder name holds at most this many bytes.
inline constexpr size_t kMaxFolderNameBytes = 255;
// "card_no_<id>_<card name>_<user>_<yyyymmdd>": the big file name with "big.jpg" replaced.
// cardName and userName are UTF-8 and pass through SafeFolderPiece; the card name (then the user
// name) is cut at a character boundary so that the name stays within kMaxFolderNameBytes.
std::string SetFolderName(std::string_view bigFileName, std::string_view cardName, std::string_view userName,
                          int year, int month, int day);

// Picture path that start actions 1 and 2 name: folder + "/card_no_<n>_big.jpg".
std::string CardBigPicture(std::string_view folder, int cardId);

}  // namespace lmn::maker
