#include "selection_canvas.h"

#include <QMouseEvent>
#include <QPainter>

#include "maker_app.h"

namespace lmn::maker {

SelectionCanvas::SelectionCanvas(MakerApp& app, QWidget* parent) : QWidget(parent), app_(app) {
    setMouseTracking(true);
}

void SelectionCanvas::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (app_.newPicturePath().empty()) {
        painter.fillRect(rect(), palette().window());
        return;
    }
    painter.drawImage(QPoint(0, 0),
                      app_.renderer().RenderSelection(app_.card(), size(), app_.framePicturePath()));
}

void SelectionCanvas::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    QPoint p = event->position().toPoint();
    app_.MousePress(p.x(), p.y());
    UpdateCursor(p);
}

void SelectionCanvas::mouseMoveEvent(QMouseEvent* event) {
    QPoint p = event->position().toPoint();
    app_.MouseMove(p.x(), p.y());
    UpdateCursor(p);
}

void SelectionCanvas::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    app_.MouseRelease();
    UpdateCursor(event->position().toPoint());
}

void SelectionCanvas::UpdateCursor(QPoint at) {
    switch (app_.CursorAt(at.x(), at.y())) {
        case FrameCursor::Hand:
            setCursor(Qt::PointingHandCursor);
            break;
        case FrameCursor::Move:
            setCursor(Qt::SizeAllCursor);
            break;
        case FrameCursor::Default:
            unsetCursor();
            break;
    }
}

}  // namespace lmn::maker
