// The toolkit's floor for the start-up benchmark: the main window's menus,
// panels and controls at the same places, with the same font and texts, in
// plain Qt widgets, with no engine, no calculations and no handlers.
// With --empty, only an empty top-level widget, for scale.
#include <QAction>
#include <QApplication>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPalette>
#include <QPushButton>
#include <QScreen>
#include <array>

#include "layout_table.h"

namespace {

using layout::kTable;
using layout::toPixels;

template <typename T, std::size_t N>
void place(QWidget* parent, const std::array<layout::Twips, N>& where,
           const std::array<const char*, N>& texts) {
    for (std::size_t i = 0; i < N; ++i) {
        auto* w = new T(QString::fromUtf8(texts[i]), parent);
        w->setGeometry(toPixels(where[i]));
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc > 1 && QLatin1String(argv[1]) == QLatin1String("--empty")) {
        QWidget empty;
        empty.setWindowTitle(QStringLiteral("Kalvetra-empty"));
        empty.show();
        return QApplication::exec();
    }

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Kalvetra-baseline"));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(8.25);
    font.setStretch(QFont::SemiCondensed);
    window.setFont(font);

    auto* client = new QWidget(&window);
    client->setFixedSize(toPixels(kTable.client).size());
    window.setCentralWidget(client);

    const std::array<const char*, 4> captions{"Info", "Dopuszczalny Błąd", "Temperatura --- > EMF",
                                              "EMF --- > Temperatura"};
    std::array<QGroupBox*, 4> frames{};
    for (std::size_t i = 0; i < frames.size(); ++i) {
        frames[i] = new QGroupBox(QString::fromUtf8(captions[i]), client);
        frames[i]->setGeometry(toPixels(kTable.frame[i]));
    }

    place<QLabel, 4>(frames[0], kTable.label1,
                     {"Termopara J", "Żelazo/miedź-nikiel lub żelazo/konstantan", "Fe-CuNi",
                      "-210°C do 1200°C (-8.095 mV do 69.553 mV)"});
    // The panels' labels go in before their boxes, as in the real window.
    place<QLabel, 4>(frames[1], kTable.label2,
                     {"Temperatura [°C]", "Klasa 1 ±", "Klasa 2 ±", "Klasa 3 ±"});
    place<QLineEdit, 4>(frames[1], kTable.text1, {"", "", "", ""});
    place<QLabel, 3>(frames[2], kTable.label3,
                     {"Temperatura [°C]", "Zimne złącze [°C]", "EMF [mV]"});
    place<QLineEdit, 3>(frames[2], kTable.text2, {"", "0", ""});
    place<QLabel, 3>(frames[3], kTable.label4,
                     {"EMF [mV]", "Zimne złącze [°C]", "Temperatura [°C]"});
    place<QLineEdit, 3>(frames[3], kTable.text3, {"", "0", ""});
    for (std::size_t i = 0; i < kTable.command.size(); ++i) {
        auto* b = new QPushButton(QStringLiteral("Wylicz"), frames[i + 1]);
        b->setGeometry(toPixels(kTable.command[i]));
    }

    auto* name = frames[0]->findChild<QLabel*>();
    QFont bold = font;
    bold.setBold(true);
    name->setFont(bold);
    QPalette red = name->palette();
    red.setColor(QPalette::WindowText, QColor(255, 0, 0));
    name->setPalette(red);

    QMenu* plik = window.menuBar()->addMenu(QStringLiteral("Plik"));
    plik->addAction(QStringLiteral("Drukuj"))->setEnabled(false);
    plik->addAction(QStringLiteral("Koniec"));
    QMenu* typy = window.menuBar()->addMenu(QStringLiteral("Kalvetra"));
    for (const char* t : {"J", "K", "T", "E", "N", "B", "S", "R"}) {
        QAction* a = typy->addAction(QStringLiteral("Termopara ") + QLatin1String(t));
        a->setCheckable(true);
        a->setChecked(t[0] == 'J');
    }

    window.layout()->setSizeConstraint(QLayout::SetFixedSize);
    window.adjustSize();
    if (const QScreen* s = window.screen()) {
        const QRect g = s->geometry();
        window.move(g.left() + (g.width() - window.frameGeometry().width()) / 2,
                    g.top() + (g.height() - window.frameGeometry().height()) / 2);
    }
    window.show();
    return QApplication::exec();
}
