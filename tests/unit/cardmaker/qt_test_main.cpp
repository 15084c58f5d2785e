// Test main for the card maker: a QGuiApplication on the offscreen platform, with the card fonts.
#include <gtest/gtest.h>

#include <QGuiApplication>

#include "card_fonts.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    lmn::maker::InstallCardFontSubstitutions();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
