// "工具栏": the zoom slider, the card texts and their options.
#pragma once

#include <QWidget>

#include "maker_app.h"

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QSlider;

namespace lmn::maker {

class ToolWindow : public QWidget {
  public:
    ToolWindow(MakerApp& app, QWidget* owner);

    // For the screenshots and the tests: the controls as the player would fill them.
    void SetTexts(const QString& name, const QString& title, const QString& voice, const QString& intro,
                  const QString& ability);
    void ClickChangeCharacter();
    void ClickPreview();

  private:
    ToolValues Read() const;
    void SetEditsEnabled(bool on);

    MakerApp& app_;
    QSlider* zoom_;
    QCheckBox* changeCharacter_;
    QLineEdit* name_;
    QLineEdit* title_;
    QLineEdit* voice_;
    QPlainTextEdit* intro_;
    QLineEdit* ability_;
    QCheckBox* titleMarks_;
    QCheckBox* cvPrefix_;
    QCheckBox* bold_;
    QCheckBox* smooth_;
};

}  // namespace lmn::maker
