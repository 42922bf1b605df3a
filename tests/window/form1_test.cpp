// The main window driven as a user drives it: menus, keystrokes, clicks.
#include "form1.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "form_helpers.h"
#include "message_watcher.h"
#include "qt_translation.h"

namespace {

const QString kWexa = QStringLiteral("Wexa");

// All ten boxes as "name=text", in handler order.
QStringList boxTexts(const Form1& form) {
    QStringList out;
    for (const auto& [array, count] : {std::pair{1, 4}, {2, 3}, {3, 3}}) {
        for (int i = 0; i < count; ++i) {
            const QString name = QStringLiteral("Text%1(%2)").arg(array).arg(i);
            out << name + u'=' + textBox(form, name)->text();
        }
    }
    return out;
}

const QStringList kResetBoxes{
    QStringLiteral("Text1(0)="), QStringLiteral("Text1(1)="), QStringLiteral("Text1(2)="),
    QStringLiteral("Text1(3)="), QStringLiteral("Text2(0)="), QStringLiteral("Text2(1)=0"),
    QStringLiteral("Text2(2)="), QStringLiteral("Text3(0)="), QStringLiteral("Text3(1)=0"),
    QStringLiteral("Text3(2)="),
};

QStringList checkedTypeItems(const Form1& form) {
    QStringList out;
    for (QAction* a : menu(form, QStringLiteral("Kalvetra"))->actions()) {
        if (a->isChecked()) out << a->text();
    }
    return out;
}

// A window manager hands the activation back once a message box closes; the
// offscreen platform leaves no window active.
void reactivate(Form1& form) {
    if (QApplication::activeWindow() == &form) return;
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
}

}  // namespace

class Form1Test : public QObject {
    Q_OBJECT

  private slots:
    void startUp() {
        Form1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));

        QCOMPARE(form.windowTitle(), QStringLiteral("Kalvetra"));
        // Every size the hicolor theme gets, none scaled from another.
        const QList<QSize> sizes = form.windowIcon().availableSizes();
        for (const int n : {16, 24, 32, 48, 64, 128, 256}) {
            QVERIFY2(sizes.contains(QSize(n, n)), qPrintable(QString::number(n)));
        }
        QCOMPARE(form.Typ(), std::int16_t{0});
        QCOMPARE(checkedTypeItems(form), QStringList{QStringLiteral("Termopara J")});
        QCOMPARE(label(form, "Label1(0)")->text(), QStringLiteral("Termopara J"));
        QCOMPARE(label(form, "Label1(1)")->text(),
                 QStringLiteral("Żelazo/miedź-nikiel lub żelazo/konstantan"));
        QCOMPARE(label(form, "Label1(2)")->text(), QStringLiteral("Fe-CuNi"));
        QCOMPARE(label(form, "Label1(3)")->text(),
                 QStringLiteral("-210°C do 1200°C (-8.095 mV do 69.553 mV)"));
        QCOMPARE(boxTexts(form), kResetBoxes);

        const QString wylicz = QStringLiteral("Wylicz");
        QCOMPARE(button(form, "Command1")->text(), wylicz);
        QCOMPARE(button(form, "Command2")->text(), wylicz);
        QCOMPARE(button(form, "Command3")->text(), wylicz);
        QCOMPARE(label(form, "Label2(0)")->text(), QStringLiteral("Temperatura [°C]"));
        QCOMPARE(label(form, "Label2(1)")->text(), QStringLiteral("Klasa 1 ±"));
        QCOMPARE(label(form, "Label2(3)")->text(), QStringLiteral("Klasa 3 ±"));
        QCOMPARE(label(form, "Label3(1)")->text(), QStringLiteral("Zimne złącze [°C]"));
        QCOMPARE(label(form, "Label4(0)")->text(), QStringLiteral("EMF [mV]"));
        QCOMPARE(label(form, "Label4(2)")->text(), QStringLiteral("Temperatura [°C]"));

        QCOMPARE(QApplication::focusWidget(), textBox(form, "Text1(0)"));

        // Menu bar: "Plik" then "Kalvetra", nothing else, no mnemonics.
        QStringList bar;
        for (QAction* a : form.menuBar()->actions()) bar << a->text();
        QCOMPARE(bar, (QStringList{QStringLiteral("Plik"), QStringLiteral("Kalvetra")}));
        QStringList plik;
        for (QAction* a : menu(form, QStringLiteral("Plik"))->actions()) {
            QVERIFY(!a->isSeparator());
            plik << a->text();
        }
        QCOMPARE(plik, (QStringList{QStringLiteral("Drukuj"), QStringLiteral("Koniec")}));
        QVERIFY(!menuItem(form, QStringLiteral("Plik"), QStringLiteral("Drukuj"))->isEnabled());
        QVERIFY(menuItem(form, QStringLiteral("Plik"), QStringLiteral("Koniec"))->isEnabled());
    }

    // Drop-down menus are windows of their own; they take the window's font too.
    void menusUseWindowFont() {
        Form1 form;
        for (const QString& caption : {QStringLiteral("Plik"), QStringLiteral("Kalvetra")}) {
            QCOMPARE(menu(form, caption)->font(), form.font());
        }
    }

    // A double-click selects the whole number, not the digits on one side of
    // the comma; in an input box and in a read-only result alike.
    void doubleClickSelectsWholeNumber_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("text");
        QTest::newRow("input") << "Text3(0)"
                               << "4,0962";
        QTest::newRow("result") << "Text2(2)"
                                << "-1,4816";
    }

    void doubleClickSelectsWholeNumber() {
        QFETCH(QString, box);
        QFETCH(QString, text);
        Form1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QLineEdit* target = textBox(form, box);
        target->setText(text);
        // On the digits after the comma.
        const QPoint fraction(target->fontMetrics().horizontalAdvance(text) + 2,
                              target->height() / 2);
        QTest::mouseDClick(target, Qt::LeftButton, {}, fraction);
        QCOMPARE(target->selectedText(), text);
    }

    // Qt's own texts (a box's context menu) are Polish, like the window.
    void qtTextsInPolish() {
        QVERIFY(installQtPolish(*QCoreApplication::instance()));
        const QString copy = QCoreApplication::translate("QLineEdit", "&Copy");
        QVERIFY2(copy != u"&Copy", qPrintable(copy));
        QCOMPARE(copy, QStringLiteral("S&kopiuj"));
    }

    void typeMenuOrder() {
        Form1 form;
        QStringList items;
        for (QAction* a : menu(form, QStringLiteral("Kalvetra"))->actions()) {
            QCOMPARE(a->isCheckable(), !a->isSeparator());
            items << (a->isSeparator() ? QStringLiteral("-") : a->text());
        }
        // The eight as they always were, a separator, then C and A.
        const QStringList expected{
            QStringLiteral("Termopara J"), QStringLiteral("Termopara K"),
            QStringLiteral("Termopara T"), QStringLiteral("Termopara E"),
            QStringLiteral("Termopara N"), QStringLiteral("Termopara B"),
            QStringLiteral("Termopara S"), QStringLiteral("Termopara R"),
            QStringLiteral("-"),           QStringLiteral("Termopara C"),
            QStringLiteral("Termopara A"),
        };
        QCOMPARE(items, expected);
    }

    void typeSelection_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<int>("typ");
        QTest::addColumn<QString>("alloy");
        QTest::addColumn<QString>("symbol");
        QTest::addColumn<QString>("range");

        QTest::newRow("J") << "Termopara J" << 0 << "Żelazo/miedź-nikiel lub żelazo/konstantan"
                           << "Fe-CuNi"
                           << "-210°C do 1200°C (-8.095 mV do 69.553 mV)";
        QTest::newRow("K") << "Termopara K" << 1 << "Nikiel-chrom/nikiel-aluminium\""
                           << "NiCr-NiAl"
                           << "-270°C do 1372°C (-5.891 mV do 54.886 mV)";
        QTest::newRow("T") << "Termopara T" << 2 << "Miedź/miedź-nikiel lub miedź/konstantan"
                           << "Cu-CuNi"
                           << "-270°C do 400°C (-5.603 mV do 20.872 mV)";
        QTest::newRow("E") << "Termopara E" << 3
                           << "Nikiel-chrom/miedź-nikiel lub nikiel-chrom/konstantan"
                           << "NiCr-CuNi"
                           << "-270°C do 1000°C (-8.825 mV do 76.373 mV)";
        QTest::newRow("N") << "Termopara N" << 4 << "Nikiel-chrom-krzem/nikiel-krzem"
                           << "NiCrSi-NiSi"
                           << "-270°C do 1300°C (-3.990 mV do 47.513 mV)";
        QTest::newRow("B") << "Termopara B" << 5 << "Platyna-30% rod/platyna-6% rod"
                           << "PtRh30-PtRh6"
                           << "0°C do 1820°C (0.291 mV do 13.820 mV)";
        QTest::newRow("S") << "Termopara S" << 7 << "Platyna-10% rod/platyna"
                           << "PtRh10-Pt"
                           << "-50°C do 1768°C (-0.235 mV do 18.693 mV)";
        QTest::newRow("R") << "Termopara R" << 6 << "Platyna-13% rod/platyna"
                           << "PtRh13-Pt"
                           << "-50°C do 1768°C (-0.226 mV do 21.103 mV)";
        QTest::newRow("C") << "Termopara C" << 8 << "Wolfram-5% ren/wolfram-26% ren"
                           << "W5Re-W26Re"
                           << "0°C do 2315°C (0.000 mV do 37.070 mV)";
        QTest::newRow("A") << "Termopara A" << 9 << "Wolfram-5% ren/wolfram-20% ren"
                           << "W5Re-W20Re"
                           << "0°C do 2500°C (0.001 mV do 33.640 mV)";
    }

    void typeSelection() {
        QFETCH(QString, item);
        QFETCH(int, typ);
        QFETCH(QString, alloy);
        QFETCH(QString, symbol);
        QFETCH(QString, range);

        Form1 form;
        QAction* action = typeItem(form, item);
        QVERIFY(action != nullptr);
        action->trigger();

        QCOMPARE(int{form.Typ()}, typ);
        QCOMPARE(checkedTypeItems(form), QStringList{item});
        QCOMPARE(label(form, "Label1(0)")->text(), item);
        QCOMPARE(label(form, "Label1(1)")->text(), alloy);
        QCOMPARE(label(form, "Label1(2)")->text(), symbol);
        QCOMPARE(label(form, "Label1(3)")->text(), range);
    }

    void alloyTextsShownWhole() {
        Form1 form;
        typeItem(form, QStringLiteral("Termopara K"))->trigger();
        QCOMPARE(label(form, "Label1(1)")->text().size(), 30);
        QVERIFY(label(form, "Label1(1)")->text().endsWith(u'"'));
        typeItem(form, QStringLiteral("Termopara E"))->trigger();
        QCOMPARE(label(form, "Label1(1)")->text().size(), 53);
        QVERIFY(label(form, "Label1(1)")->text().endsWith(u"konstantan"));
    }

    void oneMarkAfterEachSelection() {
        Form1 form;
        QList<QAction*> items = menu(form, QStringLiteral("Kalvetra"))->actions();
        items.removeIf([](const QAction* a) { return a->isSeparator(); });
        // Forwards, backwards and every item twice in a row.
        QList<QAction*> sequence = items;
        for (auto it = items.rbegin(); it != items.rend(); ++it) sequence << *it << *it;
        for (QAction* a : sequence) {
            a->trigger();
            QCOMPARE(checkedTypeItems(form), QStringList{a->text()});
        }
    }

    // Every selection resets every box, the current item's included.
    void selectionResetsBoxes_data() {
        QTest::addColumn<QString>("item");
        const QStringList items{"Termopara J", "Termopara K", "Termopara T", "Termopara E",
                                "Termopara N", "Termopara B", "Termopara S", "Termopara R",
                                "Termopara C", "Termopara A"};
        for (const QString& item : items) QTest::newRow(qPrintable(item)) << item;
    }

    void selectionResetsBoxes() {
        QFETCH(QString, item);
        Form1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));

        // Start from J with results in all three panels and a typed cold junction.
        typeInto(textBox(form, "Text1(0)"), QStringLiteral("100"));
        QTest::mouseClick(button(form, "Command1"), Qt::LeftButton);
        typeInto(textBox(form, "Text2(0)"), QStringLiteral("100"));
        QTest::mouseClick(button(form, "Command2"), Qt::LeftButton);
        typeInto(textBox(form, "Text3(0)"), QStringLiteral("1"));
        typeInto(textBox(form, "Text3(1)"), QStringLiteral("25"));
        QTest::mouseClick(button(form, "Command3"), Qt::LeftButton);
        QCOMPARE(textBox(form, "Text2(2)")->text(), QStringLiteral("5,2689"));
        QVERIFY(!textBox(form, "Text1(1)")->text().isEmpty());
        QVERIFY(!textBox(form, "Text3(2)")->text().isEmpty());

        typeItem(form, item)->trigger();
        QCOMPARE(boxTexts(form), kResetBoxes);
    }

    void catalogueTables() {
        Form1 form;
        for (std::size_t i = 0; i < engine::kLiczbaTypow; ++i) {
            QCOMPARE(form.tables().Nazwa[i].size(), 25);
            QCOMPARE(form.tables().Sklad[i].size(), 53);
            QCOMPARE(form.tables().Symbol[i].size(), 25);
            QCOMPARE(form.tables().Zakres[i].size(), 45);
        }
        QCOMPARE(form.tables().Nazwa[5].trimmed(), QStringLiteral("Termopara B"));
        QVERIFY(form.tables().Nazwa[5].endsWith(u"B              "));
        QCOMPARE(form.tables().Sklad[3],
                 QStringLiteral("Nikiel-chrom/miedź-nikiel lub nikiel-chrom/konstantan"));
        QCOMPARE(form.tables().Zakres[2].trimmed(),
                 QStringLiteral("-270°C do 400°C (-5.603 mV do 20.872 mV)"));
        QCOMPARE(form.tables().Symbol[6].trimmed(), QStringLiteral("PtRh13-Pt"));
        QCOMPARE(form.tables().Symbol[7].trimmed(), QStringLiteral("PtRh10-Pt"));

        const auto before = form.tables().Sklad;
        form.Napisy();
        QCOMPARE(form.tables().Sklad, before);
        QCOMPARE(label(form, "Label2(1)")->text(), QStringLiteral("Klasa 1 ±"));
    }

    void tabOrder() {
        Form1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        const QStringList chain{"Text1(0)", "Text1(1)", "Text1(2)", "Text1(3)", "Command1",
                                "Command2", "Command3", "Text2(0)", "Text2(1)", "Text2(2)",
                                "Text3(0)", "Text3(1)", "Text3(2)", "Text1(0)"};
        QCOMPARE(QApplication::focusWidget(), control(form, chain.first()));
        for (qsizetype i = 1; i < chain.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QVERIFY2(QApplication::focusWidget() == control(form, chain[i]),
                     qPrintable(QStringLiteral("Tab after %1 should reach %2, reached %3")
                                    .arg(chain[i - 1], chain[i],
                                         QApplication::focusWidget()->objectName())));
        }
        for (qsizetype i = chain.size() - 2; i >= 0; --i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
            QCOMPARE(QApplication::focusWidget(), control(form, chain[i]));
        }
    }

    // Typed values, a button, and what the window shows afterwards.
    void calculate_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QStringList>("typed");  // "box=keys", typed in order
        QTest::addColumn<QString>("button");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QString>("focus");         // checked when not empty
        QTest::addColumn<QStringList>("expected");  // "box=text"

        const QString J = QStringLiteral("Termopara J");
        const QString K = QStringLiteral("Termopara K");
        const QString B = QStringLiteral("Termopara B");
        const QStringList none;

        QTest::newRow("EMF of J at 100") << J << QStringList{"Text2(0)=100"} << "Command2" << none
                                         << "" << QStringList{"Text2(2)=5,2689"};
        QTest::newRow("EMF of J at -30") << J << QStringList{"Text2(0)=-30"} << "Command2" << none
                                         << "" << QStringList{"Text2(2)=-1,4816"};
        QTest::newRow("EMF of B at 0") << B << QStringList{"Text2(0)=0"} << "Command2" << none << ""
                                       << QStringList{"Text2(2)=0,0000"};
        QTest::newRow("EMF of J, full stop typed")
            << J << QStringList{"Text2(0)=99.5"} << "Command2" << none << ""
            << QStringList{"Text2(0)=99,5", "Text2(1)=0"};
        QTest::newRow("temperature of J, cold junction 20")
            << J << QStringList{"Text3(0)=4.25", "Text3(1)=20"} << "Command3" << none << ""
            << QStringList{"Text3(0)=4,25", "Text3(2)=100,02"};
        QTest::newRow("temperature of J at 0 mV, cold junction 20")
            << J << QStringList{"Text3(0)=0", "Text3(1)=20"} << "Command3" << none << ""
            << QStringList{"Text3(2)=19,97"};
        QTest::newRow("classes of J at 600")
            << J << QStringList{"Text1(0)=600"} << "Command1" << none << ""
            << QStringList{"Text1(1)=2,4°C", "Text1(2)=4,5°C", "Text1(3)=N/A"};
        QTest::newRow("classes of K at 20")
            << K << QStringList{"Text1(0)=20"} << "Command1" << none << ""
            << QStringList{"Text1(1)=1,5 °C", "Text1(2)=2,5 °C", "Text1(3)=2,5 °C"};

        QTest::newRow("empty temperature")
            << J << QStringList{} << "Command2" << QStringList{"Niepoprawna wartość numeryczna"}
            << "Text2(0)" << QStringList{"Text2(0)=", "Text2(2)="};
        QTest::newRow("temperature above J's limit")
            << J << QStringList{"Text2(0)=1200.0001"} << "Command2"
            << QStringList{"Temperatura poza zakresem"} << "Text2(0)"
            << QStringList{"Text2(0)=1200,0001", "Text2(2)="};
        QTest::newRow("EMF not numeric")
            << J << QStringList{"Text3(0)=abc", "Text3(1)="} << "Command3"
            << QStringList{"Niepoprawna wartość numeryczna EMF"} << "Text3(0)"
            << QStringList{"Text3(0)=abc", "Text3(2)="};
        QTest::newRow("cold junction empty")
            << J << QStringList{"Text3(0)=1", "Text3(1)="} << "Command3"
            << QStringList{"Niepoprawna wartość numeryczna zimnego złącza"} << "Text3(1)"
            << QStringList{"Text3(1)=", "Text3(2)="};
        QTest::newRow("cold junction too warm")
            << J << QStringList{"Text3(0)=1", "Text3(1)=80.5"} << "Command3"
            << QStringList{"Czy nie przesadziłeś z tą temperaturą zimnego złącza?"} << "Text3(1)"
            << QStringList{"Text3(1)=80,5", "Text3(2)="};
        QTest::newRow("EMF below B's limit")
            << B << QStringList{"Text3(0)=0.2", "Text3(1)=20"} << "Command3"
            << QStringList{"Wartość EMF poza zakresem"} << "Text3(0)"
            << QStringList{"Text3(0)=0,2", "Text3(2)="};
        QTest::newRow("class temperature empty")
            << J << QStringList{} << "Command1"
            << QStringList{"Niepoprawna wartość numeryczna temperatury"} << "Text1(0)"
            << QStringList{"Text1(1)=", "Text1(2)=", "Text1(3)="};
        QTest::newRow("K at -41: two classes out")
            << K << QStringList{"Text1(0)=-41"} << "Command1"
            << QStringList{"Wartość temperatury poza klasyfikacją dla Klasy 1",
                           "Wartość temperatury poza klasyfikacją dla Klasy 2"}
            << "Command1" << QStringList{"Text1(1)=N/A", "Text1(2)=N/A", "Text1(3)=2,5 °C"};
    }

    void calculate() {
        QFETCH(QString, item);
        QFETCH(QStringList, typed);
        QFETCH(QString, button);
        QFETCH(QStringList, messages);
        QFETCH(QString, focus);
        QFETCH(QStringList, expected);

        Form1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        typeItem(form, item)->trigger();
        for (const QString& entry : typed) {
            const QString name = entry.section(u'=', 0, 0);
            QLineEdit* box = textBox(form, name);
            QVERIFY2(box != nullptr, qPrintable(name));
            typeInto(box, entry.section(u'=', 1));
        }
        auto* pressed = qobject_cast<QPushButton*>(control(form, button));
        QVERIFY(pressed != nullptr);

        MessageWatcher watcher;
        QTest::mouseClick(pressed, Qt::LeftButton);

        QCOMPARE(watcher.texts(), messages);
        for (const SeenMessage& m : watcher.seen()) {
            QVERIFY(m.isMessageBox);
            QCOMPARE(m.title, kWexa);
            QVERIFY(m.modal);
            QVERIFY(m.noIcon);
            QVERIFY(m.okOnly);
            QVERIFY(m.buttonWithoutPicture);
        }
        const QStringList shown = boxTexts(form);
        for (const QString& e : expected) {
            QVERIFY2(shown.contains(e), qPrintable(e + QStringLiteral(" not in ") +
                                                   shown.join(QStringLiteral(" | "))));
        }
        if (!focus.isEmpty()) {
            QWidget* expectedFocus = control(form, focus);
            QCOMPARE(form.focusWidget(), expectedFocus);
            reactivate(form);
            QCOMPARE(QApplication::focusWidget(), expectedFocus);
            if (auto* box = textBox(form, focus)) QVERIFY(!box->hasSelectedText());
        }
    }

    // A result explains itself until the box is emptied; a refused input
    // leaves result and explanation together.
    void resultTooltips() {
        Form1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        typeItem(form, QStringLiteral("Termopara K"))->trigger();
        QLineEdit* emf = textBox(form, "Text2(2)");
        QLineEdit* temperatura = textBox(form, "Text3(2)");
        typeInto(textBox(form, "Text2(0)"), QStringLiteral("100"));
        QTest::mouseClick(button(form, "Command2"), Qt::LeftButton);
        typeInto(textBox(form, "Text3(0)"), QStringLiteral("4.096"));
        QTest::mouseClick(button(form, "Command3"), Qt::LeftButton);
        QCOMPARE(emf->text(), QStringLiteral("4,0962"));
        QVERIFY2(emf->toolTip().contains(QStringLiteral(" µV/°C")), qPrintable(emf->toolTip()));
        QVERIFY2(temperatura->toolTip().contains(QStringLiteral("podzakres 2 z 3")),
                 qPrintable(temperatura->toolTip()));
        for (QLineEdit* box : {emf, temperatura}) {
            QCOMPARE(box->accessibleDescription(), box->toolTip());
        }

        const QString stary = temperatura->toolTip();
        typeInto(textBox(form, "Text3(0)"), QStringLiteral("99"));
        MessageWatcher watcher;
        QTest::mouseClick(button(form, "Command3"), Qt::LeftButton);
        QCOMPARE(watcher.texts(), QStringList{QStringLiteral("Wartość EMF poza zakresem")});
        QCOMPARE(temperatura->toolTip(), stary);
        QCOMPARE(temperatura->text(), QStringLiteral("99,96"));

        typeItem(form, QStringLiteral("Termopara J"))->trigger();
        for (QLineEdit* box : {emf, temperatura}) {
            QVERIFY(box->toolTip().isEmpty());
            QVERIFY(box->accessibleDescription().isEmpty());
        }
    }

    // A box reached by Tab has its text selected; the message's focus must
    // not select it.
    void focusAfterMessageSelectsNothing() {
        Form1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        button(form, "Command3")->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(button(form, "Command3"), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), textBox(form, "Text2(0)"));
        QTest::keyClicks(textBox(form, "Text2(0)"), QStringLiteral("x1"));
        QTest::keyClick(textBox(form, "Text2(0)"), Qt::Key_A, Qt::ControlModifier);
        QVERIFY(textBox(form, "Text2(0)")->hasSelectedText());
        QTest::keyClick(textBox(form, "Text2(0)"), Qt::Key_Backtab, Qt::ShiftModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), button(form, "Command2"));

        MessageWatcher watcher;
        QTest::keyClick(button(form, "Command2"), Qt::Key_Space);
        QCOMPARE(watcher.texts(), QStringList{QStringLiteral("Niepoprawna wartość numeryczna")});
        QCOMPARE(form.focusWidget(), textBox(form, "Text2(0)"));
        reactivate(form);
        QCOMPARE(QApplication::focusWidget(), textBox(form, "Text2(0)"));
        QCOMPARE(textBox(form, "Text2(0)")->text(), QStringLiteral("x1"));
        QVERIFY(!textBox(form, "Text2(0)")->hasSelectedText());
    }

    // Class messages come one at a time, each after the previous class's box
    // has been written.
    void classMessagesInOrder() {
        Form1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        typeItem(form, QStringLiteral("Termopara K"))->trigger();
        typeInto(textBox(form, "Text1(0)"), QStringLiteral("20"));
        QTest::mouseClick(button(form, "Command1"), Qt::LeftButton);
        typeInto(textBox(form, "Text1(0)"), QStringLiteral("1500"));

        MessageWatcher watcher([&form] {
            return QStringList{textBox(form, "Text1(1)")->text(), textBox(form, "Text1(2)")->text(),
                               textBox(form, "Text1(3)")->text()};
        });
        QTest::mouseClick(button(form, "Command1"), Qt::LeftButton);

        QCOMPARE(watcher.seen().size(), 3);
        const QString na = QStringLiteral("N/A");
        QCOMPARE(watcher.seen()[0].snapshot, (QStringList{"1,5 °C", "2,5 °C", "2,5 °C"}));
        QCOMPARE(watcher.seen()[1].snapshot, (QStringList{na, "2,5 °C", "2,5 °C"}));
        QCOMPARE(watcher.seen()[2].snapshot, (QStringList{na, na, "2,5 °C"}));
        QCOMPARE(textBox(form, "Text1(3)")->text(), na);
        QVERIFY(watcher.texts()[2].endsWith(u"Klasy 3"));
    }

    // No button is a default or cancel button.
    void enterAndEscapeStartNothing_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("key");
        for (const char* box : {"Text1(0)", "Text2(0)", "Text3(0)", "Text3(1)"}) {
            QTest::newRow(qPrintable(QStringLiteral("%1 Return").arg(box)))
                << box << static_cast<int>(Qt::Key_Return);
            QTest::newRow(qPrintable(QStringLiteral("%1 Enter").arg(box)))
                << box << static_cast<int>(Qt::Key_Enter);
            QTest::newRow(qPrintable(QStringLiteral("%1 Escape").arg(box)))
                << box << static_cast<int>(Qt::Key_Escape);
        }
    }

    void enterAndEscapeStartNothing() {
        QFETCH(QString, box);
        QFETCH(int, key);
        Form1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        // Invalid everywhere: any calculation started would show a message.
        for (QLineEdit* b : {textBox(form, "Text1(0)"), textBox(form, "Text2(0)"),
                             textBox(form, "Text3(0)"), textBox(form, "Text3(1)")}) {
            typeInto(b, QStringLiteral("x"));
        }
        const QStringList before = boxTexts(form);
        QLineEdit* target = textBox(form, box);
        target->setFocus(Qt::OtherFocusReason);

        MessageWatcher watcher;
        QTest::keyClick(target, static_cast<Qt::Key>(key));
        QTest::qWait(50);
        QCOMPARE(watcher.texts(), QStringList{});
        QCOMPARE(boxTexts(form), before);
        QVERIFY(form.isVisible());
    }

    // A focused button is pressed by Enter, Return or Space, as on any desktop.
    void keysPressFocusedButton_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("Return") << static_cast<int>(Qt::Key_Return);
        QTest::newRow("Enter") << static_cast<int>(Qt::Key_Enter);
        QTest::newRow("Space") << static_cast<int>(Qt::Key_Space);
    }

    void keysPressFocusedButton() {
        QFETCH(int, key);
        Form1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        typeInto(textBox(form, "Text2(0)"), QStringLiteral("100"));
        button(form, "Command2")->setFocus(Qt::TabFocusReason);
        QTest::keyClick(button(form, "Command2"), static_cast<Qt::Key>(key));
        QCOMPARE(textBox(form, "Text2(2)")->text(), QStringLiteral("5,2689"));
    }

    void drukujStaysDisabled() {
        Form1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QAction* drukuj = menuItem(form, QStringLiteral("Plik"), QStringLiteral("Drukuj"));
        QVERIFY(drukuj != nullptr);
        typeInto(textBox(form, "Text2(0)"), QStringLiteral("100"));
        QTest::mouseClick(button(form, "Command2"), Qt::LeftButton);
        for (QAction* a : menu(form, QStringLiteral("Kalvetra"))->actions()) a->trigger();
        QVERIFY(!drukuj->isEnabled());
    }

    void programEnds_data() {
        QTest::addColumn<bool>("viaKoniec");
        QTest::newRow("Koniec") << true;
        QTest::newRow("window closed") << false;
    }

    void programEnds() {
        QFETCH(bool, viaKoniec);
        Form1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTimer end;  // fires once exec() runs
        end.setSingleShot(true);
        connect(&end, &QTimer::timeout, &form, [&form, viaKoniec] {
            if (viaKoniec) {
                menuItem(form, QStringLiteral("Plik"), QStringLiteral("Koniec"))->trigger();
            } else {
                form.close();
            }
        });
        end.start(0);
        QTimer guard;  // a program that does not end fails instead of hanging
        guard.setSingleShot(true);
        connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(99); });
        guard.start(5000);
        QCOMPARE(QApplication::exec(), 0);
    }
};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
