#include "card_paths.h"

#include <cstdio>
#include <cstring>

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

// The longest start of a UTF-8 text within maxBytes that ends at a character boundary.
std::string CutUtf8(const std::string& text, size_t maxBytes) {
    if (text.size() <= maxBytes) return text;
    size_t end = maxBytes;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    return text.substr(0, end);
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
    const std::string name = FileNameOf(cardPicturePath);
    const size_t at = name.rfind("card_no_");
    if (at == std::string::npos) return {};
    size_t end = at + 8;
    while (end < name.size() && name[end] >= '0' && name[end] <= '9') ++end;
    return name.substr(at + 8, end - at - 8);
}

std::string BigFileNameFor(std::string_view cardId) {
    return "card_no_" + std::string(cardId) + "_big.jpg";
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
    const std::string head = SafeFolderPiece(ReplaceAll(std::string(bigFileName), "big.jpg", ""));
    std::string card = SafeFolderPiece(cardName), user = SafeFolderPiece(userName);
    const size_t fixed = head.size() + 2 + std::strlen(date);
    if (fixed >= kMaxFolderNameBytes) return head.substr(0, kMaxFolderNameBytes - std::strlen(date)) + date;
    user = CutUtf8(user, kMaxFolderNameBytes - fixed);
    card = CutUtf8(card, kMaxFolderNameBytes - fixed - user.size());
    return head + card + "_" + user + "_" + date;
}

std::string CardBigPicture(std::string_view folder, int cardId) {
    std::string f(folder);
    if (!f.empty() && f.back() != '/' && f.back() != '\\') f += "/";
    return f + "card_no_" + std::to_string(cardId) + "_big.jpg";
}

}  // namespace lmn::maker
