#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <functional>
#include <utility>

// What one modal message box looked like while it was open.
struct SeenMessage {
    QString title;
    QString text;
    bool isMessageBox = false;
    bool modal = false;
    bool noIcon = false;
    bool okOnly = false;
    bool buttonWithoutPicture = false;
    QStringList snapshot;  // whatever the test asked to record meanwhile
};

// Answers every modal message box that opens while it lives: records it and
// clicks its OK button, so a handler blocked in exec() can go on.
class MessageWatcher : public QObject {
  public:
    explicit MessageWatcher(std::function<QStringList()> snapshot = {})
        : snapshot_(std::move(snapshot)) {
        connect(&timer_, &QTimer::timeout, this, &MessageWatcher::poll);
        timer_.start(10);
    }

    [[nodiscard]] const QList<SeenMessage>& seen() const { return seen_; }

    [[nodiscard]] QStringList texts() const {
        QStringList out;
        for (const SeenMessage& m : seen_) out << m.text;
        return out;
    }

  private:
    void poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || modal == handled_) return;
        handled_ = modal;

        SeenMessage m;
        m.title = modal->windowTitle();
        m.modal = modal->windowModality() != Qt::NonModal;
        if (snapshot_) m.snapshot = snapshot_();
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (box == nullptr) {
            seen_ << m;
            if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
            return;
        }
        m.isMessageBox = true;
        m.text = box->text();
        m.noIcon = box->icon() == QMessageBox::NoIcon && box->iconPixmap().isNull();
        const QList<QAbstractButton*> buttons = box->buttons();
        m.okOnly = buttons.size() == 1 && box->standardButton(buttons.first()) == QMessageBox::Ok;
        QAbstractButton* ok = box->button(QMessageBox::Ok);
        m.buttonWithoutPicture = ok != nullptr && ok->icon().isNull();
        seen_ << m;
        if (ok != nullptr) {
            QTest::mouseClick(ok, Qt::LeftButton);
        } else {
            box->reject();
        }
    }

    std::function<QStringList()> snapshot_;
    QTimer timer_;
    QPointer<QWidget> handled_;
    QList<SeenMessage> seen_;
};
