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

QRect pixels(const form::Rect& twips) {
    const form::Rect r = form::toPixels(twips);
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
    client->setFixedSize(pixels(form::kClient).size());
    window.setCentralWidget(client);

    // The same controls in the same order, with type J's texts.
    std::array<QWidget*, form::kControls.size()> widgets{};
    std::array<QString, form::kControls.size()> texts;
    for (const form::Control& c : form::kControls) texts.at(form::index(c.id)) = utf8(c.text);
    for (const form::Assignment& a : form::selection(engine::TypTermopary::J).texts) {
        texts.at(form::index(a.control)) = utf8(a.text);
    }
    for (const form::Control& c : form::kControls) {
        QWidget* parent = c.parent ? widgets.at(form::index(*c.parent)) : client;
        const QString& text = texts.at(form::index(c.id));
        QWidget* w = nullptr;
        switch (c.kind) {
            case form::Kind::Panel:
                w = new QGroupBox(text, parent);
                break;
            case form::Kind::Label:
                w = new QLabel(text, parent);
                break;
            case form::Kind::Edit:
                w = new QLineEdit(text, parent);
                break;
            case form::Kind::Button:
                w = new QPushButton(text, parent);
                break;
        }
        w->setGeometry(pixels(c.where));
        widgets.at(form::index(c.id)) = w;
    }

    QWidget* name = widgets.at(form::index(form::Id::Label1_0));
    QFont bold = font;
    bold.setBold(true);
    name->setFont(bold);
    QPalette red = name->palette();
    red.setColor(QPalette::WindowText, QColor(255, 0, 0));
    name->setPalette(red);

    for (const form::Menu& m : form::kMenuBar) {
        QMenu* menu = window.menuBar()->addMenu(utf8(m.caption));
        for (const form::MenuItem& item : m.items) {
            QAction* a = menu->addAction(utf8(item.caption));
            a->setEnabled(item.enabled);
            a->setSeparator(item.command == form::Command::Separator);
            a->setCheckable(item.command == form::Command::SelectType);
            a->setChecked(a->isCheckable() && item.typ == engine::TypTermopary::J);
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
