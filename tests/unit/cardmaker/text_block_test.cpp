#include "text_block.h"

#include <gtest/gtest.h>

#include "card_fonts.h"
#include "card_pictures.h"

using namespace lmn::maker;

namespace {

constexpr double kX = 34, kY = 325, kW = 228, kSpacing = -2;

class TextBlockTest : public ::testing::Test {
  protected:
    TextBlockLayout Layout(const QString& intro, const QString& ability) {
        return LayoutTextBlock(intro, ability, kX, kY, kW, kSpacing, font);
    }
    double Width(const QString& text) { return MeasureText(font, text).width(); }
    double Pitch() { return static_cast<int>(MeasureText(font, "中").height()) + kSpacing; }

    QFont font = CardFont(QStringLiteral("AR PL UMing CN"), 9, false, true);
};

TEST_F(TextBlockTest, IntroductionBreaksBeforeTheCharacterThatReachesTheWidth) {
    QString intro = QString("这是一段很长的卡片简介文字，用来检查换行的位置是否正确。").repeated(4);
    TextBlockLayout layout = Layout(intro, "");
    ASSERT_GE(layout.introduction.size(), 3u);
    QString joined;
    for (size_t k = 0; k < layout.introduction.size(); ++k) {
        const TextBlockLine& line = layout.introduction[k];
        joined += line.text;
        EXPECT_LT(Width(line.text), kW);
        if (k + 1 < layout.introduction.size()) {
            EXPECT_GE(Width(line.text + layout.introduction[k + 1].text.front()), kW);
        }
        EXPECT_EQ(line.origin, QPointF(kX, kY + k * Pitch()));
        EXPECT_EQ(line.colour, QColor(0, 0, 0));
    }
    EXPECT_EQ(joined, intro);
}

TEST_F(TextBlockTest, AbilityContinuesAfterTheLastIntroductionLine) {
    TextBlockLayout layout = Layout("短简介", "能力描述");
    ASSERT_EQ(layout.introduction.size(), 1u);
    ASSERT_EQ(layout.ability.size(), 1u);
    int remaining = static_cast<int>(kW - Width("短简介"));
    EXPECT_EQ(layout.ability[0].origin, QPointF(kX + kW - remaining - 5, kY));
    EXPECT_EQ(layout.ability[0].colour, QColor(255, 0, 0));
}

TEST_F(TextBlockTest, EmptyIntroductionPutsTheAbilityAtX29) {
    TextBlockLayout layout = Layout("", "能力");
    ASSERT_EQ(layout.ability.size(), 1u);
    EXPECT_EQ(layout.ability[0].origin, QPointF(29, 325));
}

TEST_F(TextBlockTest, FullLastIntroductionLineSendsTheAbilityToTheNextLine) {
    QString intro;
    while (Width(intro + "满") < kW) intro += "满";
    TextBlockLayout layout = Layout(intro, "能力文字");
    ASSERT_EQ(layout.introduction.size(), 1u);
    ASSERT_GE(layout.ability.size(), 2u);
    EXPECT_LE(layout.ability[0].text.size(), 1);
    EXPECT_EQ(layout.ability[1].origin, QPointF(kX, kY + Pitch()));
    QString rest;
    for (const auto& line : layout.ability) rest += line.text;
    EXPECT_EQ(rest, "能力文字");
}

TEST_F(TextBlockTest, LaterAbilityLinesWrapAtTheFullWidth) {
    QString ability = QString("能力").repeated(60);
    TextBlockLayout layout = Layout("简介", ability);
    ASSERT_GE(layout.ability.size(), 3u);
    for (size_t k = 1; k < layout.ability.size(); ++k) {
        EXPECT_EQ(layout.ability[k].origin.x(), kX);
        EXPECT_LT(Width(layout.ability[k].text), kW);
    }
}

TEST_F(TextBlockTest, MoreThanAHundredLinesAreAllLaidOutAndDrawn) {
    QString intro;
    for (int i = 0; i < 150; ++i) intro += QString("第%1行的简介文字比较长需要换行。").arg(i);
    TextBlockLayout layout = Layout(intro, QString("能力").repeated(1200));
    EXPECT_GT(layout.introduction.size(), 100u);
    EXPECT_GT(layout.ability.size(), 100u);
    EXPECT_GT(layout.ability.back().origin.y(), layout.introduction.back().origin.y());

    QImage surface = MakeCardSurface(290, 420);
    surface.fill(Qt::white);
    DrawTextBlock(surface, intro, "", kX, kY, kW, kSpacing, font, true);
    EXPECT_FALSE(lmn::test::InkBox(surface, QRect(30, 325, 240, 95), lmn::test::IsDark).isEmpty());
}

TEST_F(TextBlockTest, TypedLineBreaksStayInsideTheirLine) {
    TextBlockLayout layout = Layout("上\n下", "");
    ASSERT_EQ(layout.introduction.size(), 1u);
    EXPECT_EQ(layout.introduction[0].text, "上\n下");
}

TEST_F(TextBlockTest, SmoothDrawsGreyEdgesAndPlainDrawsNone) {
    auto greyPixels = [&](bool smooth) {
        QImage surface = MakeCardSurface(290, 60);
        surface.fill(Qt::white);
        QFont f = CardFont(QStringLiteral("AR PL UMing CN"), 9, false, smooth);
        DrawTextBlock(surface, "平滑的字体", "", 10, 10, kW, kSpacing, f, smooth);
        int grey = 0;
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 290; ++x) {
                int g = qGray(surface.pixel(x, y));
                grey += g > 30 && g < 225;
            }
        return grey;
    };
    EXPECT_GT(greyPixels(true), 20);
    EXPECT_LT(greyPixels(false), greyPixels(true) / 4);
}

}  // namespace
