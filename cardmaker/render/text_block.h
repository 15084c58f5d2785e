// The card's text block: the introduction in black, then the ability in red continuing right
// after the last introduction line, both wrapped at a fixed width one character at a time.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPointF>
#include <QString>
#include <vector>

namespace lmn::maker {

struct TextBlockLine {
    QString text;
    QPointF origin;  // top-left corner of the line's box
    QColor colour;
};

struct TextBlockLayout {
    std::vector<TextBlockLine> introduction;
    std::vector<TextBlockLine> ability;
};

// Lays the block out as DrawTextBlock draws it. Lines are not limited in number.
TextBlockLayout LayoutTextBlock(const QString& introduction, const QString& ability, double x, double y,
                                double wrapWidth, double spacing, const QFont& font);

// Draws the laid-out block; smooth draws the text anti-aliased.
void DrawTextBlock(QImage& surface, const QString& introduction, const QString& ability, double x, double y,
                   double wrapWidth, double spacing, const QFont& font, bool smooth);

}  // namespace lmn::maker
