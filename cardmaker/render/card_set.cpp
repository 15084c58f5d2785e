#include "card_set.h"

#include <sys/stat.h>

#include <QTransform>

#include "jpeg_file.h"
#include "paths.h"
#include "text.h"

namespace lmn::maker {

const std::array<CardVariant, kVariantCount> kCardVariants = {{
    {"big", QSize(290, 420)},
    {"small", QSize(119, 172)},
    {"mini", QSize(66, 95)},
    {"mini_t", QSize(66, 95)},
    {"mini_d", QSize(95, 66)},
    {"mini_d_t", QSize(95, 66)},
}};

namespace {

QImage Turned(const QImage& image, int degreesClockwise) {
    return image.transformed(QTransform().rotate(degreesClockwise));
}

QImage ScaledTo(const QImage& image, QSize size) {
    return image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

void ClearReadOnly(const std::string& path) {
    std::string native = NativePath(path);
    struct stat st;
    if (stat(native.c_str(), &st) == 0) chmod(native.c_str(), st.st_mode | S_IWUSR);
}

}  // namespace

std::string VariantFileName(std::string_view bigFileName, std::string_view variant) {
    return ReplaceAll(std::string(bigFileName), "big", variant);
}

std::string JoinPath(std::string_view folder, std::string_view name) {
    std::string out(folder);
    if (!out.empty() && out.back() != '/' && out.back() != '\\') out += '/';
    return out + std::string(name);
}

std::array<QImage, kVariantCount> MakeCardSet(const QImage& big) {
    QImage mini = ScaledTo(big, kCardVariants[2].size);
    QImage upsideDown = Turned(mini, 180);
    QImage topLeft = Turned(upsideDown, 90);
    QImage topRight = Turned(topLeft, 180);
    return {big, ScaledTo(big, kCardVariants[1].size), mini, upsideDown, topLeft, topRight};
}

SetResult SaveCardSet(const std::array<QImage, kVariantCount>& pictures, size_t first,
                      const std::string& folder, std::string_view bigFileName) {
    for (size_t i = first; i < kVariantCount; ++i) {
        std::string path = JoinPath(folder, VariantFileName(bigFileName, kCardVariants[i].name));
        if (!SaveJpeg(pictures[i], path)) return {false, path};
    }
    return {};
}

SetResult CopyCardSet(const std::string& sourceFolder, const std::string& targetFolder,
                      std::string_view bigFileName) {
    for (const CardVariant& variant : kCardVariants) {
        std::string name = VariantFileName(bigFileName, variant.name);
        std::string target = JoinPath(targetFolder, name);
        ClearReadOnly(target);
        if (!CopyFileAtomic(JoinPath(sourceFolder, name), target)) return {false, target};
    }
    return {};
}

}  // namespace lmn::maker
