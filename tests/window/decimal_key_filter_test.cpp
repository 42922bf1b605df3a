// The decimal-key filter: typed full stops become commas, nothing else changes.
#include "decimal_key_filter.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTest>
#include <cstdint>

#include "form1.h"
#include "form_helpers.h"

class DecimalKeyFilterTest : public QObject {
    Q_OBJECT

  private slots:
    void handlers_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("expected");
        QTest::newRow("full stop") << 46 << 44;
        QTest::newRow("comma") << 44 << 44;
        QTest::newRow("digit") << int{'7'} << int{'7'};
        QTest::newRow("minus") << int{'-'} << int{'-'};
        QTest::newRow("letter") << int{'e'} << int{'e'};
        QTest::newRow("slash next to the stop") << 47 << 47;
        QTest::newRow("hyphen-minus before the stop") << 45 << 45;
        QTest::newRow("backspace") << 8 << 8;
        QTest::newRow("carriage return") << 13 << 13;
        QTest::newRow("z with dot above") << 0x017C << 0x017C;
        QTest::newRow("fullwidth full stop") << 0xFF0E << 0xFF0E;
    }

    // Every box of every array filters alike.
    void handlers() {
        QFETCH(int, code);
        QFETCH(int, expected);
        Form1 form;
        const auto want = static_cast<std::int16_t>(expected);
        for (std::int16_t i = 0; i < 4; ++i) {
            auto c = static_cast<std::int16_t>(code);
            form.Text1_KeyPress(i, c);
            QCOMPARE(c, want);
        }
        for (std::int16_t i = 0; i < 3; ++i) {
            auto c = static_cast<std::int16_t>(code);
            form.Text2_KeyPress(i, c);
            QCOMPARE(c, want);
            c = static_cast<std::int16_t>(code);
            form.Text3_KeyPress(i, c);
            QCOMPARE(c, want);
        }
    }

    void typing_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("shown");
        for (const char* box : {"Text1(0)", "Text2(0)", "Text3(0)", "Text3(1)"}) {
            const QString b = QString::fromLatin1(box);
            QTest::newRow(qPrintable(b + QStringLiteral(" 1.5"))) << b << "1.5"
                                                                  << "1,5";
            QTest::newRow(qPrintable(b + QStringLiteral(" 1,5"))) << b << "1,5"
                                                                  << "1,5";
            QTest::newRow(qPrintable(b + QStringLiteral(" letters"))) << b << "a.b"
                                                                      << "a,b";
            QTest::newRow(qPrintable(b + QStringLiteral(" stops only"))) << b << "..."
                                                                         << ",,,";
            QTest::newRow(qPrintable(b + QStringLiteral(" sign and exponent"))) << b << "-2.5e3"
                                                                                << "-2,5e3";
        }
    }

    void typing() {
        QFETCH(QString, box);
        QFETCH(QString, keys);
        QFETCH(QString, shown);
        Form1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QLineEdit* target = textBox(form, box);
        typeInto(target, keys);
        QCOMPARE(target->text(), shown);
    }

    void keypadFullStop() {
        Form1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QLineEdit* box = textBox(form, "Text3(0)");
        typeInto(box, QStringLiteral("3"));
        QTest::keyClick(box, Qt::Key_Period, Qt::KeypadModifier);
        QTest::keyClick(box, Qt::Key_5, Qt::KeypadModifier);
        QCOMPARE(box->text(), QStringLiteral("3,5"));
    }

    // Read-only boxes take no typing, but can be focused, selected and copied.
    void readOnlyBoxes_data() {
        QTest::addColumn<QString>("box");
        for (const char* box :
             {"Text1(1)", "Text1(2)", "Text1(3)", "Text2(1)", "Text2(2)", "Text3(2)"}) {
            QTest::newRow(box) << QString::fromLatin1(box);
        }
    }

    void readOnlyBoxes() {
        QFETCH(QString, box);
        Form1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QLineEdit* target = textBox(form, box);
        target->setText(QStringLiteral("12,5"));

        QTest::mouseClick(target, Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), target);
        QTest::keyClicks(target, QStringLiteral("1.5x"));
        QTest::keyClick(target, Qt::Key_Period, Qt::KeypadModifier);
        QTest::keyClick(target, Qt::Key_Backspace);
        QCOMPARE(target->text(), QStringLiteral("12,5"));

        QApplication::clipboard()->clear();
        QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(target->selectedText(), QStringLiteral("12,5"));
        QTest::keyClick(target, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("12,5"));
    }

    void editableBoxes() {
        Form1 form;
        for (const char* name : {"Text1(0)", "Text2(0)", "Text3(0)", "Text3(1)"}) {
            QVERIFY2(!textBox(form, QString::fromLatin1(name))->isReadOnly(), name);
        }
    }

    void pastedTextNotFiltered_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("Ctrl+V") << static_cast<int>(Qt::Key_V)
                                << static_cast<int>(Qt::ControlModifier);
        QTest::newRow("Shift+Insert")
            << static_cast<int>(Qt::Key_Insert) << static_cast<int>(Qt::ShiftModifier);
    }

    void pastedTextNotFiltered() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        Form1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QApplication::clipboard()->setText(QStringLiteral("1.5"));
        QLineEdit* box = textBox(form, "Text2(0)");
        QTest::mouseClick(box, Qt::LeftButton);
        QTest::keyClick(box, static_cast<Qt::Key>(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(box->text(), QStringLiteral("1.5"));
    }

    // Qt's default 32767-character limit would cut a long paste short.
    void longPasteKeptWhole() {
        Form1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        const QString pasted = QString(99'999, u'7') + QStringLiteral(".5");
        QApplication::clipboard()->setText(pasted);
        QLineEdit* box = textBox(form, "Text3(0)");
        QTest::mouseClick(box, Qt::LeftButton);
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(box->text(), pasted);
    }

    // Text an input method commits was typed too.
    void inputMethodCommit() {
        Form1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QLineEdit* box = textBox(form, "Text1(0)");
        QTest::mouseClick(box, Qt::LeftButton);
        QInputMethodEvent commit;
        commit.setCommitString(QStringLiteral("2.5"));
        QCoreApplication::sendEvent(box, &commit);
        QCOMPARE(box->text(), QStringLiteral("2,5"));
    }

    // The box receives whatever code its handler leaves, not a fixed comma.
    void handlerDecides() {
        QLineEdit box;
        DecimalKeyFilter filter;
        int calls = 0;
        filter.watch(&box, [&calls](std::int16_t& code) {
            ++calls;
            if (code == 'a') code = 'b';
        });
        box.show();
        QVERIFY(QTest::qWaitForWindowActive(&box));
        QTest::keyClicks(&box, QStringLiteral("a.a"));
        QCOMPARE(box.text(), QStringLiteral("b.b"));
        QCOMPARE(calls, 3);  // once per keystroke: a replacement is not filtered again
    }
};

QTEST_MAIN(DecimalKeyFilterTest)
#include "decimal_key_filter_test.moc"
