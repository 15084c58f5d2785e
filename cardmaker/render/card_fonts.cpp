#include "card_fonts.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainter>
#include <QPointF>
#include <QRectF>

namespace lmn::maker {

namespace {

constexpr int kDotsPerMeterAt96Dpi = 3780;
constexpr double kLayoutExtent = 1.0e6;

bool IsInstalled(const QString& face) {
    const QStringList families = QFontDatabase::families();
    auto installed = [&](const QString& name) { return families.contains(name, Qt::CaseInsensitive); };
    if (installed(face)) return true;
    for (const QString& substitute : QFont::substitutes(face))
        if (installed(substitute)) return true;
    return false;
}

// Text is measured on the same 96-dpi surface it is drawn on, whatever the screen says.
const QImage& ReferenceSurface() {
    static const QImage surface = MakeCardSurface(1, 1);
    return surface;
}

double Margin(const QFont& font) {
    return font.pointSizeF() * 96.0 / 72.0 / 6.0;
}

}  // namespace

void InstallCardFontSubstitutions() {
    QFont::insertSubstitutions(kKaiFace, {QStringLiteral("AR PL UKai CN"), QStringLiteral("AR PL UKai TW")});
    QFont::insertSubstitutions(kSongFace,
                               {QStringLiteral("AR PL UMing CN"), QStringLiteral("AR PL UMing TW")});
}

QString ChooseCardFace() {
    return IsInstalled(kKaiFace) ? kKaiFace : kSongFace;
}

QFont CardFont(const QString& face, double points, bool bold, bool antialias) {
    QFont font(face);
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setStyleHint(QFont::SansSerif);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(antialias ? QFont::PreferAntialias : QFont::NoAntialias);
    return font;
}

QImage MakeCardSurface(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.setDotsPerMeterX(kDotsPerMeterAt96Dpi);
    image.setDotsPerMeterY(kDotsPerMeterAt96Dpi);
    image.fill(Qt::black);
    return image;
}

QSizeF MeasureText(const QFont& font, const QString& text) {
    if (text.isEmpty()) return {0, 0};
    QFontMetricsF fm(font, &ReferenceSurface());
    QRectF box =
        fm.boundingRect(QRectF(0, 0, kLayoutExtent, kLayoutExtent), Qt::AlignLeft | Qt::AlignTop, text);
    return {box.width() + 2 * Margin(font), box.height()};
}

void DrawTextAt(QPainter& painter, const QFont& font, const QPointF& origin, const QString& text) {
    painter.setFont(font);
    painter.drawText(QRectF(origin.x() + Margin(font), origin.y(), kLayoutExtent, kLayoutExtent),
                     Qt::AlignLeft | Qt::AlignTop, text);
}

}  // namespace lmn::maker
