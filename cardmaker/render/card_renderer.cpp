#include "card_renderer.h"

#include <QPainter>

#include "card_fonts.h"
#include "text_block.h"

namespace lmn::maker {

namespace {

struct Band {
    QRect area;
    QPoint sample;
};

// Name, text block and voice actor bands, erased in this order with the colour each one's
// sample point has just before its fill.
const Band kBands[] = {
    {QRect(QPoint(30, 30), QPoint(262, 54)), QPoint(30, 30)},
    {QRect(QPoint(30, 325), QPoint(259, 377)), QPoint(30, 326)},
    {QRect(QPoint(36, 63), QPoint(263, 77)), QPoint(30, 67)},
};

constexpr double kNamePoints = 15;
constexpr double kVoicePoints = 11;
constexpr double kTextBlockPoints = 9;
const QPointF kNameOrigin(30, 31);
constexpr double kTitleRight = 268;
constexpr double kTitleY = 31;
constexpr double kVoiceRight = 253;
constexpr double kVoiceY = 63;
constexpr double kTextBlockX = 34;
constexpr double kTextBlockY = 325;
constexpr double kTextBlockWidth = 228;
constexpr double kTextBlockSpacing = -2;

void DrawTimes(QImage& surface, const QFont& font, QPointF origin, const QString& text, int times) {
    QPainter painter(&surface);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setPen(QColor(0, 0, 0));
    for (int i = 0; i < times; ++i) DrawTextAt(painter, font, origin, text);
}

}  // namespace

void EraseTextBands(QImage& surface) {
    for (const Band& band : kBands) {
        QColor colour = surface.pixelColor(band.sample);
        QPainter(&surface).fillRect(band.area, colour);
    }
}

void DrawCardTexts(QImage& surface, const CardComposition& card) {
    const int times = card.bold ? 2 : 1;
    QFont blockFont = CardFont(card.fontFace, kTextBlockPoints, card.bold, card.smooth);
    for (int i = 0; i < times; ++i)
        DrawTextBlock(surface, card.introduction, card.ability, kTextBlockX, kTextBlockY, kTextBlockWidth,
                      kTextBlockSpacing, blockFont, card.smooth);

    QFont nameFont = CardFont(card.fontFace, kNamePoints, true, true);
    DrawTimes(surface, nameFont, kNameOrigin, card.name, times);

    QString title = card.titleMarks ? QStringLiteral("《") + card.title + QStringLiteral("》") : card.title;
    DrawTimes(surface, nameFont, QPointF(kTitleRight - MeasureText(nameFont, title).width(), kTitleY), title,
              times);

    QFont voiceFont = CardFont(card.fontFace, kVoicePoints, true, true);
    QString voice = card.cvPrefix ? QStringLiteral("CV：") + card.voiceActor : card.voiceActor;
    DrawTimes(surface, voiceFont, QPointF(kVoiceRight - MeasureText(voiceFont, voice).width(), kVoiceY),
              voice, 1);
}

QImage CardRenderer::RenderCard(const CardComposition& card) {
    if (card.cardPicturePath.empty()) return {};
    QImage surface = MakeCardSurface(kCardWidth, kCardHeight);
    painter_.DrawCardPicture(surface, card.cardPicturePath);
    painter_.DrawNewPicture(surface, card.zoom, card.frameX, card.frameY, card.newPicturePath);
    if (card.changeCharacter) {
        EraseTextBands(surface);
        DrawCardTexts(surface, card);
    }
    return surface;
}

bool CardRenderer::HasCardPicture(const CardComposition& card) {
    return !card.cardPicturePath.empty() && painter_.CanLoad(card.cardPicturePath);
}

QImage CardRenderer::RenderSelection(const CardComposition& card, QSize clientSize,
                                     const std::string& framePicturePath) {
    QImage surface = MakeCardSurface(clientSize.width(), clientSize.height());
    painter_.DrawZoomedPicture(surface, card.zoom, card.newPicturePath);
    painter_.DrawFramePicture(surface, card.frameX, card.frameY, framePicturePath);
    return surface;
}

}  // namespace lmn::maker
