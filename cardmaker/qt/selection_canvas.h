// The main window's picture area: the new picture at the zoom with the selection frame on top.
#pragma once

#include <QWidget>

namespace lmn::maker {

class MakerApp;

class SelectionCanvas : public QWidget {
  public:
    SelectionCanvas(MakerApp& app, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void UpdateCursor(QPoint at);

    MakerApp& app_;
};

}  // namespace lmn::maker
