// Fonts of the card texts. Cards name the Windows faces "楷体_GB2312" and "宋体"; they are
// mapped to the AR PL UKai and AR PL UMing faces so Chinese texts never draw as empty boxes.
// Layout constants are pixels of a 96-dpi surface, and font sizes are points on it.
#pragma once

#include <QFont>
#include <QImage>
#include <QSizeF>
#include <QString>

class QPainter;
class QPointF;

namespace lmn::maker {

inline const QString kKaiFace = QStringLiteral("楷体_GB2312");
inline const QString kSongFace = QStringLiteral("宋体");

// Registers the substitutions; call once after the QGuiApplication exists.
void InstallCardFontSubstitutions();
// "楷体_GB2312" when that face (or its substitute) is installed, otherwise "宋体".
QString ChooseCardFace();

// A font of the face at the size in points; bold when asked. antialias=false draws text
// without anti-aliasing; with it, glyphs are drawn anti-aliased and unhinted.
QFont CardFont(const QString& face, double points, bool bold, bool antialias);

// A QImage surface at 96 dpi, where fonts in points have their card sizes.
QImage MakeCardSurface(int width, int height);

// The box a text takes when drawn at a point origin: its advance plus a margin of one sixth of
// the em on either side, and the line height (the font's line spacing per line). Newlines
// start new lines inside the box. An empty text has size 0 x 0.
QSizeF MeasureText(const QFont& font, const QString& text);
// Draws text with its box's top-left corner at origin (the glyphs start one margin further right).
void DrawTextAt(QPainter& painter, const QFont& font, const QPointF& origin, const QString& text);

}  // namespace lmn::maker
