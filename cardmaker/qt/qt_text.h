// Conversions at the card maker's widget edge: UTF-8 and GBK byte strings to and from QString.
#pragma once

#include <QString>
#include <string>

#include "text.h"

namespace lmn::maker {

inline QString FromUtf8(const std::string& s) {
    return QString::fromStdString(s);
}
inline std::string ToUtf8(const QString& s) {
    return s.toStdString();
}
inline QString FromGbk(const std::string& s) {
    return QString::fromStdString(GbkToUtf8(s));
}
inline std::string ToGbk(const QString& s) {
    return Utf8ToGbk(s.toStdString());
}

// "全部图片文件|*.bmp;*.jpg|全部文件|*.*|" as a Qt file-dialog filter.
QString QtFileFilter(const std::string& filter);

}  // namespace lmn::maker
