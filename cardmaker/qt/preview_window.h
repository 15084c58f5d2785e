// "预览图": shows the composed card, 290 x 420 pixels of client area.
#pragma once

#include <QWidget>

namespace lmn::maker {

class MakerApp;

class PreviewWindow : public QWidget {
  public:
    PreviewWindow(MakerApp& app, QWidget* owner);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    MakerApp& app_;
};

}  // namespace lmn::maker
