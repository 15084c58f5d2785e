#include "text_block.h"

#include <QPainter>

#include "card_fonts.h"

namespace lmn::maker {

namespace {

// Breaks text into lines: a character joins the current line when the line is already at
// least `limit(lines so far)` wide or the line with it stays narrower than that limit;
// otherwise the current line is finished and the character starts the next one.
template <typename Limit>
std::vector<QString> BreakLines(const QString& text, const QFont& font, Limit limit, int& lineHeight) {
    std::vector<QString> lines;
    QString current;
    for (QChar c : text) {
        QString candidate = current + c;
        QSizeF candidateSize = MeasureText(font, candidate);
        double currentWidth = MeasureText(font, current).width();
        if (candidateSize.height() > 0) lineHeight = static_cast<int>(candidateSize.height());
        double w = limit(lines.size());
        if (currentWidth >= w || candidateSize.width() < w) {
            current = candidate;
        } else {
            lines.push_back(current);
            current = QString(c);
        }
    }
    if (!current.isEmpty()) lines.push_back(current);
    return lines;
}

}  // namespace

TextBlockLayout LayoutTextBlock(const QString& introduction, const QString& ability, double x, double y,
                                double wrapWidth, double spacing, const QFont& font) {
    TextBlockLayout layout;
    int lineHeight = 0;
    std::vector<QString> introLines = BreakLines(
        introduction, font, [&](size_t) { return wrapWidth; }, lineHeight);
    const double introPitch = lineHeight + spacing;
    double lineY = static_cast<int>(y);
    for (const QString& line : introLines) {
        layout.introduction.push_back({line, QPointF(x, lineY), QColor(0, 0, 0)});
        lineY += introPitch;
    }

    int remaining = introLines.empty()
                        ? static_cast<int>(wrapWidth)
                        : static_cast<int>(wrapWidth - MeasureText(font, introLines.back()).width());
    std::vector<QString> abilityLines = BreakLines(
        ability, font, [&](size_t stored) { return stored == 0 ? remaining : wrapWidth; }, lineHeight);
    const double pitch = lineHeight + spacing;
    if (!introLines.empty()) lineY -= pitch;
    for (size_t k = 0; k < abilityLines.size(); ++k) {
        double lineX = k == 0 ? x + wrapWidth - remaining - 5 : x;
        layout.ability.push_back({abilityLines[k], QPointF(lineX, lineY), QColor(255, 0, 0)});
        lineY += pitch;
    }
    return layout;
}

void DrawTextBlock(QImage& surface, const QString& introduction, const QString& ability, double x, double y,
                   double wrapWidth, double spacing, const QFont& font, bool smooth) {
    TextBlockLayout layout = LayoutTextBlock(introduction, ability, x, y, wrapWidth, spacing, font);
    QFont drawFont = font;
    if (smooth) drawFont.setStyleStrategy(QFont::PreferAntialias);
    QPainter painter(&surface);
    painter.setRenderHint(QPainter::TextAntialiasing, smooth);
    for (const auto* lines : {&layout.introduction, &layout.ability}) {
        for (const TextBlockLine& line : *lines) {
            painter.setPen(line.colour);
            DrawTextAt(painter, drawFont, line.origin, line.text);
        }
    }
}

}  // namespace lmn::maker
