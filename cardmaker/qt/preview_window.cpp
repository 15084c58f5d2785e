#include "preview_window.h"

#include <QPainter>

#include "composition.h"
#include "maker_app.h"

namespace lmn::maker {

PreviewWindow::PreviewWindow(MakerApp& app, QWidget* owner) : QWidget(owner, Qt::Tool), app_(app) {
    setWindowTitle("预览图");
    setFixedSize(kCardWidth, kCardHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PreviewWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QImage card = app_.renderer().RenderCard(app_.card());
    if (card.isNull())
        painter.fillRect(rect(), palette().window());
    else
        painter.drawImage(QPoint(0, 0), card);
}

}  // namespace lmn::maker
