#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "katalog.h"
#include "typ_termopary.h"

// The main window as data, for any toolkit to build: its texts, its controls
// with their places in twips, the tab order, the menus and what a type
// selection writes. Texts are UTF-8.
//
// Building a window from it (a second toolkit does what window/form1.cpp does):
//  1. Make a window captioned kCaption whose client area is kClient (twips; take
//     it and every rectangle below to pixels with toPixels at the screen's dpi).
//  2. Walk kControls front to back. Each control's parent is the panel named by
//     `parent`, or the client area for a panel. Create by `kind`:
//       Panel   a captioned group box showing `text`;
//       Label   a static text, empty until Napisy writes `text` (the Info labels
//               have no `text`: a selection writes them);
//       Edit    a single-line, left-aligned box with no length limit, read-only
//               (focusable, selectable, copyable) where `readOnly`;
//       Button  a push button, never the default one, showing `text`.
//     Name each control `name`, give it `accessibleName` where there is one and
//     give a button its panel's caption as its description. A label directly
//     followed by a box is that box's row caption (boxOf). The creation order is
//     also the reading order; a caption's rectangle reaches under its box, so a
//     box must be drawn above its caption. FontRole::NameBoldRed is the window's
//     font in bold and kNameColour.
//  3. Chain the focus through kTabOrder.
//  4. Build kMenuBar: each Menu is a drop-down, each MenuItem an entry named
//     `name`, enabled as `enabled` says once the window is loaded; SelectType
//     items carry check marks and select `typ`, Quit ends the program, a
//     Separator item is a separator line.
//  5. Place the window with placedPosition (pixels) before showing it.
//  6. On a type item (and once at start-up, for J): store the type, then apply
//     selection(typ): set each item's mark from `marks` (kTypeMenu order), set
//     each control in `texts` to its text, in order, and clear the explanation
//     (tooltip, accessible description) of each box in `explanationsCleared`.
//  7. Pass every character typed into a box through decimalComma.
// Buttons: Command1 runs Command1_Click (the class deviations), Command2
// Command2_Click, Command3 Command3_Click (calculations/obliczenia.h); the
// boxes in kBoxes order are the calculations' Box values.
namespace form {

inline constexpr std::string_view kCaption = "Kalvetra";

// Field lengths of the window's fixed-length catalogue tables (Nazwa, Sklad,
// Symbol, Zakres), in characters.
inline constexpr std::size_t kDlugoscNazwy = 25;
inline constexpr std::size_t kDlugoscSkladu = 53;
inline constexpr std::size_t kDlugoscSymbolu = 25;
inline constexpr std::size_t kDlugoscZakresu = 45;
inline constexpr std::string_view kMessageTitle = "Wexa";

// Stand-ins may replace the family; the size and the Polish letters must hold.
inline constexpr std::string_view kFontFamily = "MS Sans Serif";
inline constexpr double kFontPoints = 8.25;
struct Rgb {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
};
inline constexpr Rgb kNameColour{255, 0, 0};

// 1440 twips per inch, 96 pixels per inch on a screen at 100 %.
inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kTwipsPerPixel = 15;

struct Point {
    int x;
    int y;
};
struct Size {
    int width;
    int height;
};
// In twips in the tables, in pixels once converted.
struct Rect {
    int left;
    int top;
    int width;
    int height;
};

// Twips to pixels at `dpi`, to the nearest pixel, halves away from zero (as
// Win32's MulDiv). Each of a rectangle's four numbers is converted on its own,
// so equal sizes stay equal; at 96 dpi every table value is a whole pixel.
constexpr int toPixels(int twips, int dpi = 96) {
    const long long scaled = static_cast<long long>(twips) * dpi;
    const long long half = kTwipsPerInch / 2;
    return static_cast<int>(scaled >= 0 ? (scaled + half) / kTwipsPerInch
                                        : (scaled - half) / kTwipsPerInch);
}
constexpr Rect toPixels(const Rect& twips, int dpi = 96) {
    return {toPixels(twips.left, dpi), toPixels(twips.top, dpi), toPixels(twips.width, dpi),
            toPixels(twips.height, dpi)};
}

// Top-left corner (pixels) that centres a window of the given outer, framed
// size on `screen`. The halves are taken in single precision and rounded to
// the nearest pixel, half a pixel away from zero.
Point centredPosition(const Rect& screen, const Size& outer);

// The centred position, moved right or down where needed to keep the top-left
// corner (and with it the menu bar) on the screen's `available` area: a window
// larger than the screen would otherwise start off it. An empty `available`
// leaves the centred position.
Point placedPosition(const Rect& screen, const Rect& available, const Size& outer);

inline constexpr Rect kClient{0, 0, 10230, 4965};

// Every control, in reading order. Frame1 holds the selected type's texts,
// Frame2 the class deviations, Frame3 temperature to EMF, Frame4 EMF to
// temperature.
// clang-format off
enum class Id : std::uint8_t {
    Frame1, Label1_0, Label1_1, Label1_2, Label1_3,
    Frame2, Label2_0, Text1_0, Label2_1, Text1_1, Label2_2, Text1_2, Label2_3, Text1_3, Command1,
    Frame3, Label3_0, Text2_0, Label3_1, Text2_1, Label3_2, Text2_2, Command2,
    Frame4, Label4_0, Text3_0, Label4_1, Text3_1, Label4_2, Text3_2, Command3,
};
// clang-format on

constexpr std::size_t index(Id id) {
    return static_cast<std::size_t>(id);
}

enum class Kind : std::uint8_t { Panel, Label, Edit, Button };
enum class FontRole : std::uint8_t { Normal, NameBoldRed };

struct Control {
    Id id;
    std::string_view name;  // "Text2_1": array and index, as the handlers address it
    Kind kind;
    std::optional<Id> parent;  // none: the client area
    std::int16_t index;        // within its control array; 0 for a single control
    Rect where;                // twips, relative to the parent
    bool readOnly;
    std::string_view text;  // caption, or a box's initial text
    std::string_view accessibleName;
    FontRole font;
    bool explained;  // a result box whose number carries an explanation
};

inline constexpr std::string_view kTemperatura = "Temperatura [°C]";
inline constexpr std::string_view kZimneZlacze = "Zimne złącze [°C]";
inline constexpr std::string_view kEmf = "EMF [mV]";
inline constexpr std::string_view kWylicz = "Wylicz";

namespace detail {

constexpr Control panel(Id id, std::string_view name, Rect where, std::string_view caption) {
    return {id,    name,    Kind::Panel, std::nullopt,     0,    where,
            false, caption, caption,     FontRole::Normal, false};
}
constexpr Control label(Id id, std::string_view name, Id parent, std::int16_t i, Rect where,
                        std::string_view caption, FontRole font = FontRole::Normal) {
    return {id, name, Kind::Label, parent, i, where, false, caption, {}, font, false};
}
constexpr Control box(Id id, std::string_view name, Id parent, std::int16_t i, Rect where,
                      bool readOnly, std::string_view initial, std::string_view caption,
                      bool explained = false) {
    return {id,       name,    Kind::Edit, parent,           i,        where,
            readOnly, initial, caption,    FontRole::Normal, explained};
}
constexpr Control button(Id id, std::string_view name, Id parent, Rect where) {
    return {id, name, Kind::Button, parent, 0, where, false, kWylicz, {}, FontRole::Normal, false};
}

}  // namespace detail

// clang-format off
inline constexpr std::array<Control, 31> kControls{{
    detail::panel(Id::Frame1, "Frame1", {120, 240, 4695, 2055}, "Info"),
    detail::label(Id::Label1_0, "Label1_0", Id::Frame1, 0, {120, 360, 3975, 255}, {},
                  FontRole::NameBoldRed),
    detail::label(Id::Label1_1, "Label1_1", Id::Frame1, 1, {120, 720, 4335, 255}, {}),
    detail::label(Id::Label1_2, "Label1_2", Id::Frame1, 2, {120, 1080, 4455, 255}, {}),
    detail::label(Id::Label1_3, "Label1_3", Id::Frame1, 3, {120, 1440, 4095, 255}, {}),

    detail::panel(Id::Frame2, "Frame2", {4920, 240, 4575, 2055}, "Dopuszczalny Błąd"),
    detail::label(Id::Label2_0, "Label2_0", Id::Frame2, 0, {240, 360, 1695, 255}, kTemperatura),
    detail::box(Id::Text1_0, "Text1_0", Id::Frame2, 0, {1680, 360, 1215, 285}, false, "",
                kTemperatura),
    detail::label(Id::Label2_1, "Label2_1", Id::Frame2, 1, {240, 720, 1695, 255}, "Klasa 1 ±"),
    detail::box(Id::Text1_1, "Text1_1", Id::Frame2, 1, {1680, 720, 1215, 285}, true, "",
                "Klasa 1 ±"),
    detail::label(Id::Label2_2, "Label2_2", Id::Frame2, 2, {240, 1080, 1695, 255}, "Klasa 2 ±"),
    detail::box(Id::Text1_2, "Text1_2", Id::Frame2, 2, {1680, 1080, 1215, 285}, true, "",
                "Klasa 2 ±"),
    detail::label(Id::Label2_3, "Label2_3", Id::Frame2, 3, {240, 1440, 1695, 255}, "Klasa 3 ±"),
    detail::box(Id::Text1_3, "Text1_3", Id::Frame2, 3, {1680, 1440, 1215, 285}, true, "",
                "Klasa 3 ±"),
    detail::button(Id::Command1, "Command1", Id::Frame2, {3120, 480, 1215, 1215}),

    detail::panel(Id::Frame3, "Frame3", {120, 2520, 4695, 1935}, "Temperatura --- > EMF"),
    detail::label(Id::Label3_0, "Label3_0", Id::Frame3, 0, {240, 480, 1455, 255}, kTemperatura),
    detail::box(Id::Text2_0, "Text2_0", Id::Frame3, 0, {1800, 480, 1215, 285}, false, "",
                kTemperatura),
    detail::label(Id::Label3_1, "Label3_1", Id::Frame3, 1, {240, 840, 1455, 255}, kZimneZlacze),
    detail::box(Id::Text2_1, "Text2_1", Id::Frame3, 1, {1800, 840, 1215, 285}, true, "0",
                kZimneZlacze),
    detail::label(Id::Label3_2, "Label3_2", Id::Frame3, 2, {240, 1200, 1455, 255}, kEmf),
    detail::box(Id::Text2_2, "Text2_2", Id::Frame3, 2, {1800, 1200, 1215, 285}, true, "", kEmf,
                true),
    detail::button(Id::Command2, "Command2", Id::Frame3, {3240, 480, 1215, 1215}),

    detail::panel(Id::Frame4, "Frame4", {4920, 2520, 4575, 1935}, "EMF --- > Temperatura"),
    detail::label(Id::Label4_0, "Label4_0", Id::Frame4, 0, {240, 480, 1335, 255}, kEmf),
    detail::box(Id::Text3_0, "Text3_0", Id::Frame4, 0, {1680, 480, 1215, 285}, false, "", kEmf),
    detail::label(Id::Label4_1, "Label4_1", Id::Frame4, 1, {240, 840, 1335, 255}, kZimneZlacze),
    detail::box(Id::Text3_1, "Text3_1", Id::Frame4, 1, {1680, 840, 1215, 285}, false, "0",
                kZimneZlacze),
    detail::label(Id::Label4_2, "Label4_2", Id::Frame4, 2, {240, 1200, 1335, 255}, kTemperatura),
    detail::box(Id::Text3_2, "Text3_2", Id::Frame4, 2, {1680, 1200, 1215, 285}, true, "",
                kTemperatura, true),
    detail::button(Id::Command3, "Command3", Id::Frame4, {3120, 480, 1215, 1215}),
}};
// clang-format on

constexpr const Control& control(Id id) {
    return kControls[index(id)];
}

namespace detail {

constexpr bool wholePixels(const Rect& r) {
    return r.left % kTwipsPerPixel == 0 && r.top % kTwipsPerPixel == 0 &&
           r.width % kTwipsPerPixel == 0 && r.height % kTwipsPerPixel == 0;
}

constexpr bool indexedByPosition() {
    for (std::size_t i = 0; i < kControls.size(); ++i) {
        if (index(kControls[i].id) != i) return false;
    }
    return true;
}

template <Kind K>
constexpr std::size_t count() {
    std::size_t n = 0;
    for (const Control& c : kControls) n += c.kind == K ? 1 : 0;
    return n;
}

constexpr std::size_t countExplained() {
    std::size_t n = 0;
    for (const Control& c : kControls) n += c.explained ? 1 : 0;
    return n;
}

}  // namespace detail

// control(id) looks a control up by its position.
static_assert(detail::indexedByPosition());
// At 96 dpi no remainder may be dropped.
static_assert(detail::wholePixels(kClient));
static_assert([] {
    for (const Control& c : kControls) {
        if (!detail::wholePixels(c.where)) return false;
    }
    return true;
}());

// The box a row caption names: the box right after the label in reading order.
constexpr std::optional<Id> boxOf(Id label) {
    const std::size_t next = index(label) + 1;
    if (control(label).kind != Kind::Label || next >= kControls.size() ||
        kControls[next].kind != Kind::Edit) {
        return std::nullopt;
    }
    return kControls[next].id;
}

// The ten boxes in reading order, which is the calculations' Box order too.
inline constexpr auto kBoxes = [] {
    std::array<Id, detail::count<Kind::Edit>()> out{};
    std::size_t n = 0;
    for (const Control& c : kControls) {
        if (c.kind == Kind::Edit) out.at(n++) = c.id;
    }
    return out;
}();

// Focus order: the buttons of the lower panels come before those panels' boxes.
inline constexpr std::array<Id, 13> kTabOrder{
    Id::Text1_0, Id::Text1_1, Id::Text1_2, Id::Text1_3, Id::Command1, Id::Command2, Id::Command3,
    Id::Text2_0, Id::Text2_1, Id::Text2_2, Id::Text3_0, Id::Text3_1,  Id::Text3_2,
};

enum class Command : std::uint8_t { None, Quit, SelectType, Separator };

struct MenuItem {
    std::string_view name;
    std::string_view caption;
    Command command;
    engine::TypTermopary typ;  // of a SelectType item
    bool enabled;
};

struct Menu {
    std::string_view name;
    std::string_view caption;
    std::span<const MenuItem> items;
};

inline constexpr std::array<MenuItem, 2> kFileMenu{{
    {"mnuDrukuj", "Drukuj", Command::None, engine::TypTermopary::J, false},
    {"mnuKoniec", "Koniec", Command::Quit, engine::TypTermopary::J, true},
}};

namespace detail {
// "mnuTyp" and the type's letter, for every type in catalogue order.
inline constexpr auto kTypeItemNames = [] {
    constexpr std::string_view kPrefix = "mnuTyp";
    std::array<std::array<char, kPrefix.size() + 1>, engine::kLiczbaTypow> names{};
    for (std::size_t i = 0; i < engine::kLiczbaTypow; ++i) {
        for (std::size_t k = 0; k < kPrefix.size(); ++k) names.at(i).at(k) = kPrefix[k];
        names.at(i).back() = engine::kKatalog.at(i).litera;
    }
    return names;
}();
}  // namespace detail

// The menu's first eight items: the eight standard types as the menu always
// listed them; a separator parts them from the types added later (C, A).
inline constexpr std::size_t kFirstTypeItems = 8;

// In the catalogue's menu order, which lists S before R, with the separator.
inline constexpr auto kTypeMenu = [] {
    std::array<MenuItem, engine::kLiczbaTypow + 1> menu{};
    menu.at(kFirstTypeItems) = {"mnuTypSeparator", "", Command::Separator, engine::TypTermopary::J,
                                true};
    for (const engine::WierszKatalogu& w : engine::kKatalog) {
        const auto& name = detail::kTypeItemNames.at(indeks(w.typ));
        const std::size_t at = w.pozycjaWMenu + (w.pozycjaWMenu < kFirstTypeItems ? 0 : 1);
        menu.at(at) = {std::string_view(name.data(), name.size()), w.opis.nazwa,
                       Command::SelectType, w.typ, true};
    }
    return menu;
}();

inline constexpr std::array<Menu, 2> kMenuBar{{
    {"mnuPlik", "Plik", kFileMenu},
    {"mnuKalvetra", "Kalvetra", kTypeMenu},
}};

// A catalogue text as a fixed-length field of `length` characters: left-
// aligned, space-filled, cut to the field should it ever be longer.
std::string field(std::string_view text, std::size_t length);

// What the Info panel shows of a catalogue text: its field, trimmed of the
// filling spaces. Always a part of `text`.
constexpr std::string_view infoText(std::string_view text, std::size_t length) {
    std::size_t end = 0;
    for (std::size_t chars = 0; end < text.size() && chars < length; ++chars) {
        ++end;
        // Continuation bytes belong to the character before.
        while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0U) == 0x80U) {
            ++end;
        }
    }
    std::string_view shown = text.substr(0, end);
    constexpr std::string_view kBlank = " \t\n\v\f\r";
    const std::size_t first = shown.find_first_not_of(kBlank);
    if (first == std::string_view::npos) return {};
    shown = shown.substr(first);
    return shown.substr(0, shown.find_last_not_of(kBlank) + 1);
}

// Where each catalogue text goes in the Info panel, and its field's length.
struct InfoRow {
    Id label;
    std::string_view engine::Opis::*text;
    std::size_t length;
};
inline constexpr std::array<InfoRow, 4> kInfoRows{{
    {Id::Label1_0, &engine::Opis::nazwa, kDlugoscNazwy},
    {Id::Label1_1, &engine::Opis::sklad, kDlugoscSkladu},
    {Id::Label1_2, &engine::Opis::symbol, kDlugoscSymbolu},
    {Id::Label1_3, &engine::Opis::zakres, kDlugoscZakresu},
}};

struct Assignment {
    Id control;
    std::string_view text;
};

// Everything a type selection writes besides the stored type.
struct Selection {
    std::array<bool, kTypeMenu.size()> marks;  // check mark of each kTypeMenu item
    // The Info labels, then every box reset to its initial text, panel by
    // panel in reading order.
    std::array<Assignment, kInfoRows.size() + kBoxes.size()> texts;
    // An emptied result box explains nothing.
    std::array<Id, detail::countExplained()> explanationsCleared;
};

constexpr Selection selection(engine::TypTermopary typ) {
    Selection s{};
    for (std::size_t i = 0; i < kTypeMenu.size(); ++i) {
        s.marks.at(i) =
            kTypeMenu.at(i).command == Command::SelectType && kTypeMenu.at(i).typ == typ;
    }
    const engine::Opis& opis = engine::kTypy.at(indeks(typ));
    std::size_t n = 0;
    for (const InfoRow& row : kInfoRows) {
        s.texts.at(n++) = {row.label, infoText(opis.*row.text, row.length)};
    }
    std::size_t cleared = 0;
    for (const Id id : kBoxes) {
        s.texts.at(n++) = {id, control(id).text};
        if (control(id).explained) s.explanationsCleared.at(cleared++) = id;
    }
    return s;
}

// A typed full stop becomes a decimal comma: the calculations read numbers by
// Polish rules. Every other character passes unchanged.
constexpr void decimalComma(std::int16_t& KeyAscii) {
    if (KeyAscii == 46) KeyAscii = 44;
}

}  // namespace form
