// Where the window puts its panels and controls, and whether their texts fit.
#include <QAction>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include "form1.h"
#include "form_helpers.h"

namespace {

// Each row caption and the box it names.
const QList<std::pair<QString, QString>> kRows{
    {"Label2(0)", "Text1(0)"}, {"Label2(1)", "Text1(1)"}, {"Label2(2)", "Text1(2)"},
    {"Label2(3)", "Text1(3)"}, {"Label3(0)", "Text2(0)"}, {"Label3(1)", "Text2(1)"},
    {"Label3(2)", "Text2(2)"}, {"Label4(0)", "Text3(0)"}, {"Label4(1)", "Text3(1)"},
    {"Label4(2)", "Text3(2)"},
};

QList<QLabel*> allLabels(const Form1& form) {
    QList<QLabel*> out;
    for (const auto& [array, count] : {std::pair{1, 4}, {2, 4}, {3, 3}, {4, 3}}) {
        for (int i = 0; i < count; ++i)
            out << label(form, QStringLiteral("Label%1(%2)").arg(array).arg(i));
    }
    return out;
}

}  // namespace

class LayoutTest : public QObject {
    Q_OBJECT

  private slots:
    // Positions in twips, relative to the panel (or the client area for panels).
    void geometry_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QRect>("twips");
        const auto row = [](const char* name, const char* parent, int l, int t, int w, int h) {
            QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(parent)
                                << QRect(l, t, w, h);
        };
        row("Frame1", "client", 120, 240, 4695, 2055);
        row("Frame2", "client", 4920, 240, 4575, 2055);
        row("Frame3", "client", 120, 2520, 4695, 1935);
        row("Frame4", "client", 4920, 2520, 4575, 1935);
        row("Label1(0)", "Frame1", 120, 360, 3975, 255);
        row("Label1(1)", "Frame1", 120, 720, 4335, 255);
        row("Label1(2)", "Frame1", 120, 1080, 4455, 255);
        row("Label1(3)", "Frame1", 120, 1440, 4095, 255);
        row("Label2(0)", "Frame2", 240, 360, 1695, 255);
        row("Label2(1)", "Frame2", 240, 720, 1695, 255);
        row("Label2(2)", "Frame2", 240, 1080, 1695, 255);
        row("Label2(3)", "Frame2", 240, 1440, 1695, 255);
        row("Text1(0)", "Frame2", 1680, 360, 1215, 285);
        row("Text1(1)", "Frame2", 1680, 720, 1215, 285);
        row("Text1(2)", "Frame2", 1680, 1080, 1215, 285);
        row("Text1(3)", "Frame2", 1680, 1440, 1215, 285);
        row("Command1", "Frame2", 3120, 480, 1215, 1215);
        row("Label3(0)", "Frame3", 240, 480, 1455, 255);
        row("Label3(1)", "Frame3", 240, 840, 1455, 255);
        row("Label3(2)", "Frame3", 240, 1200, 1455, 255);
        row("Text2(0)", "Frame3", 1800, 480, 1215, 285);
        row("Text2(1)", "Frame3", 1800, 840, 1215, 285);
        row("Text2(2)", "Frame3", 1800, 1200, 1215, 285);
        row("Command2", "Frame3", 3240, 480, 1215, 1215);
        row("Label4(0)", "Frame4", 240, 480, 1335, 255);
        row("Label4(1)", "Frame4", 240, 840, 1335, 255);
        row("Label4(2)", "Frame4", 240, 1200, 1335, 255);
        row("Text3(0)", "Frame4", 1680, 480, 1215, 285);
        row("Text3(1)", "Frame4", 1680, 840, 1215, 285);
        row("Text3(2)", "Frame4", 1680, 1200, 1215, 285);
        row("Command3", "Frame4", 3120, 480, 1215, 1215);
    }

    void geometry() {
        QFETCH(QString, name);
        QFETCH(QString, parent);
        QFETCH(QRect, twips);
        Form1 form;
        QWidget* w = control(form, name);
        QVERIFY(w != nullptr);
        QWidget* expectedParent =
            parent == u"client" ? form.centralWidget() : control(form, parent);
        QCOMPARE(w->parentWidget(), expectedParent);
        const QRect px(twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15);
        QCOMPARE(w->geometry(), px);
    }

    void clientAreaAndFixedSize() {
        Form1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(form.centralWidget()->size(), QSize(682, 331));
        QCOMPARE(form.centralWidget()->y(),
                 form.menuBar()->isNativeMenuBar() ? 0 : form.menuBar()->height());
        QCOMPARE(form.minimumSize(), form.maximumSize());
        QCOMPARE(form.size(), form.minimumSize());
        // Every panel inside the client area, no two overlapping.
        const std::array<QGroupBox*, 4> frames{frame(form, "Frame1"), frame(form, "Frame2"),
                                               frame(form, "Frame3"), frame(form, "Frame4")};
        for (std::size_t i = 0; i < frames.size(); ++i) {
            QVERIFY(form.centralWidget()->rect().contains(frames[i]->geometry()));
            for (std::size_t j = i + 1; j < frames.size(); ++j) {
                QVERIFY(!frames[i]->geometry().intersects(frames[j]->geometry()));
            }
        }
    }

    // Captions reach under the boxes; the boxes must stay on top and whole.
    void boxesNotCovered() {
        Form1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        for (const auto& [labelName, boxName] : kRows) {
            QWidget* box = control(form, boxName);
            QWidget* panel = box->parentWidget();
            for (const QPoint corner :
                 {box->geometry().topLeft() + QPoint(1, 1),
                  box->geometry().bottomLeft() + QPoint(1, -1), box->geometry().center()}) {
                QWidget* hit = panel->childAt(corner);
                QVERIFY2(hit == box || box->isAncestorOf(hit), qPrintable(boxName));
            }
        }
    }

    // Every text of every type fits its label, and no caption runs under its box.
    void textsFit() {
        Form1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        for (QAction* item : menu(form, QStringLiteral("Kalvetra"))->actions()) {
            item->trigger();
            for (QLabel* l : allLabels(form)) {
                const int needed = l->fontMetrics().horizontalAdvance(l->text());
                QVERIFY2(needed <= l->contentsRect().width(),
                         qPrintable(QStringLiteral("%1 \"%2\" needs %3 px, has %4")
                                        .arg(l->objectName(), l->text())
                                        .arg(needed)
                                        .arg(l->contentsRect().width())));
            }
        }
        for (const auto& [labelName, boxName] : kRows) {
            auto* l = qobject_cast<QLabel*>(control(form, labelName));
            const int textEnd = l->x() + l->fontMetrics().horizontalAdvance(l->text());
            QVERIFY2(textEnd < control(form, boxName)->x(), qPrintable(labelName));
        }
        for (QPushButton* b :
             {button(form, "Command1"), button(form, "Command2"), button(form, "Command3")}) {
            QVERIFY(b->fontMetrics().horizontalAdvance(b->text()) < b->width() - 8);
        }
        for (QLineEdit* box :
             {textBox(form, "Text1(0)"), textBox(form, "Text2(2)"), textBox(form, "Text3(2)")}) {
            QVERIFY(box->fontMetrics().height() <= box->height() - 4);
        }
    }

    void fonts() {
        Form1 form;
        const QString polish = QStringLiteral("ĄąĆćĘęŁłŃńÓóŚśŹźŻż°±");
        for (QLabel* l : allLabels(form)) {
            const QFontMetrics metrics = l->fontMetrics();
            for (const QChar c : polish) {
                QVERIFY2(metrics.inFont(c), qPrintable(l->objectName() + u' ' + c));
            }
        }
        QVERIFY(label(form, "Label1(0)")->font().bold());
        QCOMPARE(label(form, "Label1(0)")->palette().color(QPalette::WindowText),
                 QColor(255, 0, 0));
        QCOMPARE(label(form, "Label1(0)")->font().pointSizeF(), 8.25);
        for (QLabel* l : allLabels(form).mid(1)) {
            QVERIFY2(!l->font().bold(), qPrintable(l->objectName()));
            QCOMPARE(l->font().pointSizeF(), 8.25);
            QCOMPARE(l->palette().color(QPalette::WindowText),
                     form.palette().color(QPalette::WindowText));
        }
        for (QWidget* w : {static_cast<QWidget*>(textBox(form, "Text1(0)")),
                           static_cast<QWidget*>(button(form, "Command2")),
                           static_cast<QWidget*>(frame(form, "Frame4"))}) {
            QCOMPARE(w->font().pointSizeF(), 8.25);
        }
    }

    void accessibleNames() {
        Form1 form;
        for (const auto& [labelName, boxName] : kRows) {
            auto* l = qobject_cast<QLabel*>(control(form, labelName));
            QCOMPARE(control(form, boxName)->accessibleName(), l->text());
            QCOMPARE(l->buddy(), control(form, boxName));
        }
        QCOMPARE(textBox(form, "Text3(1)")->accessibleName(), QStringLiteral("Zimne złącze [°C]"));
        for (QGroupBox* f : {frame(form, "Frame1"), frame(form, "Frame2"), frame(form, "Frame3"),
                             frame(form, "Frame4")}) {
            QVERIFY(!f->title().isEmpty());
            QCOMPARE(f->accessibleName(), f->title());
        }
        QCOMPARE(frame(form, "Frame1")->title(), QStringLiteral("Info"));
        QCOMPARE(frame(form, "Frame2")->title(), QStringLiteral("Dopuszczalny Błąd"));
        QCOMPARE(frame(form, "Frame3")->title(), QStringLiteral("Temperatura --- > EMF"));
        QCOMPARE(frame(form, "Frame4")->title(), QStringLiteral("EMF --- > Temperatura"));
    }

    void focusAndButtons() {
        Form1 form;
        for (QLabel* l : allLabels(form)) QCOMPARE(l->focusPolicy(), Qt::NoFocus);
        for (QGroupBox* f : {frame(form, "Frame1"), frame(form, "Frame2"), frame(form, "Frame3"),
                             frame(form, "Frame4")}) {
            QCOMPARE(f->focusPolicy(), Qt::NoFocus);
        }
        for (const auto& row : kRows) {
            QCOMPARE(control(form, row.second)->focusPolicy(), Qt::StrongFocus);
        }
        for (QPushButton* b :
             {button(form, "Command1"), button(form, "Command2"), button(form, "Command3")}) {
            QVERIFY(!b->isDefault());
            QVERIFY(b->focusPolicy() & Qt::TabFocus);
        }
    }
};

QTEST_MAIN(LayoutTest)
#include "layout_test.moc"
