// RenderCard: composes the whole card on a 290 x 420 surface. The preview shows this surface
// and the big card picture is written from it, so both always agree.
#pragma once

#include <QImage>

#include "composition.h"
#include "water_mark.h"

namespace lmn::maker {

class CardRenderer {
  public:
    // The composed card; a null image when no card picture is chosen.
    QImage RenderCard(const CardComposition& card);
    // True when the card picture file can be loaded.
    bool HasCardPicture(const CardComposition& card);
    // Why a picture file cannot be drawn (None when it can), with the size its header gives.
    PictureFault FaultOf(const std::string& path, QSize* declaredSize = nullptr) {
        return painter_.FaultOf(path, declaredSize);
    }
    // The main window's picture: the new picture at the zoom on black, the selection frame on top.
    QImage RenderSelection(const CardComposition& card, QSize clientSize,
                           const std::string& framePicturePath);

    const PictureCache& cache() const { return painter_.cache(); }

  private:
    WaterMark painter_;
};

// Steps of RenderCard after the two pictures, exposed for the layout tests.
void EraseTextBands(QImage& surface);
void DrawCardTexts(QImage& surface, const CardComposition& card);

}  // namespace lmn::maker
