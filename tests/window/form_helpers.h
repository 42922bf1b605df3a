#pragma once

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

#include "form1.h"

// Looks up a control by the name the handlers use: "Text2(0)", "Label1(3)",
// "Command3", "Frame4". The window names each one so ("Text2_0").
inline QWidget* control(const Form1& form, const QString& name) {
    QString objectName = name;
    objectName.replace(u'(', u'_').remove(u')');
    return form.findChild<QWidget*>(objectName);
}

inline QLineEdit* textBox(const Form1& form, const QString& name) {
    return qobject_cast<QLineEdit*>(control(form, name));
}
inline QLabel* label(const Form1& form, const QString& name) {
    return qobject_cast<QLabel*>(control(form, name));
}
inline QPushButton* button(const Form1& form, const QString& name) {
    return qobject_cast<QPushButton*>(control(form, name));
}
inline QGroupBox* frame(const Form1& form, const QString& name) {
    return qobject_cast<QGroupBox*>(control(form, name));
}

// A top-level menu of the menu bar, found by its caption as the user sees it.
inline QMenu* menu(const Form1& form, const QString& caption) {
    for (QAction* a : form.menuBar()->actions()) {
        if (a->text() == caption) return a->menu();
    }
    return nullptr;
}

inline QAction* menuItem(const Form1& form, const QString& menuCaption,
                         const QString& itemCaption) {
    QMenu* m = menu(form, menuCaption);
    if (m == nullptr) return nullptr;
    for (QAction* a : m->actions()) {
        if (a->text() == itemCaption) return a;
    }
    return nullptr;
}

inline QAction* typeItem(const Form1& form, const QString& caption) {
    return menuItem(form, QStringLiteral("Kalvetra"), caption);
}

// Clicks into the box, selects what it holds and types over it key by key.
inline void typeInto(QLineEdit* box, const QString& keys) {
    QTest::mouseClick(box, Qt::LeftButton);
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    if (keys.isEmpty()) {
        QTest::keyClick(box, Qt::Key_Delete);
    } else {
        QTest::keyClicks(box, keys);
    }
}
