#include "qt_window_ops.h"

#include <QAbstractButton>
#include <QIcon>
#include <QLineEdit>
#include <QMessageBox>
#include <QString>

#include "form.h"
#include "utf8.h"

void showMessage(QWidget* parent, const QString& text) {
    QMessageBox box(parent);
    box.setWindowTitle(fromUtf8(form::kMessageTitle));
    box.setIcon(QMessageBox::NoIcon);
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    box.setStandardButtons(QMessageBox::Ok);
    // Some styles decorate standard buttons; the box shows no picture at all.
    box.button(QMessageBox::Ok)->setIcon(QIcon());
    box.exec();
}

QtWindowOps::QtWindowOps(QWidget& owner, const std::array<QLineEdit*, 10>& boxes)
    : owner_(owner), boxes_(boxes) {}

QLineEdit* QtWindowOps::box(calculations::Box pole) const {
    return boxes_.at(static_cast<std::size_t>(pole));
}

std::string QtWindowOps::text(calculations::Box pole) const {
    return box(pole)->text().toStdString();
}

void QtWindowOps::setExplanation(calculations::Box pole, std::string_view text) {
    const QString t = fromUtf8(text);
    box(pole)->setToolTip(t);
    box(pole)->setAccessibleDescription(t);
}

void QtWindowOps::setText(calculations::Box pole, std::string_view text) {
    box(pole)->setText(fromUtf8(text));
}

void QtWindowOps::message(std::string_view text) {
    showMessage(&owner_, fromUtf8(text));
}

void QtWindowOps::setFocus(calculations::Box pole) {
    QLineEdit* target = box(pole);
    // Not a tab focus, so Qt would not select; clear what an earlier focus left.
    target->setFocus(Qt::OtherFocusReason);
    target->deselect();
}
