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

#include "form.h"

namespace {

QString utf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QRect pixels(const formularz::Rect& twips) {
    const formularz::Rect r = formularz::toPixels(twips);
    return {r.left, r.top, r.width, r.height};
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
    client->setFixedSize(pixels(formularz::kClient).size());
    window.setCentralWidget(client);

    // The same controls in the same order, with type J's texts.
    std::array<QWidget*, formularz::kControls.size()> widgets{};
    std::array<QString, formularz::kControls.size()> texts;
    for (const formularz::Control& c : formularz::kControls)
        texts.at(formularz::index(c.id)) = utf8(c.text);
    for (const formularz::Assignment& a : formularz::selection(TypTermopary::J).texts) {
        texts.at(formularz::index(a.control)) = utf8(a.text);
    }
    for (const formularz::Control& c : formularz::kControls) {
        QWidget* parent = c.parent ? widgets.at(formularz::index(*c.parent)) : client;
        const QString& text = texts.at(formularz::index(c.id));
        QWidget* w = nullptr;
        switch (c.kind) {
            case formularz::Kind::Panel:
                w = new QGroupBox(text, parent);
                break;
            case formularz::Kind::Label:
                w = new QLabel(text, parent);
                break;
            case formularz::Kind::Edit:
                w = new QLineEdit(text, parent);
                break;
            case formularz::Kind::Button:
                w = new QPushButton(text, parent);
                break;
        }
        w->setGeometry(pixels(c.where));
        widgets.at(formularz::index(c.id)) = w;
    }

    QWidget* name = widgets.at(formularz::index(formularz::Id::Label1_0));
    QFont bold = font;
    bold.setBold(true);
    name->setFont(bold);
    QPalette red = name->palette();
    red.setColor(QPalette::WindowText, QColor(255, 0, 0));
    name->setPalette(red);

    for (const formularz::Menu& m : formularz::kMenuBar) {
        QMenu* menu = window.menuBar()->addMenu(utf8(m.caption));
        for (const formularz::MenuItem& item : m.items) {
            QAction* a = menu->addAction(utf8(item.caption));
            a->setEnabled(item.enabled);
            a->setCheckable(item.command == formularz::Command::SelectType);
            a->setChecked(a->isCheckable() && item.typ == TypTermopary::J);
        }
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
