#include "strona.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <iterator>

#include "form.h"
#include "obliczenia.h"
#include "window_ops.h"

namespace web {

namespace {

namespace f = ::form;
using calculations::Box;
using calculations::WindowOps;
using engine::TypTermopary;

// Appends `text` as a JSON string.
void quoted(std::string& out, std::string_view text) {
    out += '"';
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20U) {
            std::array<char, 8> escape{};
            std::snprintf(escape.data(), escape.size(), "\\u%04x", static_cast<unsigned>(c));
            out += escape.data();
        } else {
            out += c;
        }
    }
    out += '"';
}

// A JSON object, written key by key.
class Obiekt {
  public:
    explicit Obiekt(std::string& out) : out_(out) { out_ += '{'; }
    Obiekt(const Obiekt&) = delete;
    Obiekt& operator=(const Obiekt&) = delete;
    ~Obiekt() { out_ += '}'; }

    std::string& key(std::string_view name) {
        if (!first_) out_ += ',';
        first_ = false;
        quoted(out_, name);
        out_ += ':';
        return out_;
    }
    void text(std::string_view name, std::string_view value) { quoted(key(name), value); }
    void number(std::string_view name, long value) { key(name) += std::to_string(value); }
    void flag(std::string_view name, bool value) { key(name) += value ? "true" : "false"; }

  private:
    std::string& out_;
    bool first_ = true;
};

std::string_view kindName(f::Kind kind) {
    switch (kind) {
        case f::Kind::Panel:
            return "panel";
        case f::Kind::Label:
            return "label";
        case f::Kind::Edit:
            return "edit";
        case f::Kind::Button:
            return "button";
    }
    return {};
}

std::string_view boxName(Box box) {
    return f::control(f::kBoxes.at(static_cast<std::size_t>(box))).name;
}

// The calculations' window operations as steps for the page; the boxes read
// what the page last sent, or what a step before wrote.
class Zapis final : public WindowOps {
  public:
    explicit Zapis(std::array<std::string, 10>& boxes) : boxes_(boxes) { out_ += '['; }

    [[nodiscard]] std::string text(Box box) const override {
        return boxes_.at(static_cast<std::size_t>(box));
    }
    void setText(Box box, std::string_view text) override {
        boxes_.at(static_cast<std::size_t>(box)) = std::string(text);
        step("text", boxName(box), text);
    }
    void setExplanation(Box box, std::string_view text) override {
        step("explain", boxName(box), text);
    }
    void message(std::string_view text) override { step("message", {}, text); }
    void setFocus(Box box) override { step("focus", boxName(box), {}); }

    void step(std::string_view op, std::string_view control, std::string_view text) {
        if (out_.size() > 1) out_ += ',';
        Obiekt o(out_);
        o.text("op", op);
        if (!control.empty()) o.text("control", control);
        if (op != "focus") o.text("text", text);
    }
    void mark(std::size_t item, bool on) {
        if (out_.size() > 1) out_ += ',';
        Obiekt o(out_);
        o.text("op", "mark");
        o.text("control", f::kTypeMenu.at(item).name);
        o.flag("on", on);
    }
    std::string finish() && {
        out_ += ']';
        return std::move(out_);
    }

  private:
    std::array<std::string, 10>& boxes_;
    std::string out_;
};

bool onPage(const f::MenuItem& item) {
    return item.command == f::Command::SelectType;
}

// The page lists the type items alone, without the window's separator: the
// type menu's index of the page's item, and back.
std::size_t menuIndex(std::size_t pageIndex) {
    for (std::size_t i = 0; i < f::kTypeMenu.size(); ++i) {
        if (!onPage(f::kTypeMenu.at(i))) continue;
        if (pageIndex-- == 0) return i;
    }
    return f::kTypeMenu.size();
}

long pageIndex(std::size_t menuIndex) {
    const auto* item = f::kTypeMenu.begin() + static_cast<std::ptrdiff_t>(menuIndex);
    return static_cast<long>(std::count_if(f::kTypeMenu.begin(), item, onPage));
}

}  // namespace

std::string describe() {
    std::string out;
    Obiekt o(out);
    o.text("caption", f::kCaption);
    o.text("messageTitle", f::kMessageTitle);
    const f::Rect client = f::toPixels(f::kClient);
    o.number("width", client.width);
    o.number("height", client.height);
    {
        std::string& menus = o.key("menus");
        menus += '[';
        bool firstMenu = true;
        for (const f::Menu& menu : f::kMenuBar) {
            if (std::none_of(menu.items.begin(), menu.items.end(), onPage)) continue;
            if (!firstMenu) menus += ',';
            firstMenu = false;
            Obiekt m(menus);
            m.text("name", menu.name);
            m.text("caption", menu.caption);
            std::string& items = m.key("items");
            items += '[';
            bool firstItem = true;
            for (const f::MenuItem& item : menu.items) {
                if (!onPage(item)) continue;
                if (!firstItem) items += ',';
                firstItem = false;
                Obiekt i(items);
                i.text("name", item.name);
                i.text("caption", item.caption);
            }
            items += ']';
        }
        menus += ']';
    }
    {
        std::string& controls = o.key("controls");
        controls += '[';
        for (const f::Control& c : f::kControls) {
            if (&c != f::kControls.data()) controls += ',';
            Obiekt k(controls);
            k.text("name", c.name);
            k.text("kind", kindName(c.kind));
            k.text("parent", c.parent ? f::control(*c.parent).name : std::string_view{});
            const f::Rect r = f::toPixels(c.where);
            std::string& rect = k.key("rect");
            rect += '[' + std::to_string(r.left) + ',' + std::to_string(r.top) + ',' +
                    std::to_string(r.width) + ',' + std::to_string(r.height) + ']';
            k.flag("readOnly", c.readOnly);
            k.text("text", c.text);
            k.text("accessibleName", c.accessibleName);
            k.flag("bold", c.font == f::FontRole::NameBoldRed);
            k.flag("explained", c.explained);
        }
        controls += ']';
    }
    const auto names = [&](std::string_view key, const auto& ids) {
        std::string& list = o.key(key);
        list += '[';
        for (const f::Id id : ids) {
            if (list.back() != '[') list += ',';
            quoted(list, f::control(id).name);
        }
        list += ']';
    };
    // The window selects J at start-up.
    const auto* start =
        std::find_if(f::kTypeMenu.begin(), f::kTypeMenu.end(),
                     [](const f::MenuItem& m) { return onPage(m) && m.typ == TypTermopary::J; });
    o.number("startItem",
             pageIndex(static_cast<std::size_t>(std::distance(f::kTypeMenu.begin(), start))));
    names("tabOrder", f::kTabOrder);
    names("boxes", f::kBoxes);
    return out;
}

Strona::Strona() {
    termopara_.ustawTyp(typ_);
}

std::string Strona::select(std::size_t item) {
    const std::size_t i = menuIndex(item);
    if (i >= f::kTypeMenu.size()) return "[]";
    typ_ = f::kTypeMenu.at(i).typ;
    termopara_.ustawTyp(typ_);
    Zapis zapis(boxes_);
    const f::Selection selection = f::selection(typ_);
    for (std::size_t k = 0; k < selection.marks.size(); ++k) {
        if (onPage(f::kTypeMenu.at(k))) zapis.mark(k, selection.marks.at(k));
    }
    for (const f::Assignment& a : selection.texts) {
        const auto* box = std::find(f::kBoxes.begin(), f::kBoxes.end(), a.control);
        if (box != f::kBoxes.end()) {
            zapis.setText(static_cast<Box>(std::distance(f::kBoxes.begin(), box)), a.text);
        } else {
            zapis.step("text", f::control(a.control).name, a.text);
        }
    }
    for (const f::Id id : selection.explanationsCleared) {
        zapis.step("explain", f::control(id).name, {});
    }
    return std::move(zapis).finish();
}

void Strona::setBox(std::size_t box, std::string_view text) {
    if (box < boxes_.size()) boxes_.at(box) = std::string(text);
}

std::string Strona::click(std::string_view button) {
    Zapis zapis(boxes_);
    if (button == f::control(f::Id::Command1).name) {
        calculations::Command1_Click(zapis, typ_);
    } else if (button == f::control(f::Id::Command2).name) {
        calculations::Command2_Click(zapis, termopara_);
    } else if (button == f::control(f::Id::Command3).name) {
        calculations::Command3_Click(zapis, termopara_);
    }
    return std::move(zapis).finish();
}

std::int16_t key(std::int16_t KeyAscii) {
    f::decimalComma(KeyAscii);
    return KeyAscii;
}

}  // namespace web
