#include "dialog_closer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPointer>
#include <vector>

namespace lmn::maker {

int CancelOpenDialogs() {
    std::vector<QPointer<QDialog>> open;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<QDialog*>(widget); dialog && dialog->isVisible())
            open.emplace_back(dialog);
    int cancelled = 0;
    for (const QPointer<QDialog>& dialog : open) {
        if (!dialog || !dialog->isVisible()) continue;
        auto* box = qobject_cast<QMessageBox*>(dialog.data());
        if (box && box->escapeButton())
            box->escapeButton()->click();
        else
            dialog->reject();
        ++cancelled;
    }
    return cancelled;
}

}  // namespace lmn::maker
