#include "qt_text.h"

#include <QStringList>

namespace lmn::maker {

QString QtFileFilter(const std::string& filter) {
    QStringList parts = FromUtf8(filter).split('|', Qt::SkipEmptyParts);
    QStringList entries;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1].split(';', Qt::SkipEmptyParts).join(' ');
        if (patterns == "*.*") patterns = "*";
        entries << parts[i] + " (" + patterns + ")";
    }
    return entries.join(";;");
}

}  // namespace lmn::maker
