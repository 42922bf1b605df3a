// The window description every toolkit builds from.
#include "form.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

namespace {

using namespace form;

struct Placement {
    const char* name;
    Rect screen;
    Rect available;
    Size outer;
    Point centred;
    Point placed;
};

// 1024 x 768 pixels are 15360 x 11520 twips.
const Placement kPlacements[] = {
    {"even margins", {0, 0, 1024, 768}, {0, 0, 1024, 740}, {684, 370}, {170, 199}, {170, 199}},
    {"half a pixel over", {0, 0, 1024, 768}, {}, {683, 369}, {171, 200}, {171, 200}},
    {"no frame known yet", {0, 0, 1024, 768}, {}, {682, 349}, {171, 210}, {171, 210}},
    {"second screen", {1920, 0, 1024, 768}, {}, {684, 370}, {2090, 199}, {2090, 199}},
    {"larger than the screen", {0, 0, 640, 480}, {}, {700, 500}, {-30, -10}, {-30, -10}},
    // 1280 x 800 at a scale factor of 2.
    {"wider than the screen", {0, 0, 640, 400}, {0, 0, 640, 400}, {682, 349}, {-21, 26}, {0, 26}},
    {"below a top panel", {0, 0, 640, 480}, {0, 32, 640, 448}, {700, 500}, {-30, -10}, {0, 32}},
    {"off a second screen",
     {1920, 0, 640, 400},
     {1920, 0, 640, 400},
     {682, 349},
     {1899, 26},
     {1920, 26}},
};

TEST(Position, CentredThenKeptOnTheAvailableArea) {
    for (const Placement& p : kPlacements) {
        const Point c = centredPosition(p.screen, p.outer);
        EXPECT_EQ(std::pair(c.x, c.y), std::pair(p.centred.x, p.centred.y)) << p.name;
        const Point q = placedPosition(p.screen, p.available, p.outer);
        EXPECT_EQ(std::pair(q.x, q.y), std::pair(p.placed.x, p.placed.y)) << p.name;
    }
}

TEST(Position, TwipsToPixelsRoundHalvesAwayFromZero) {
    struct Case {
        int twips;
        int dpi;
        int pixels;
    };
    for (const Case& c : {Case{4695, 96, 313}, Case{4695, 120, 391}, Case{285, 144, 29},
                          Case{270, 120, 23}, Case{-285, 144, -29}, Case{10230, 192, 1364}}) {
        EXPECT_EQ(toPixels(c.twips, c.dpi), c.pixels) << c.twips << " twips at " << c.dpi;
    }
}

bool inside(const Rect& inner, const Rect& outer) {
    return inner.left >= 0 && inner.top >= 0 && inner.left + inner.width <= outer.width &&
           inner.top + inner.height <= outer.height;
}

TEST(Controls, EachInsideItsPanelAndNamedOnce) {
    std::set<std::string_view> names;
    for (const Control& c : kControls) {
        EXPECT_TRUE(names.insert(c.name).second) << c.name;
        EXPECT_EQ(c.parent.has_value(), c.kind != Kind::Panel) << c.name;
        const Rect& outer = c.parent ? control(*c.parent).where : kClient;
        EXPECT_TRUE(inside(c.where, outer)) << c.name;
        if (c.parent) {
            EXPECT_EQ(control(*c.parent).kind, Kind::Panel) << c.name;
        }
    }
}

// Screen readers follow the creation order: each caption right before its box,
// on the box's row, naming it.
TEST(Controls, ReadingOrderPutsEachCaptionBeforeItsBox) {
    for (std::size_t i = 0; i < kControls.size(); ++i) {
        const Control& c = kControls[i];
        if (c.kind != Kind::Edit) continue;
        ASSERT_GT(i, 0U);
        const Control& caption = kControls[i - 1];
        EXPECT_EQ(caption.kind, Kind::Label) << c.name;
        EXPECT_EQ(caption.parent, c.parent) << c.name;
        EXPECT_EQ(caption.where.top, c.where.top) << c.name;
        EXPECT_EQ(caption.text, c.accessibleName) << c.name;
        EXPECT_EQ(boxOf(caption.id), c.id) << c.name;
    }
}

TEST(Controls, TabOrderHoldsEveryFocusableControlOnce) {
    std::set<Id> seen(kTabOrder.begin(), kTabOrder.end());
    EXPECT_EQ(seen.size(), kTabOrder.size());
    for (const Control& c : kControls) {
        const bool focusable = c.kind == Kind::Edit || c.kind == Kind::Button;
        EXPECT_EQ(seen.count(c.id), focusable ? 1U : 0U) << c.name;
    }
}

// Each item selects the type its caption and name give; S comes before R,
// and one separator parts the eight from C and A.
TEST(Menus, TypeItemsNameTheirTypesEachOnce) {
    std::set<engine::TypTermopary> types;
    for (const MenuItem& item : kTypeMenu) {
        if (&item == &kTypeMenu[8]) {
            EXPECT_EQ(item.command, Command::Separator);
            continue;
        }
        ASSERT_EQ(item.command, Command::SelectType);
        EXPECT_TRUE(types.insert(item.typ).second) << item.name;
        EXPECT_EQ(item.name.back(), litera(item.typ)) << item.name;
        EXPECT_EQ(item.caption.back(), litera(item.typ)) << item.name;
    }
    EXPECT_EQ(types.size(), engine::kLiczbaTypow);
    EXPECT_EQ(std::string(1, kTypeMenu[6].name.back()) + kTypeMenu[7].name.back(), "SR");
    EXPECT_EQ(std::string(1, kTypeMenu[9].name.back()) + kTypeMenu[10].name.back(), "CA");
}

TEST(Selection, ShowsWholeTextsAndResetsEveryBox) {
    for (std::size_t m = 0; m < kTypeMenu.size(); ++m) {
        if (kTypeMenu[m].command != Command::SelectType) continue;
        const engine::TypTermopary typ = kTypeMenu[m].typ;
        const Selection s = selection(typ);
        for (std::size_t i = 0; i < s.marks.size(); ++i) EXPECT_EQ(s.marks[i], i == m);
        // No field may cut a catalogue text.
        const engine::Opis& opis = engine::kTypy[indeks(typ)];
        EXPECT_EQ(s.texts[0].text, opis.nazwa);
        EXPECT_EQ(s.texts[1].text, opis.sklad);
        EXPECT_EQ(s.texts[2].text, opis.symbol);
        EXPECT_EQ(s.texts[3].text, opis.zakres);
        std::set<Id> written;
        for (const Assignment& a : s.texts) {
            EXPECT_TRUE(written.insert(a.control).second) << control(a.control).name;
            if (control(a.control).kind == Kind::Edit) {
                EXPECT_EQ(a.text, control(a.control).accessibleName == kZimneZlacze ? "0" : "")
                    << control(a.control).name;
            }
        }
        EXPECT_EQ(written.size(), 4 + kBoxes.size());
        for (const Id id : s.explanationsCleared) EXPECT_TRUE(control(id).readOnly);
    }
}

// Every catalogue text fits its field; type E's alloy fills it exactly.
TEST(Selection, CatalogueTextsFitTheirFields) {
    EXPECT_EQ(kDlugoscNazwy, 25U);
    EXPECT_EQ(kDlugoscSkladu, 53U);
    EXPECT_EQ(kDlugoscSymbolu, 25U);
    EXPECT_EQ(kDlugoscZakresu, 45U);
    for (const engine::Opis& opis : engine::kTypy) {
        for (const InfoRow& row : kInfoRows) {
            EXPECT_EQ(infoText(opis.*row.text, row.length), opis.*row.text) << opis.nazwa;
        }
    }
    EXPECT_EQ(field(engine::kTypy[3].sklad, kDlugoscSkladu).size(), engine::kTypy[3].sklad.size());
}

// Fields count characters, not bytes: "ż" is one character in two bytes.
TEST(Selection, FieldsCountCharacters) {
    EXPECT_EQ(field("Żelazo", 8), "Żelazo  ");
    EXPECT_EQ(field("żółw", 2), "żó");
    EXPECT_EQ(infoText("żółw", 3), "żół");
    EXPECT_EQ(infoText("  a b  ", 7), "a b");
    EXPECT_EQ(field(engine::kTypy[3].sklad, kDlugoscSkladu), engine::kTypy[3].sklad);
}

}  // namespace
