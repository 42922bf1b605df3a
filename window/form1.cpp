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
#include <QScreen>
#include <QWindow>
#include <limits>
#include <string_view>

#include "decimal_key_filter.h"
#include "layout_table.h"
#include "obliczenia.h"
#include "qt_window_ops.h"
#include "typ_termopary.h"
#include "utf8.h"

namespace {

using layout::kTable;
using layout::toPixels;

// A catalogue text as a fixed-length field: left-aligned, space-filled, cut
// to the field's length should it ever be longer.
QString field(std::string_view text, std::size_t length) {
    return fromUtf8(text).leftJustified(static_cast<qsizetype>(length), u' ', true);
}

// Stand-in for an 8.25 pt "MS Sans Serif". DejaVu Sans has every Polish
// letter but runs wider; semi-condensed keeps the longest texts (the type E
// alloy, "Zimne złącze [°C]") inside the labels the layout gives them.
QFont windowFont() {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(8.25);
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

QGroupBox* panel(QWidget* parent, const QString& caption, const layout::Twips& where,
                 const char* name) {
    auto* box = new QGroupBox(caption, parent);
    box->setObjectName(QLatin1String(name));
    box->setAccessibleName(caption);
    box->setGeometry(toPixels(where));
    return box;
}

QLabel* label(QGroupBox* parent, const layout::Twips& where, const QString& name) {
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setGeometry(toPixels(where));
    return l;
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

QLineEdit* textBox(QGroupBox* parent, const layout::Twips& where, const QString& name,
                   bool readOnly) {
    auto* box = new NumberBox(parent);
    box->setObjectName(name);
    box->setGeometry(toPixels(where));
    // Results can still be focused, selected and copied.
    box->setReadOnly(readOnly);
    // No length limit: a long paste must not be cut into another number.
    box->setMaxLength(std::numeric_limits<int>::max());
    return box;
}

QPushButton* button(QGroupBox* parent, const layout::Twips& where, const char* name) {
    auto* b = new QPushButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setGeometry(toPixels(where));
    // Never the window's default button, so Enter and Escape in a box start
    // nothing; autoDefault lets Enter press the button that has the focus
    // (outside a dialog it makes no button a default for the boxes).
    b->setAutoDefault(true);
    b->setDefault(false);
    b->setAccessibleDescription(parent->title());
    return b;
}

QString indexed(const char* array, std::size_t index) {
    return QStringLiteral("%1_%2").arg(QLatin1String(array)).arg(index);
}

// A row caption names its box for assistive technology too.
void rowCaption(QLabel* caption, QLineEdit* box, const QString& text) {
    caption->setText(text);
    box->setAccessibleName(text);
}

}  // namespace

Form1::Form1(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("Kalvetra"));
    setWindowIcon(appIcon());
    setFont(windowFont());

    createControls();
    createMenus();

    ops_ = std::make_unique<QtWindowOps>(
        *this, std::array<QLineEdit*, 10>{ui_.Text1[0], ui_.Text1[1], ui_.Text1[2], ui_.Text1[3],
                                          ui_.Text2[0], ui_.Text2[1], ui_.Text2[2], ui_.Text3[0],
                                          ui_.Text3[1], ui_.Text3[2]});

    // Menu bar plus the fixed client area; nothing reacts to resizing.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();

    Form_Load();
}

Form1::~Form1() = default;

void Form1::createControls() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(toPixels(kTable.client).size());
    setCentralWidget(client);

    ui_.Frame1 = panel(client, QStringLiteral("Info"), kTable.frame[0], "Frame1");
    ui_.Frame2 = panel(client, QStringLiteral("Dopuszczalny Błąd"), kTable.frame[1], "Frame2");
    ui_.Frame3 = panel(client, QStringLiteral("Temperatura --- > EMF"), kTable.frame[2], "Frame3");
    ui_.Frame4 = panel(client, QStringLiteral("EMF --- > Temperatura"), kTable.frame[3], "Frame4");

    // Labels first: the captions' rectangles reach under the boxes, which must
    // stay on top.
    for (std::size_t i = 0; i < ui_.Label1.size(); ++i) {
        ui_.Label1[i] = label(ui_.Frame1, kTable.label1[i], indexed("Label1", i));
    }
    QFont nameFont = font();
    nameFont.setBold(true);
    ui_.Label1[0]->setFont(nameFont);
    QPalette red = ui_.Label1[0]->palette();
    red.setColor(QPalette::WindowText, QColor(255, 0, 0));
    ui_.Label1[0]->setPalette(red);

    for (std::size_t i = 0; i < ui_.Label2.size(); ++i) {
        ui_.Label2[i] = label(ui_.Frame2, kTable.label2[i], indexed("Label2", i));
    }
    for (std::size_t i = 0; i < ui_.Text1.size(); ++i) {
        ui_.Text1[i] = textBox(ui_.Frame2, kTable.text1[i], indexed("Text1", i), i != 0);
    }
    ui_.Command1 = button(ui_.Frame2, kTable.command[0], "Command1");

    for (std::size_t i = 0; i < ui_.Label3.size(); ++i) {
        ui_.Label3[i] = label(ui_.Frame3, kTable.label3[i], indexed("Label3", i));
    }
    for (std::size_t i = 0; i < ui_.Text2.size(); ++i) {
        ui_.Text2[i] = textBox(ui_.Frame3, kTable.text2[i], indexed("Text2", i), i != 0);
    }
    ui_.Command2 = button(ui_.Frame3, kTable.command[1], "Command2");

    for (std::size_t i = 0; i < ui_.Label4.size(); ++i) {
        ui_.Label4[i] = label(ui_.Frame4, kTable.label4[i], indexed("Label4", i));
    }
    for (std::size_t i = 0; i < ui_.Text3.size(); ++i) {
        ui_.Text3[i] = textBox(ui_.Frame4, kTable.text3[i], indexed("Text3", i), i == 2);
    }
    ui_.Command3 = button(ui_.Frame4, kTable.command[2], "Command3");

    for (std::size_t i = 0; i < ui_.Label2.size(); ++i) ui_.Label2[i]->setBuddy(ui_.Text1[i]);
    for (std::size_t i = 0; i < ui_.Label3.size(); ++i) ui_.Label3[i]->setBuddy(ui_.Text2[i]);
    for (std::size_t i = 0; i < ui_.Label4.size(); ++i) ui_.Label4[i]->setBuddy(ui_.Text3[i]);

    connect(ui_.Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(ui_.Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(ui_.Command3, &QPushButton::clicked, this, &Form1::Command3_Click);

    keyFilter_ = new DecimalKeyFilter(this);
    for (std::size_t i = 0; i < ui_.Text1.size(); ++i) {
        const auto index = static_cast<std::int16_t>(i);
        keyFilter_->watch(ui_.Text1[i],
                          [this, index](std::int16_t& c) { Text1_KeyPress(index, c); });
    }
    for (std::size_t i = 0; i < ui_.Text2.size(); ++i) {
        const auto index = static_cast<std::int16_t>(i);
        keyFilter_->watch(ui_.Text2[i],
                          [this, index](std::int16_t& c) { Text2_KeyPress(index, c); });
    }
    for (std::size_t i = 0; i < ui_.Text3.size(); ++i) {
        const auto index = static_cast<std::int16_t>(i);
        keyFilter_->watch(ui_.Text3[i],
                          [this, index](std::int16_t& c) { Text3_KeyPress(index, c); });
    }

    // The buttons of the lower panels come before those panels' boxes.
    const std::array<QWidget*, 13> tabOrder{ui_.Text1[0], ui_.Text1[1], ui_.Text1[2], ui_.Text1[3],
                                            ui_.Command1, ui_.Command2, ui_.Command3, ui_.Text2[0],
                                            ui_.Text2[1], ui_.Text2[2], ui_.Text3[0], ui_.Text3[1],
                                            ui_.Text3[2]};
    for (std::size_t i = 1; i < tabOrder.size(); ++i) {
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
    }
}

void Form1::createMenus() {
    menus_.mnuPlik = menuBar()->addMenu(QStringLiteral("Plik"));
    menus_.mnuPlik->setObjectName(QStringLiteral("mnuPlik"));
    menus_.mnuDrukuj = menus_.mnuPlik->addAction(QStringLiteral("Drukuj"));
    menus_.mnuDrukuj->setObjectName(QStringLiteral("mnuDrukuj"));
    menus_.mnuKoniec = menus_.mnuPlik->addAction(QStringLiteral("Koniec"));
    menus_.mnuKoniec->setObjectName(QStringLiteral("mnuKoniec"));
    connect(menus_.mnuKoniec, &QAction::triggered, this, &Form1::mnuKoniec_Click);

    menus_.mnuKalvetra = menuBar()->addMenu(QStringLiteral("Kalvetra"));
    menus_.mnuKalvetra->setObjectName(QStringLiteral("mnuKalvetra"));
    // Drop-down menus are windows of their own and do not inherit the font.
    for (QMenu* m : {menus_.mnuPlik, menus_.mnuKalvetra}) m->setFont(font());
    // Not an exclusive group: choosing the checked item again must run the
    // whole selection again.
    const auto item = [this](TypTermopary typ, const char* name, void (Form1::*handler)()) {
        QAction* a = menus_.mnuKalvetra->addAction(fromUtf8(katalog::kTypy.at(indeks(typ)).nazwa));
        a->setObjectName(QLatin1String(name));
        a->setCheckable(true);
        connect(a, &QAction::triggered, this, handler);
        return a;
    };
    // The menu lists S before R.
    menus_.mnuTypJ = item(TypTermopary::J, "mnuTypJ", &Form1::mnuTypJ_Click);
    menus_.mnuTypK = item(TypTermopary::K, "mnuTypK", &Form1::mnuTypK_Click);
    menus_.mnuTypT = item(TypTermopary::T, "mnuTypT", &Form1::mnuTypT_Click);
    menus_.mnuTypE = item(TypTermopary::E, "mnuTypE", &Form1::mnuTypE_Click);
    menus_.mnuTypN = item(TypTermopary::N, "mnuTypN", &Form1::mnuTypN_Click);
    menus_.mnuTypB = item(TypTermopary::B, "mnuTypB", &Form1::mnuTypB_Click);
    menus_.mnuTypS = item(TypTermopary::S, "mnuTypS", &Form1::mnuTypS_Click);
    menus_.mnuTypR = item(TypTermopary::R, "mnuTypR", &Form1::mnuTypR_Click);
}

void Form1::Form_Load() {
    centreOnScreen();
    menus_.mnuDrukuj->setEnabled(false);
    Napisy();
    mnuTypJ_Click();
    ui_.Text1[0]->setFocus();
}

void Form1::centreOnScreen() {
    const QScreen* where = screen();
    if (where == nullptr) return;
    move(layout::placedPosition(where->geometry(), where->availableGeometry(),
                                frameGeometry().size()));
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
    for (std::size_t i = 0; i < katalog::kLiczbaTypow; ++i) {
        tables_.Nazwa.at(i) = field(katalog::kTypy.at(i).nazwa, katalog::kDlugoscNazwy);
    }
    for (std::size_t i = 0; i < katalog::kLiczbaTypow; ++i) {
        tables_.Sklad.at(i) = field(katalog::kTypy.at(i).sklad, katalog::kDlugoscSkladu);
    }
    for (std::size_t i = 0; i < katalog::kLiczbaTypow; ++i) {
        tables_.Symbol.at(i) = field(katalog::kTypy.at(i).symbol, katalog::kDlugoscSymbolu);
    }
    for (std::size_t i = 0; i < katalog::kLiczbaTypow; ++i) {
        tables_.Zakres.at(i) = field(katalog::kTypy.at(i).zakres, katalog::kDlugoscZakresu);
    }

    const QString temperatura = QStringLiteral("Temperatura [°C]");
    const QString zimneZlacze = QStringLiteral("Zimne złącze [°C]");
    const QString emf = QStringLiteral("EMF [mV]");
    const QString wylicz = QStringLiteral("Wylicz");

    rowCaption(ui_.Label2[0], ui_.Text1[0], temperatura);
    rowCaption(ui_.Label2[1], ui_.Text1[1], QStringLiteral("Klasa 1 ±"));
    rowCaption(ui_.Label2[2], ui_.Text1[2], QStringLiteral("Klasa 2 ±"));
    rowCaption(ui_.Label2[3], ui_.Text1[3], QStringLiteral("Klasa 3 ±"));
    ui_.Command1->setText(wylicz);

    rowCaption(ui_.Label3[0], ui_.Text2[0], temperatura);
    rowCaption(ui_.Label3[1], ui_.Text2[1], zimneZlacze);
    rowCaption(ui_.Label3[2], ui_.Text2[2], emf);
    ui_.Command2->setText(wylicz);

    rowCaption(ui_.Label4[0], ui_.Text3[0], emf);
    rowCaption(ui_.Label4[1], ui_.Text3[1], zimneZlacze);
    rowCaption(ui_.Label4[2], ui_.Text3[2], temperatura);
    ui_.Command3->setText(wylicz);
}

std::array<QAction*, katalog::kLiczbaTypow> Form1::typeItems() const {
    return {menus_.mnuTypJ, menus_.mnuTypK, menus_.mnuTypT, menus_.mnuTypE,
            menus_.mnuTypN, menus_.mnuTypB, menus_.mnuTypR, menus_.mnuTypS};
}

void Form1::selectType(TypTermopary typ) {
    const std::size_t index = indeks(typ);
    termopara_.Typ = static_cast<std::int16_t>(index);

    const auto items = typeItems();
    for (std::size_t i = 0; i < items.size(); ++i) items[i]->setChecked(i == index);

    ui_.Label1[0]->setText(tables_.Nazwa.at(index).trimmed());
    ui_.Label1[1]->setText(tables_.Sklad.at(index).trimmed());
    ui_.Label1[2]->setText(tables_.Symbol.at(index).trimmed());
    ui_.Label1[3]->setText(tables_.Zakres.at(index).trimmed());

    for (QLineEdit* box : ui_.Text1) box->setText(QString());
    ui_.Text2[0]->setText(QString());
    ui_.Text2[1]->setText(QStringLiteral("0"));
    ui_.Text2[2]->setText(QString());
    ui_.Text3[0]->setText(QString());
    ui_.Text3[1]->setText(QStringLiteral("0"));
    ui_.Text3[2]->setText(QString());
    // An emptied result box explains nothing.
    ops_->setExplanation(Pole::Text2_2, {});
    ops_->setExplanation(Pole::Text3_2, {});
}

void Form1::Command1_Click() {
    ::Command1_Click(*ops_, termopara_.Typ);
}
void Form1::Command2_Click() {
    ::Command2_Click(*ops_, termopara_);
}
void Form1::Command3_Click() {
    ::Command3_Click(*ops_, termopara_);
}

void Form1::mnuKoniec_Click() {
    QCoreApplication::quit();
}

void Form1::mnuTypJ_Click() {
    selectType(TypTermopary::J);
}
void Form1::mnuTypK_Click() {
    selectType(TypTermopary::K);
}
void Form1::mnuTypT_Click() {
    selectType(TypTermopary::T);
}
void Form1::mnuTypE_Click() {
    selectType(TypTermopary::E);
}
void Form1::mnuTypN_Click() {
    selectType(TypTermopary::N);
}
void Form1::mnuTypB_Click() {
    selectType(TypTermopary::B);
}
void Form1::mnuTypS_Click() {
    selectType(TypTermopary::S);
}
void Form1::mnuTypR_Click() {
    selectType(TypTermopary::R);
}

void Form1::Text1_KeyPress([[maybe_unused]] std::int16_t Index, std::int16_t& KeyAscii) {
    decimalComma(KeyAscii);
}
void Form1::Text2_KeyPress([[maybe_unused]] std::int16_t Index, std::int16_t& KeyAscii) {
    decimalComma(KeyAscii);
}
void Form1::Text3_KeyPress([[maybe_unused]] std::int16_t Index, std::int16_t& KeyAscii) {
    decimalComma(KeyAscii);
}
