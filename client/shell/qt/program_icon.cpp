#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>

#include "main_window.h"

namespace lmn::shell {

QIcon ProgramIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        QLinearGradient gradient(0, 0, size, size);
        gradient.setColorAt(0, QColor(0xff, 0xd8, 0x6b));
        gradient.setColorAt(1, QColor(0x8a, 0x4b, 0xff));
        painter.setBrush(gradient);
        painter.setPen(Qt::NoPen);
        painter.drawRoundedRect(QRectF(0.5, 0.5, size - 1, size - 1), size / 5.0, size / 5.0);
        QFont font;
        font.setBold(true);
        font.setPixelSize(size * 2 / 3);
        painter.setFont(font);
        painter.setPen(QColor(0x07, 0x05, 0x1a));
        painter.drawText(pixmap.rect(), Qt::AlignCenter, QStringLiteral("L"));
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace lmn::shell
