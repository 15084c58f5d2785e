#include "card_paths.h"

#include <cstdio>

#include "text.h"

namespace lmn::maker {

namespace {

size_t LastSeparator(std::string_view path) {
    return path.find_last_of("\\/");
}

bool IsHarmless(unsigned char c) {
    if (c < 0x20 || c == 0x7F) return false;
    switch (c) {
        case '/':
        case '\\':
        case ':':
        case '*':
        case '?':
        case '"':
        case '<':
        case '>':
        case '|':
            return false;
        default:
            return true;
    }
}

}  // namespace

std::string FolderOf(std::string_view path) {
    size_t sep = LastSeparator(path);
    return sep == std::string_view::npos ? std::string() : std::string(path.substr(0, sep));
}

std::string FileNameOf(std::string_view path) {
    size_t sep = LastSeparator(path);
    return std::string(sep == std::string_view::npos ? path : path.substr(sep + 1));
}

bool IsCardPicturePath(std::string_view path) {
    return path.find("card_no_") != std::string_view::npos;
}

std::string BigPictureFor(std::string_view cardPicturePath) {
    size_t sep = LastSeparator(cardPicturePath);
    size_t nameStart = sep == std::string_view::npos ? 0 : sep + 1;
    std::string name(cardPicturePath.substr(nameStart));
    for (const char* variant : {"small", "mini_d_t", "mini_d", "mini_t", "mini"})
        name = ReplaceAll(name, variant, "big");
    return std::string(cardPicturePath.substr(0, nameStart)) + name;
}

std::string CardIdOf(std::string_view cardPicturePath) {
    std::string s = ReplaceAll(ReplaceAll(std::string(cardPicturePath), "card_no_", ""), "_big.jpg", "");
    return FileNameOf(s);
}

std::string SafeFolderPiece(std::string_view text) {
    std::string out;
    for (char c : text)
        if (IsHarmless(static_cast<unsigned char>(c))) out += c;
    return out;
}

std::string SetFolderName(std::string_view bigFileName, std::string_view cardName, std::string_view userName,
                          int year, int month, int day) {
    char date[32];
    std::snprintf(date, sizeof date, "%04d%02d%02d", year, month, day);
    std::string tail = SafeFolderPiece(cardName) + "_" + SafeFolderPiece(userName) + "_" + date;
    return SafeFolderPiece(ReplaceAll(std::string(bigFileName), "big.jpg", tail));
}

std::string CardBigPicture(std::string_view folder, int cardId) {
    std::string f(folder);
    if (!f.empty() && f.back() != '/' && f.back() != '\\') f += "/";
    return f + "card_no_" + std::to_string(cardId) + "_big.jpg";
}

}  // namespace lmn::maker
