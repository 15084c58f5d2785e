// The six picture files of one card: names, pixel sizes and how each is made from the big one.
#pragma once

#include <QImage>
#include <QSize>
#include <array>
#include <string>
#include <string_view>

namespace lmn::maker {

struct CardVariant {
    const char* name;  // "big", "small", ... as it stands in the file name
    QSize size;
};

inline constexpr int kVariantCount = 6;
// In the order the files are written and copied.
extern const std::array<CardVariant, kVariantCount> kCardVariants;

// The variant's file name formed from the big file's name ("big" replaced by the variant).
std::string VariantFileName(std::string_view bigFileName, std::string_view variant);

// The six pictures, in kCardVariants order: big as given; small and mini scaled from it;
// mini_t the mini turned 180°, mini_d turned 90° counter-clockwise (top edge on the left),
// mini_d_t turned 90° clockwise (top edge on the right).
std::array<QImage, kVariantCount> MakeCardSet(const QImage& big);

// Outcome of writing or copying a set: the first file that failed, if any.
struct SetResult {
    bool ok = true;
    std::string failedPath;
};

// Saves the variants from index `first` on into folder under names formed from bigFileName;
// stops at the first file that cannot be written.
SetResult SaveCardSet(const std::array<QImage, kVariantCount>& pictures, size_t first,
                      const std::string& folder, std::string_view bigFileName);
// Copies the six files from sourceFolder over the files of the same names in targetFolder,
// clearing a target's read-only bits first; stops at the first failure.
SetResult CopyCardSet(const std::string& sourceFolder, const std::string& targetFolder,
                      std::string_view bigFileName);

// Joins folder and name with one '/'.
std::string JoinPath(std::string_view folder, std::string_view name);

}  // namespace lmn::maker
