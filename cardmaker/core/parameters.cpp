#include "parameters.h"

#include "text.h"

namespace lmn::maker {

namespace {

constexpr size_t kMaxParameterFields = 10;

std::string FieldWithoutKey(const std::vector<std::string>& fields, size_t index, std::string_view key) {
    if (index >= fields.size()) return {};
    return ReplaceAll(fields[index], key, "");
}

}  // namespace

std::vector<std::string> SplitString(std::string_view text, size_t capacity) {
    std::vector<std::string> pieces;
    size_t start = 0;
    for (size_t pos = text.find(';'); pos != std::string_view::npos && pieces.size() < capacity;
         pos = text.find(';', start)) {
        pieces.emplace_back(text.substr(start, pos - start));
        start = pos + 1;
    }
    return pieces;
}

MakerParameters ParseParameters(std::string_view commandLine) {
    std::vector<std::string> fields = SplitString(std::string(commandLine) + ";", kMaxParameterFields);
    MakerParameters p;
    p.url = FieldWithoutKey(fields, 0, "url=");
    p.userName = FieldWithoutKey(fields, 1, "username=");
    p.userId = AtoI(FieldWithoutKey(fields, 2, "userid="));
    p.type = AtoI(FieldWithoutKey(fields, 3, "type="));
    p.arg = FieldWithoutKey(fields, 4, "arg=");
    return p;
}

int ArgCardId(const MakerParameters& params) {
    int n = AtoI(params.arg);
    return n > 0 ? n : 0;
}

}  // namespace lmn::maker
