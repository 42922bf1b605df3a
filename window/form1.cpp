#include "form1.h"

#include <QAction>
#include <QCoreApplication>
#include <QDirIterator>
#include <QFont>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QMoveEvent>
#include <QPalette>
#include <QPushButton>
#include <QRect>
#include <QScreen>
#include <QWindow>
#include <algorithm>
#include <limits>
#include <string_view>

#include "decimal_key_filter.h"
#include "form.h"
#include "obliczenia.h"
#include "qt_window_ops.h"
#include "typ_termopary.h"
#include "utf8.h"

namespace {

QRect toQRect(const form::Rect& r) {
    return {r.left, r.top, r.width, r.height};
}

form::Rect fromQRect(const QRect& r) {
    return {r.left(), r.top(), r.width(), r.height()};
}

// At 96 dpi; Qt's high-DPI scaling takes the pixels to other screens.
QRect pixels(const form::Rect& twips) {
    return toQRect(form::toPixels(twips));
}

// A catalogue text as a fixed-length field.
QString field(std::string_view text, std::size_t length) {
    return fromUtf8(form::field(text, length));
}

// Stand-in for an 8.25 pt "MS Sans Serif". DejaVu Sans has every Polish
// letter but runs wider; semi-condensed keeps the longest texts (the type E
// alloy, "Zimne złącze [°C]") inside the labels the layout gives them.
QFont windowFont() {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(form::kFontPoints);
    font.setStretch(QFont::SemiCondensed);
    return font;
}

// Every size of the icon in the resources, so no one is scaled from another.
QIcon appIcon() {
    QIcon icon;
    QDirIterator it(QStringLiteral(":/kalvetra/icons"), {QStringLiteral("kalvetra.png")},
                    QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) icon.addFile(it.next());
    return icon;
}

// A box of one number. QLineEdit's double-click selects a word, and the
// decimal comma ends a word: "4,0962" would give "0962" to a copy.
class NumberBox final : public QLineEdit {
  public:
    using QLineEdit::QLineEdit;

  protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override {
        QLineEdit::mouseDoubleClickEvent(event);
        if (event->button() == Qt::LeftButton) selectAll();
    }
};

QWidget* createWidget(const form::Control& c, QWidget* parent) {
    switch (c.kind) {
        case form::Kind::Panel:
            return new QGroupBox(fromUtf8(c.text), parent);
        case form::Kind::Label:
            // Written by Napisy or by a type selection.
            return new QLabel(parent);
        case form::Kind::Edit: {
            auto* box = new NumberBox(parent);
            // Results can still be focused, selected and copied.
            box->setReadOnly(c.readOnly);
            // No length limit: a long paste must not be cut into another number.
            box->setMaxLength(std::numeric_limits<int>::max());
            return box;
        }
        case form::Kind::Button: {
            auto* b = new QPushButton(parent);
            // Never the window's default button, so Enter and Escape in a box
            // start nothing; autoDefault lets Enter press the button that has
            // the focus (outside a dialog it makes no button a default for the
            // boxes).
            b->setAutoDefault(true);
            b->setDefault(false);
            b->setAccessibleDescription(fromUtf8(form::control(*c.parent).text));
            return b;
        }
    }
    return nullptr;
}

}  // namespace

Form1::Form1(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(fromUtf8(form::kCaption));
    setWindowIcon(appIcon());
    setFont(windowFont());

    createControls();
    createMenus();

    std::array<QLineEdit*, form::kBoxes.size()> boxes{};
    for (std::size_t i = 0; i < boxes.size(); ++i)
        boxes.at(i) = widget<QLineEdit>(form::kBoxes.at(i));
    ops_ = std::make_unique<QtWindowOps>(*this, boxes);

    // Menu bar plus the fixed client area; nothing reacts to resizing.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();

    Form_Load();
}

Form1::~Form1() = default;

void Form1::createControls() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(pixels(form::kClient).size());
    setCentralWidget(client);

    keyFilter_ = new DecimalKeyFilter(this);
    // Each caption comes just before its box, which thus stays on top of the
    // caption's rectangle reaching under it.
    for (const form::Control& c : form::kControls) {
        QWidget* w = createWidget(c, c.parent ? widget<QWidget>(*c.parent) : client);
        w->setObjectName(QLatin1String(c.name));
        w->setGeometry(pixels(c.where));
        if (!c.accessibleName.empty()) w->setAccessibleName(fromUtf8(c.accessibleName));
        controls_.at(form::index(c.id)) = w;

        if (c.font == form::FontRole::NameBoldRed) {
            QFont nameFont = font();
            nameFont.setBold(true);
            w->setFont(nameFont);
            QPalette red = w->palette();
            red.setColor(
                QPalette::WindowText,
                QColor(form::kNameColour.red, form::kNameColour.green, form::kNameColour.blue));
            w->setPalette(red);
        }
        if (c.kind == form::Kind::Edit) {
            // The key handler of the box's array, by its panel.
            const auto handler = *c.parent == form::Id::Frame2   ? &Form1::Text1_KeyPress
                                 : *c.parent == form::Id::Frame3 ? &Form1::Text2_KeyPress
                                                                 : &Form1::Text3_KeyPress;
            keyFilter_->watch(static_cast<QLineEdit*>(w),
                              [this, handler, index = c.index](std::int16_t& code) {
                                  (this->*handler)(index, code);
                              });
        }
    }
    for (const form::Control& c : form::kControls) {
        if (const auto box = form::boxOf(c.id)) {
            widget<QLabel>(c.id)->setBuddy(widget<QWidget>(*box));
        }
    }

    connect(widget<QPushButton>(form::Id::Command1), &QPushButton::clicked, this,
            &Form1::Command1_Click);
    connect(widget<QPushButton>(form::Id::Command2), &QPushButton::clicked, this,
            &Form1::Command2_Click);
    connect(widget<QPushButton>(form::Id::Command3), &QPushButton::clicked, this,
            &Form1::Command3_Click);

    for (std::size_t i = 1; i < form::kTabOrder.size(); ++i) {
        setTabOrder(widget<QWidget>(form::kTabOrder.at(i - 1)),
                    widget<QWidget>(form::kTabOrder.at(i)));
    }
}

void Form1::createMenus() {
    for (std::size_t m = 0; m < form::kMenuBar.size(); ++m) {
        const form::Menu& opis = form::kMenuBar.at(m);
        QMenu* menu = menuBar()->addMenu(fromUtf8(opis.caption));
        menu->setObjectName(QLatin1String(opis.name));
        // Drop-down menus are windows of their own and do not inherit the font.
        menu->setFont(font());
        for (const form::MenuItem& item : opis.items) {
            QAction* a = menu->addAction(fromUtf8(item.caption));
            a->setObjectName(QLatin1String(item.name));
            switch (item.command) {
                case form::Command::None:
                    break;
                case form::Command::Quit:
                    connect(a, &QAction::triggered, this, &Form1::mnuKoniec_Click);
                    break;
                case form::Command::SelectType:
                    // Not an exclusive group: choosing the checked item again
                    // must run the whole selection again.
                    a->setCheckable(true);
                    connect(a, &QAction::triggered, this,
                            [this, typ = item.typ] { selectType(typ); });
                    typeItems_.push_back(a);
                    break;
                case form::Command::Separator:
                    // Kept among the type items, so that their places match the marks.
                    a->setSeparator(true);
                    typeItems_.push_back(a);
                    break;
            }
            menuItems_.at(m).push_back(a);
        }
    }
}

void Form1::Form_Load() {
    centreOnScreen();
    for (std::size_t m = 0; m < form::kMenuBar.size(); ++m) {
        for (std::size_t i = 0; i < menuItems_.at(m).size(); ++i) {
            menuItems_.at(m).at(i)->setEnabled(form::kMenuBar.at(m).items[i].enabled);
        }
    }
    Napisy();
    mnuTypJ_Click();
    widget<QWidget>(form::kTabOrder.front())->setFocus();
}

void Form1::centreOnScreen() {
    const QScreen* where = screen();
    if (where == nullptr) return;
    const QSize outer = frameGeometry().size();
    const form::Point at =
        form::placedPosition(fromQRect(where->geometry()), fromQRect(where->availableGeometry()),
                             {outer.width(), outer.height()});
    move(at.x, at.y);
}

void Form1::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    centreWithFrame();
}

void Form1::centreWithFrame() {
    // The window manager's frame is known only once it has framed the mapped
    // window, which moves it; Form_Load could centre by the inner size only.
    if (centredWithFrame_ || !isVisible()) return;
    const QWindow* native = windowHandle();
    if (native == nullptr || native->frameMargins().isNull()) return;
    centredWithFrame_ = true;
    centreOnScreen();
}

void Form1::Napisy() {
    for (std::size_t i = 0; i < engine::kLiczbaTypow; ++i) {
        tables_.Nazwa.at(i) = field(engine::kTypy.at(i).nazwa, form::kDlugoscNazwy);
    }
    for (std::size_t i = 0; i < engine::kLiczbaTypow; ++i) {
        tables_.Sklad.at(i) = field(engine::kTypy.at(i).sklad, form::kDlugoscSkladu);
    }
    for (std::size_t i = 0; i < engine::kLiczbaTypow; ++i) {
        tables_.Symbol.at(i) = field(engine::kTypy.at(i).symbol, form::kDlugoscSymbolu);
    }
    for (std::size_t i = 0; i < engine::kLiczbaTypow; ++i) {
        tables_.Zakres.at(i) = field(engine::kTypy.at(i).zakres, form::kDlugoscZakresu);
    }

    // The fixed captions of the calculation panels, in reading order.
    for (const form::Control& c : form::kControls) {
        const bool fixed =
            c.kind == form::Kind::Button || (c.kind == form::Kind::Label && !c.text.empty());
        if (fixed) setControlText(c.id, fromUtf8(c.text));
    }
}

void Form1::setControlText(form::Id id, const QString& text) {
    switch (form::control(id).kind) {
        case form::Kind::Label:
            widget<QLabel>(id)->setText(text);
            break;
        case form::Kind::Edit:
            widget<QLineEdit>(id)->setText(text);
            break;
        case form::Kind::Button:
            widget<QPushButton>(id)->setText(text);
            break;
        case form::Kind::Panel:
            widget<QGroupBox>(id)->setTitle(text);
            break;
    }
}

void Form1::selectType(engine::TypTermopary typ) {
    typ_ = typ;
    termopara_.ustawTyp(typ);

    const form::Selection selection = form::selection(typ);
    for (std::size_t i = 0; i < typeItems_.size(); ++i) {
        typeItems_.at(i)->setChecked(selection.marks.at(i));
    }
    for (const form::Assignment& a : selection.texts) setControlText(a.control, fromUtf8(a.text));
    for (const form::Id id : selection.explanationsCleared) {
        const auto* at = std::find(form::kBoxes.begin(), form::kBoxes.end(), id);
        ops_->setExplanation(static_cast<calculations::Box>(at - form::kBoxes.begin()), {});
    }
}

void Form1::Command1_Click() {
    calculations::Command1_Click(*ops_, typ_);
}
void Form1::Command2_Click() {
    calculations::Command2_Click(*ops_, termopara_);
}
void Form1::Command3_Click() {
    calculations::Command3_Click(*ops_, termopara_);
}

void Form1::mnuKoniec_Click() {
    QCoreApplication::quit();
}

void Form1::mnuTypJ_Click() {
    selectType(engine::TypTermopary::J);
}
void Form1::mnuTypK_Click() {
    selectType(engine::TypTermopary::K);
}
void Form1::mnuTypT_Click() {
    selectType(engine::TypTermopary::T);
}
void Form1::mnuTypE_Click() {
    selectType(engine::TypTermopary::E);
}
void Form1::mnuTypN_Click() {
    selectType(engine::TypTermopary::N);
}
void Form1::mnuTypB_Click() {
    selectType(engine::TypTermopary::B);
}
void Form1::mnuTypS_Click() {
    selectType(engine::TypTermopary::S);
}
void Form1::mnuTypR_Click() {
    selectType(engine::TypTermopary::R);
}

void Form1::Text1_KeyPress([[maybe_unused]] std::int16_t Index, std::int16_t& KeyAscii) {
    form::decimalComma(KeyAscii);
}
void Form1::Text2_KeyPress([[maybe_unused]] std::int16_t Index, std::int16_t& KeyAscii) {
    form::decimalComma(KeyAscii);
}
void Form1::Text3_KeyPress([[maybe_unused]] std::int16_t Index, std::int16_t& KeyAscii) {
    form::decimalComma(KeyAscii);
}
