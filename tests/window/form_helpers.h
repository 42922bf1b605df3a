#pragma once

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

#include "form1.h"

// Looks up a control by the name the handlers use: "Text2(0)", "Command3".
inline QWidget* control(const Form1& form, const QString& name) {
    static const QRegularExpression indexed(QStringLiteral(R"(^Text([123])\((\d)\)$)"));
    const QRegularExpressionMatch m = indexed.match(name);
    if (m.hasMatch()) {
        const auto i = m.captured(2).toULongLong();
        switch (m.captured(1).toInt()) {
            case 1:
                return i < form.Text1.size() ? form.Text1[i] : nullptr;
            case 2:
                return i < form.Text2.size() ? form.Text2[i] : nullptr;
            case 3:
                return i < form.Text3.size() ? form.Text3[i] : nullptr;
            default:
                return nullptr;
        }
    }
    if (name == u"Command1") return form.Command1;
    if (name == u"Command2") return form.Command2;
    if (name == u"Command3") return form.Command3;
    return nullptr;
}

inline QLineEdit* textBox(const Form1& form, const QString& name) {
    return qobject_cast<QLineEdit*>(control(form, name));
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
