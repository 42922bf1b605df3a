// A seeded random walk through the real main window: type changes through the
// menu, keystrokes into every box, clicks of the three "Wylicz" buttons and of
// Enter or Escape. Message boxes are answered as soon as they show. After every
// action the window's state is checked against invariants that hold whatever
// the input; on a failure the seed, the action number and the recent actions
// are printed, so the walk can be replayed.
//
//   soak_test [--actions N] [--seed S] [--rss]
//   (or KALVETRA_SOAK_ACTIONS, KALVETRA_SOAK_SEED)
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <fstream>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "form1.h"
#include "katalog.h"
#include "termopara.h"

namespace {

// ---------------------------------------------------------------- messages

struct Message {
    QString title;
    QString text;
};

// Answers every message box the moment it is shown, through its OK button,
// and records it.
class MessageAnswerer final : public QObject {
  public:
    std::vector<Message> seen;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Show) return false;
        auto* box = qobject_cast<QMessageBox*>(watched);
        if (box == nullptr) return false;
        seen.push_back({box->windowTitle(), box->text()});
        // Queued, so that it runs once the box's own event loop has started;
        // by name, as the functor overloads make the static analyser see a
        // leak inside Qt's headers.
        QAbstractButton* ok = box->button(QMessageBox::Ok);
        const bool queued = ok != nullptr
                                ? QMetaObject::invokeMethod(ok, "click", Qt::QueuedConnection)
                                : QMetaObject::invokeMethod(box, "reject", Qt::QueuedConnection);
        if (!queued) {
            // The walk would wait in the box's event loop for ever.
            std::fprintf(stderr, "SOAK FAILURE: cannot answer the message box\n");
            std::abort();
        }
        return false;
    }
};

// ---------------------------------------------------------------- physics

// Temperatures (°C) whose EMF spans each type's accepted EMF range, and that
// range (mV), in catalogue order J K T E N B R S. Inside these the reference
// function rises monotonically, so its inverse is unique.
struct Domain {
    double tLow, tHigh;
    double mvLow, mvHigh;
};
constexpr std::array<Domain, 8> kInverseDomain{{
    {-210, 1200, -8.095, 69.553},
    {-200, 1372, -5.891, 54.886},
    {-200, 400, -5.603, 20.872},
    {-200, 1000, -8.825, 76.373},
    {-200, 1300, -3.990, 47.513},
    {250, 1820, 0.291, 13.820},
    {-50, 1768.1, -0.226, 21.103},
    {-50, 1768.1, -0.235, 18.693},
}};

// Accepted temperatures of the temperature-to-EMF panel, used only to aim the
// random inputs at the edges.
constexpr std::array<std::array<double, 2>, 8> kTemperatureEdges{{
    {-210, 1200},
    {-270, 1372},
    {-270, 400},
    {-200, 1000},
    {-270, 1300},
    {0, 1820},
    {-50, 1768},
    {-50, 1768},
}};

// Edges of the tolerance classes and their crossovers, to aim at.
constexpr std::array<double, 22> kClassEdges{-200, -167, -67,  -41,  -40,  0,   40,  41,
                                             125,  133,  333,  350,  375,  600, 750, 800,
                                             900,  1000, 1100, 1200, 1600, 1700};

// The temperature whose reference EMF is `uv`, found by bisection on the
// reference function itself, independently of the inverse polynomials.
double solveTemperature(std::int16_t typ, double uv) {
    Termopara t;
    t.Typ = typ;
    const Domain& d = kInverseDomain.at(static_cast<std::size_t>(typ));
    // A degree of margin: the reference function is monotonic there too.
    double lo = d.tLow - 1;
    double hi = d.tHigh + 1;
    for (int i = 0; i < 80; ++i) {
        const double mid = 0.5 * (lo + hi);
        if (t.Temperatura(mid) < uv) {
            lo = mid;
        } else {
            hi = mid;
        }
    }
    return 0.5 * (lo + hi);
}

// ---------------------------------------------------------------- inputs

enum class Reading : std::uint8_t {
    Number,      // a plain Polish number: must be read, as `value`
    NotANumber,  // must be refused
    Either,      // exponents, signs, spaces, inf, overlong: may go either way,
                 // but if read, then as `value`
};

struct Input {
    QString keys;  // as typed, full stops included
    Reading reading = Reading::Either;
    std::optional<double> value;
    const char* kind = "";
};

// What a box should hold after `keys` were typed into it.
QString afterDecimalFilter(QString keys) {
    return keys.replace(u'.', u',');
}

double decimalValue(const std::string& text) {
    std::string c = text;
    for (char& ch : c) {
        if (ch == ',') ch = '.';
    }
    return std::strtod(c.c_str(), nullptr);
}

// What the walk knows about the text of a box.
struct Known {
    QString text;
    Reading reading = Reading::Either;
    std::optional<double> value;
};

Known knownFromText(const QString& text) {
    if (text.isEmpty()) return {text, Reading::NotANumber, std::nullopt};
    if (text == u"0") return {text, Reading::Number, 0.0};
    return {text, Reading::Either, std::nullopt};
}

enum class Role : std::uint8_t { ClassTemperature, Temperature, Emf, ColdJunction, Output };

class InputMaker {
  public:
    explicit InputMaker(std::mt19937_64& rng) : rng_(rng) {}

    Input make(Role role, std::int16_t typ) {
        const int pick = uniform(0, 99);
        if (pick < 55) return number(role, typ);
        if (pick < 80) return notANumber();
        return either();
    }

  private:
    int uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    double real(double lo, double hi) {
        return std::uniform_real_distribution<double>(lo, hi)(rng_);
    }
    bool coin() { return uniform(0, 1) == 1; }

    // The typed form of n / 10^decimals, with a full stop or a comma.
    Input fixed(std::int64_t n, int decimals, const char* kind) {
        std::string digits = std::to_string(n < 0 ? -n : n);
        if (decimals > 0) {
            const auto d = static_cast<std::size_t>(decimals);
            if (digits.size() <= d) digits.insert(0, d + 1 - digits.size(), '0');
            digits.insert(digits.size() - d, 1, coin() ? '.' : ',');
        }
        if (n < 0) digits.insert(0, 1, '-');
        return {QString::fromStdString(digits), Reading::Number, decimalValue(digits), kind};
    }

    Input near(double x, int decimals, const char* kind) {
        const double scaled = std::round(x * std::pow(10.0, decimals));
        return fixed(static_cast<std::int64_t>(scaled), decimals, kind);
    }

    Input number(Role role, std::int16_t typ) {
        const auto t = static_cast<std::size_t>(typ);
        double lo = 0;
        double hi = 0;
        double step = 1;
        int decimals = 0;
        std::vector<double> edges;
        switch (role) {
            case Role::ClassTemperature:
                lo = -250;
                hi = 1800;
                edges.assign(kClassEdges.begin(), kClassEdges.end());
                step = coin() ? 1 : 0.1;
                decimals = uniform(0, 2);
                break;
            case Role::Temperature:
            case Role::Output:
                lo = kTemperatureEdges.at(t)[0];
                hi = kTemperatureEdges.at(t)[1];
                edges = {lo, hi, kInverseDomain.at(t).tLow, kInverseDomain.at(t).tHigh};
                step = coin() ? 1 : 0.01;
                decimals = uniform(0, 3);
                break;
            case Role::Emf:
                lo = kInverseDomain.at(t).mvLow;
                hi = kInverseDomain.at(t).mvHigh;
                edges = {lo, hi};
                step = 0.001;
                decimals = uniform(0, 4);
                break;
            case Role::ColdJunction:
                lo = -30;
                hi = 80;
                edges = {lo, hi};
                step = coin() ? 1 : 0.1;
                decimals = uniform(0, 2);
                break;
        }
        const int how = uniform(0, 9);
        if (how < 5) {
            const double span = hi - lo;
            return near(real(lo - 0.1 * span, hi + 0.1 * span), decimals, "number");
        }
        const double edge =
            edges.at(static_cast<std::size_t>(uniform(0, static_cast<int>(edges.size()) - 1)));
        // Enough decimals to write the step exactly.
        const int stepDecimals = step >= 1 ? 0 : step >= 0.1 ? 1 : step >= 0.01 ? 2 : 3;
        const int d = std::max(stepDecimals, role == Role::Emf ? 3 : 0);
        if (how < 7) return near(edge, d + uniform(0, 1), "limit");
        if (how < 9) return near(edge + (coin() ? step : -step), d, "beyond limit");
        return near(real(-1, 1), uniform(0, 3), "near zero");
    }

    Input notANumber() {
        static const std::array<const char*, 21> kJunk{
            "",  "abc", "x", "temp", "12a", "a12", "1,2,3", "1..2", "--5", "+-1",   "-",
            "+", ",",   ".", "e",    "1e",  "e5",  "1-2",   "5%",   "#",   "1 2 3x"};
        const int pick = uniform(0, static_cast<int>(kJunk.size()));
        if (pick == static_cast<int>(kJunk.size())) {
            // A long run of letters and digits that is no number.
            QString s;
            const int n = uniform(100, 600);
            for (int i = 0; i < n; ++i)
                s += QChar(static_cast<char16_t>(i % 7 == 3 ? 'q' : '1' + i % 9));
            return {s, Reading::NotANumber, std::nullopt, "long junk"};
        }
        return {QString::fromLatin1(kJunk.at(static_cast<std::size_t>(pick))), Reading::NotANumber,
                std::nullopt, "junk"};
    }

    Input either() {
        struct Fixed {
            const char* keys;
            double value;
        };
        static const std::array<Fixed, 20> kEither{{
            {"1e3", 1e3},
            {"2,5E-1", 0.25},
            {"-1e-5", -1e-5},
            {"1e400", HUGE_VAL},
            {"-1e400", -HUGE_VAL},
            {"1e-400", 0.0},
            {"+12,5", 12.5},
            {"+0", 0.0},
            {" 12", 12},
            {"12 ", 12},
            {"0012,50", 12.5},
            {"12,", 12},
            {",5", 0.5},
            {"1 000", 1000},
            {"inf", HUGE_VAL},
            {"-inf", -HUGE_VAL},
            {"Infinity", HUGE_VAL},
            {"nan", NAN},
            {"NaN", NAN},
            {"-0,0", 0.0},
        }};
        const int pick = uniform(0, static_cast<int>(kEither.size()) + 1);
        if (pick == static_cast<int>(kEither.size())) {
            // Overlong digit strings: huge, beyond a double, or a tiny fraction.
            std::string s;
            const int n = uniform(20, 400);
            if (coin()) {
                s = "1";
                s.append(static_cast<std::size_t>(n), '0');
            } else {
                s = "0.";
                s.append(static_cast<std::size_t>(n), '0');
                s += "1";
            }
            return {QString::fromStdString(s), Reading::Either, decimalValue(s), "long number"};
        }
        if (pick > static_cast<int>(kEither.size())) {
            // An exponent on a number in a useful range.
            const int mantissa = uniform(-999, 999);
            const int exponent = uniform(-3, 1);
            const std::string s =
                std::to_string(mantissa) + (coin() ? "e" : "E") + std::to_string(exponent);
            return {QString::fromStdString(s), Reading::Either, decimalValue(s), "exponent"};
        }
        const Fixed& f = kEither.at(static_cast<std::size_t>(pick));
        return {QString::fromLatin1(f.keys), Reading::Either, f.value, "either"};
    }

    std::mt19937_64& rng_;
};

// ---------------------------------------------------------------- patterns

const QRegularExpression kEmfPattern(QStringLiteral(R"(^-?\d+,\d{4}$)"));
const QRegularExpression kTemperaturePattern(QStringLiteral(R"(^-?\d+,\d{2}$)"));
const QRegularExpression kDeviationPattern(QStringLiteral(R"(^(\d+,\d)( °C|°C)$)"));
const QString kNotApplicable = QStringLiteral("N/A");

bool negativeZero(const QString& s) {
    return s.startsWith(u'-') && !s.contains(QRegularExpression(QStringLiteral("[1-9]")));
}

// A class box: "N/A", or a deviation from 0,5 to 9,0 with its unit suffix.
std::optional<double> deviationOf(const QString& s) {
    const QRegularExpressionMatch m = kDeviationPattern.match(s);
    if (!m.hasMatch()) return std::nullopt;
    const double v = decimalValue(m.captured(1).toStdString());
    if (v < 0.5 || v > 9.0) return std::nullopt;
    return v;
}

bool classBoxValid(const QString& s) {
    return s == kNotApplicable || deviationOf(s).has_value();
}

double readNumber(const QString& s) {
    return decimalValue(s.toStdString());
}

long statusKb(const char* key) {
    std::ifstream in("/proc/self/status");
    std::string line;
    const std::size_t n = std::strlen(key);
    while (std::getline(in, line)) {
        if (line.compare(0, n, key) == 0 && line.size() > n && line[n] == ':') {
            return std::strtol(line.c_str() + n + 1, nullptr, 10);
        }
    }
    return -1;
}

// ---------------------------------------------------------------- the walk

struct Counters {
    std::array<long, 3> accepted{};
    std::array<long, 3> refused{};
    long roundTripsEmf = 0;
    long roundTripsTemperature = 0;
    double worstEmfRoundTrip = 0;
    double worstTemperatureRoundTrip = 0;
    long typeChanges = 0;
    long typings = 0;
    long enterKeys = 0;
    std::map<QString, long> messages;
};

class Walk {
  public:
    Walk(Form1& form, MessageAnswerer& answerer, std::uint64_t seed)
        : form_(form), answerer_(answerer), seed_(seed), rng_(seed), maker_(rng_) {
        boxes_ = {form.Text1[0], form.Text1[1], form.Text1[2], form.Text1[3], form.Text2[0],
                  form.Text2[1], form.Text2[2], form.Text3[0], form.Text3[1], form.Text3[2]};
        names_ = {"Text1(0)", "Text1(1)", "Text1(2)", "Text1(3)", "Text2(0)",
                  "Text2(1)", "Text2(2)", "Text3(0)", "Text3(1)", "Text3(2)"};
        roles_ = {Role::ClassTemperature, Role::Output, Role::Output, Role::Output,
                  Role::Temperature,      Role::Output, Role::Output, Role::Emf,
                  Role::ColdJunction,     Role::Output};
        types_ = {form.mnuTypJ, form.mnuTypK, form.mnuTypT, form.mnuTypE,
                  form.mnuTypN, form.mnuTypB, form.mnuTypS, form.mnuTypR};
        for (std::size_t i = 0; i < boxes_.size(); ++i)
            known_.at(i) = knownFromText(boxes_.at(i)->text());
    }

    // Runs `actions` actions; false on the first broken invariant.
    bool run(long actions, bool reportRss) {
        clock_.start();
        for (action_ = 1; action_ <= actions; ++action_) {
            step();
            if (failed_) return false;
            checkState();
            if (failed_) return false;
            if (reportRss &&
                (action_ == 1000 || action_ % (actions / 10 > 0 ? actions / 10 : 1) == 0)) {
                std::printf("rss_kb after %ld actions: %ld (%.1f s)\n", action_, statusKb("VmRSS"),
                            static_cast<double>(clock_.elapsed()) / 1000.0);
                std::fflush(stdout);
            }
        }
        return true;
    }

    [[nodiscard]] const Counters& counters() const { return counters_; }

  private:
    int uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }

    void log(const QString& what) {
        history_.push_back(
            QStringLiteral("#%1 [typ %2] %3").arg(action_).arg(form_.Typ()).arg(what));
        if (history_.size() > 40) history_.pop_front();
    }

    void fail(const QString& why) {
        if (failed_) return;
        failed_ = true;
        std::fprintf(stderr, "SOAK FAILURE at action %ld (seed %llu): %s\n", action_,
                     static_cast<unsigned long long>(seed_), why.toUtf8().constData());
        std::fprintf(stderr, "Recent actions:\n");
        for (const QString& h : history_) std::fprintf(stderr, "  %s\n", h.toUtf8().constData());
        std::fprintf(stderr, "Boxes:\n");
        for (std::size_t i = 0; i < boxes_.size(); ++i) {
            std::fprintf(stderr, "  %s = \"%s\"\n", names_.at(i),
                         boxes_.at(i)->text().left(80).toUtf8().constData());
        }
    }

    QStringList texts() const {
        QStringList out;
        for (QLineEdit* b : boxes_) out << b->text();
        return out;
    }

    std::vector<Message> takeMessages() {
        std::vector<Message> m;
        m.swap(answerer_.seen);
        for (const Message& x : m) {
            ++counters_.messages[x.text];
            if (x.title != u"Wexa") fail(QStringLiteral("message box titled \"%1\"").arg(x.title));
            if (x.text.isEmpty()) fail(QStringLiteral("message box without text"));
        }
        return m;
    }

    void step() {
        const int pick = uniform(0, 99);
        if (pick < 6) {
            changeType();
        } else if (pick < 52) {
            typeIntoBox();
        } else if (pick < 96) {
            click(uniform(0, 2));
        } else {
            pressEnterOrEscape();
        }
    }

    // ---- type selection

    void changeType() {
        QAction* item = types_.at(static_cast<std::size_t>(uniform(0, 7)));
        log(QStringLiteral("choose \"%1\"").arg(item->text()));
        item->trigger();
        ++counters_.typeChanges;
        if (!takeMessages().empty()) fail(QStringLiteral("a type change showed a message"));
        int checked = 0;
        for (QAction* a : types_) checked += a->isChecked() ? 1 : 0;
        if (checked != 1 || !item->isChecked()) {
            fail(QStringLiteral("%1 items checked after choosing \"%2\"")
                     .arg(checked)
                     .arg(item->text()));
        }
        const auto typ = static_cast<std::size_t>(form_.Typ());
        if (typ >= katalog::kLiczbaTypow ||
            QString::fromUtf8(katalog::kTypy.at(typ).nazwa.data(),
                              static_cast<qsizetype>(katalog::kTypy.at(typ).nazwa.size())) !=
                item->text()) {
            fail(
                QStringLiteral("\"%1\" selected type index %2").arg(item->text()).arg(form_.Typ()));
        }
        // No result of the previous type may survive the change.
        for (const std::size_t out : {1U, 2U, 3U, 6U, 9U}) {
            if (!boxes_.at(out)->text().isEmpty()) {
                fail(QStringLiteral("%1 kept \"%2\" across a type change")
                         .arg(names_.at(out), boxes_.at(out)->text()));
            }
        }
        for (std::size_t i = 0; i < boxes_.size(); ++i)
            known_.at(i) = knownFromText(boxes_.at(i)->text());
    }

    // ---- typing

    std::size_t pickBox() {
        // Mostly the four editable boxes; the read-only ones now and then.
        static const std::array<std::size_t, 10> kWeights{18, 3, 3, 3, 18, 4, 4, 18, 18, 4};
        int total = 0;
        for (const std::size_t w : kWeights) total += static_cast<int>(w);
        int r = uniform(0, total - 1);
        for (std::size_t i = 0; i < kWeights.size(); ++i) {
            r -= static_cast<int>(kWeights.at(i));
            if (r < 0) return i;
        }
        return 0;
    }

    void typeIntoBox() {
        const std::size_t i = pickBox();
        QLineEdit* box = boxes_.at(i);
        const Input in = maker_.make(roles_.at(i), form_.Typ());
        const bool append = uniform(0, 9) == 0 && !box->text().isEmpty();
        log(QStringLiteral("%1 \"%2\" into %3 (%4)")
                .arg(append ? QStringLiteral("append") : QStringLiteral("type"))
                .arg(in.keys.left(60), QLatin1String(names_.at(i)), QLatin1String(in.kind)));
        const QString before = box->text();

        QTest::mouseClick(box, Qt::LeftButton);
        if (append) {
            QTest::keyClick(box, Qt::Key_End);
        } else {
            QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
            if (in.keys.isEmpty()) QTest::keyClick(box, Qt::Key_Delete);
        }
        QTest::keyClicks(box, in.keys);
        ++counters_.typings;

        if (!takeMessages().empty()) fail(QStringLiteral("typing showed a message"));
        const QString expected = box->isReadOnly()
                                     ? before
                                     : (append ? before : QString()) + afterDecimalFilter(in.keys);
        if (box->text() != expected) {
            fail(QStringLiteral("%1 holds \"%2\" after typing, expected \"%3\"")
                     .arg(QLatin1String(names_.at(i)), box->text().left(80), expected.left(80)));
        }
        if (append) {
            known_.at(i) = {box->text(), Reading::Either, std::nullopt};
        } else if (!box->isReadOnly()) {
            known_.at(i) = {box->text(), in.reading, in.value};
        }
    }

    // Enter or Escape in a box starts nothing.
    void pressEnterOrEscape() {
        const std::size_t i = pickBox();
        static const std::array<Qt::Key, 3> kKeys{Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape};
        const Qt::Key key = kKeys.at(static_cast<std::size_t>(uniform(0, 2)));
        log(QStringLiteral("key %1 in %2")
                .arg(static_cast<int>(key), 0, 16)
                .arg(QLatin1String(names_.at(i))));
        const QStringList before = texts();
        QTest::keyClick(boxes_.at(i), key);
        ++counters_.enterKeys;
        if (!takeMessages().empty()) fail(QStringLiteral("Enter or Escape showed a message"));
        if (texts() != before) fail(QStringLiteral("Enter or Escape changed a box"));
    }

    // ---- clicks

    Known current(std::size_t i) {
        // Anything the walk did not type itself (a reset, say) is judged by its text.
        if (known_.at(i).text != boxes_.at(i)->text())
            known_.at(i) = knownFromText(boxes_.at(i)->text());
        return known_.at(i);
    }

    void click(int panel) {
        static const std::array<const char*, 3> kNames{"Command1", "Command2", "Command3"};
        QPushButton* button =
            std::array<QPushButton*, 3>{form_.Command1, form_.Command2, form_.Command3}.at(
                static_cast<std::size_t>(panel));
        log(QStringLiteral("click %1")
                .arg(QLatin1String(kNames.at(static_cast<std::size_t>(panel)))));
        const QStringList before = texts();
        QTest::mouseClick(button, Qt::LeftButton);
        const std::vector<Message> messages = takeMessages();
        if (failed_) return;
        if (QApplication::activeModalWidget() != nullptr) {
            fail(QStringLiteral("a modal window is still open after the click"));
            return;
        }
        const QStringList after = texts();

        // Each button writes only its own panel's outputs.
        static const std::array<std::vector<std::size_t>, 3> kOutputs{{{1, 2, 3}, {6}, {9}}};
        const std::vector<std::size_t>& outputs = kOutputs.at(static_cast<std::size_t>(panel));
        for (std::size_t i = 0; i < boxes_.size(); ++i) {
            if (std::find(outputs.begin(), outputs.end(), i) != outputs.end()) continue;
            if (after.at(static_cast<qsizetype>(i)) != before.at(static_cast<qsizetype>(i))) {
                fail(QStringLiteral("%1 changed %2 from \"%3\" to \"%4\"")
                         .arg(QLatin1String(kNames.at(static_cast<std::size_t>(panel))),
                              QLatin1String(names_.at(i)), before.at(static_cast<qsizetype>(i)),
                              after.at(static_cast<qsizetype>(i))));
            }
        }
        if (failed_) return;
        switch (panel) {
            case 0:
                checkClasses(before, after, messages);
                break;
            case 1:
                checkEmf(before, after, messages);
                break;
            default:
                checkTemperature(before, after, messages);
                break;
        }
    }

    // Either the input was refused (one message, all three class boxes as
    // they were), or each class box holds "N/A" or a deviation, with at most
    // one message per "N/A" (a class out of its range; a class the type does
    // not classify is silent). A tighter class never allows more deviation.
    void checkClasses(const QStringList& before, const QStringList& after,
                      const std::vector<Message>& messages) {
        const Known input = current(0);
        const std::size_t n = messages.size();
        bool unchanged = true;
        bool allValid = true;
        int notApplicable = 0;
        for (const qsizetype i : {1, 2, 3}) {
            unchanged = unchanged && after.at(i) == before.at(i);
            allValid = allValid && classBoxValid(after.at(i));
            notApplicable += after.at(i) == kNotApplicable ? 1 : 0;
        }
        const bool refused = unchanged && n == 1;
        const bool answered = allValid && static_cast<int>(n) <= notApplicable;
        if (!refused && !answered) {
            fail(QStringLiteral("classes: %1 message(s) and boxes \"%2\" \"%3\" \"%4\"")
                     .arg(n)
                     .arg(after.at(1), after.at(2), after.at(3)));
            return;
        }
        if (input.reading == Reading::NotANumber && !refused) {
            fail(QStringLiteral("classes: \"%1\" was read as a number").arg(input.text.left(60)));
            return;
        }
        if (input.reading == Reading::Number && !answered) {
            fail(QStringLiteral("classes: the number \"%1\" was refused").arg(input.text));
            return;
        }
        std::optional<double> previous;
        for (const qsizetype i : {1, 2, 3}) {
            const std::optional<double> d = deviationOf(after.at(i));
            if (!d) continue;
            if (previous && *d < *previous) {
                fail(QStringLiteral("classes: class %1 allows less (%2) than a tighter class")
                         .arg(i)
                         .arg(after.at(i)));
                return;
            }
            previous = d;
        }
        const bool wasRefused = input.reading == Reading::NotANumber || (refused && !answered);
        ++(wasRefused ? counters_.refused : counters_.accepted).at(0);
    }

    // Either a message and the EMF box as it was, or no message and an EMF of
    // its pattern that converts back to the typed temperature.
    void checkEmf(const QStringList& before, const QStringList& after,
                  const std::vector<Message>& messages) {
        const Known input = current(4);
        const QString& out = after.at(6);
        const std::size_t n = messages.size();
        if (n > 1) {
            fail(QStringLiteral("temperature to EMF showed %1 messages").arg(n));
            return;
        }
        if (n == 1) {
            if (out != before.at(6))
                fail(QStringLiteral("EMF box changed to \"%1\" along with a message").arg(out));
            const auto typ = static_cast<std::size_t>(form_.Typ());
            // Inside the inverse domain, as far as it lies within the accepted temperatures.
            if (input.reading == Reading::Number && input.value &&
                *input.value >= kInverseDomain.at(typ).tLow &&
                *input.value <=
                    std::min(kInverseDomain.at(typ).tHigh, kTemperatureEdges.at(typ)[1])) {
                fail(QStringLiteral("temperature %1 was refused").arg(input.text));
            }
            ++counters_.refused.at(1);
            return;
        }
        if (!kEmfPattern.match(out).hasMatch() || negativeZero(out)) {
            fail(QStringLiteral("EMF box holds \"%1\"").arg(out));
            return;
        }
        if (input.reading == Reading::NotANumber) {
            fail(QStringLiteral("\"%1\" was read as a temperature").arg(input.text.left(60)));
            return;
        }
        ++counters_.accepted.at(1);
        if (!input.value || !std::isfinite(*input.value)) return;
        const std::int16_t typ = form_.Typ();
        const Domain& d = kInverseDomain.at(static_cast<std::size_t>(typ));
        const double mv = readNumber(out);
        if (mv < d.mvLow || mv > d.mvHigh) return;
        Termopara t;
        t.Typ = typ;
        const double back = t.EMF(mv * 1000.0);
        const double error = std::fabs(back - *input.value);
        counters_.worstEmfRoundTrip = std::max(counters_.worstEmfRoundTrip, error);
        ++counters_.roundTripsEmf;
        if (!(error <= 0.1)) {
            fail(QStringLiteral("%1 °C gave %2 mV, which converts back to %3 °C")
                     .arg(*input.value, 0, 'g', 17)
                     .arg(out)
                     .arg(back, 0, 'g', 17));
        }
    }

    // Either a message and the temperature box as it was, or no message and a
    // temperature of its pattern whose reference EMF, less the cold junction's,
    // is the typed EMF.
    void checkTemperature(const QStringList& before, const QStringList& after,
                          const std::vector<Message>& messages) {
        const Known emf = current(7);
        const Known cold = current(8);
        const QString& out = after.at(9);
        const std::size_t n = messages.size();
        const auto typ = static_cast<std::size_t>(form_.Typ());
        const Domain& d = kInverseDomain.at(typ);
        if (n > 1) {
            fail(QStringLiteral("EMF to temperature showed %1 messages").arg(n));
            return;
        }
        if (n == 1) {
            if (out != before.at(9))
                fail(QStringLiteral("temperature box changed to \"%1\" along with a message")
                         .arg(out));
            // An ordinary reading: an EMF in the type's range, a room-temperature cold junction.
            if (emf.reading == Reading::Number && cold.reading == Reading::Number && emf.value &&
                cold.value && *emf.value >= d.mvLow && *emf.value <= d.mvHigh && *cold.value >= 0 &&
                *cold.value <= 40) {
                fail(QStringLiteral("EMF %1 with cold junction %2 was refused")
                         .arg(emf.text, cold.text));
            }
            ++counters_.refused.at(2);
            return;
        }
        if (!kTemperaturePattern.match(out).hasMatch() || negativeZero(out)) {
            fail(QStringLiteral("temperature box holds \"%1\"").arg(out));
            return;
        }
        if (emf.reading == Reading::NotANumber || cold.reading == Reading::NotANumber) {
            fail(QStringLiteral("\"%1\" / \"%2\" was read as numbers")
                     .arg(emf.text.left(60), cold.text.left(60)));
            return;
        }
        ++counters_.accepted.at(2);
        if (!emf.value || !cold.value || !std::isfinite(*emf.value) || !std::isfinite(*cold.value))
            return;
        // Type B's reference function begins at 0 °C.
        if (typ == 5 && *cold.value < 0) return;
        Termopara t;
        t.Typ = form_.Typ();
        const double total = *emf.value * 1000.0 + t.Temperatura(*cold.value);
        if (total < d.mvLow * 1000.0 || total > d.mvHigh * 1000.0) return;
        const double expected = solveTemperature(form_.Typ(), total);
        const double error = std::fabs(readNumber(out) - expected);
        counters_.worstTemperatureRoundTrip = std::max(counters_.worstTemperatureRoundTrip, error);
        ++counters_.roundTripsTemperature;
        if (!(error <= 0.1)) {
            fail(QStringLiteral("EMF %1 mV with cold junction %2 °C gave %3 °C; the reference "
                                "function puts it at %4 °C")
                     .arg(emf.text, cold.text, out)
                     .arg(expected, 0, 'f', 4));
        }
    }

    // Between actions: no window left open, every result box empty or of its
    // pattern, the shown cold junction of the EMF panel fixed at "0".
    void checkState() {
        if (QApplication::activeModalWidget() != nullptr)
            fail(QStringLiteral("a modal window stayed open"));
        if (!form_.isVisible()) fail(QStringLiteral("the window closed"));
        for (const std::size_t i : {1U, 2U, 3U}) {
            const QString s = boxes_.at(i)->text();
            if (!s.isEmpty() && !classBoxValid(s))
                fail(QStringLiteral("%1 holds \"%2\"").arg(QLatin1String(names_.at(i)), s));
        }
        const QString emf = boxes_.at(6)->text();
        if (!emf.isEmpty() && !kEmfPattern.match(emf).hasMatch())
            fail(QStringLiteral("Text2(2) holds \"%1\"").arg(emf));
        const QString temperature = boxes_.at(9)->text();
        if (!temperature.isEmpty() && !kTemperaturePattern.match(temperature).hasMatch()) {
            fail(QStringLiteral("Text3(2) holds \"%1\"").arg(temperature));
        }
        if (boxes_.at(5)->text() != u"0")
            fail(QStringLiteral("Text2(1) holds \"%1\"").arg(boxes_.at(5)->text()));
    }

    Form1& form_;
    MessageAnswerer& answerer_;
    std::uint64_t seed_;
    std::mt19937_64 rng_;
    InputMaker maker_;
    std::array<QLineEdit*, 10> boxes_{};
    std::array<const char*, 10> names_{};
    std::array<Role, 10> roles_{};
    std::array<Known, 10> known_{};
    std::array<QAction*, 8> types_{};
    Counters counters_;
    std::deque<QString> history_;
    long action_ = 0;
    bool failed_ = false;
    QElapsedTimer clock_;
};

QtMessageHandler previousHandler = nullptr;

// The offscreen platform warns on every message box it shows.
void quietOffscreen(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (text == u"This plugin does not support propagateSizeHints()") return;
    if (previousHandler != nullptr) {
        previousHandler(type, context, text);
    } else {
        std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    }
}

long numberFrom(const char* text, const char* what) {
    char* end = nullptr;
    const long v = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || v < 0) {
        std::fprintf(stderr, "soak_test: bad %s \"%s\"\n", what, text);
        std::exit(2);
    }
    return v;
}

}  // namespace

int main(int argc, char** argv) {
    long actions = 10000;
    std::uint64_t seed = 1;
    bool reportRss = false;
    if (const char* e = std::getenv("KALVETRA_SOAK_ACTIONS"))
        actions = numberFrom(e, "action count");
    if (const char* e = std::getenv("KALVETRA_SOAK_SEED"))
        seed = static_cast<std::uint64_t>(numberFrom(e, "seed"));
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--actions" && i + 1 < argc) {
            actions = numberFrom(argv[++i], "action count");
        } else if (a == "--seed" && i + 1 < argc) {
            seed = static_cast<std::uint64_t>(numberFrom(argv[++i], "seed"));
        } else if (a == "--rss") {
            reportRss = true;
        } else {
            std::fprintf(stderr, "usage: soak_test [--actions N] [--seed S] [--rss]\n");
            return 2;
        }
    }

    previousHandler = qInstallMessageHandler(quietOffscreen);
    // No display needed, whatever the caller's environment.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    MessageAnswerer answerer;
    QApplication::instance()->installEventFilter(&answerer);

    Form1 form;
    form.show();
    if (!QTest::qWaitForWindowExposed(&form)) {
        std::fprintf(stderr, "soak_test: the window was not exposed\n");
        return 1;
    }

    Walk walk(form, answerer, seed);
    const bool ok = walk.run(actions, reportRss);
    const Counters& c = walk.counters();
    std::printf("soak: %ld actions, seed %llu: %ld type changes, %ld typings, %ld Enter/Escape\n",
                actions, static_cast<unsigned long long>(seed), c.typeChanges, c.typings,
                c.enterKeys);
    for (std::size_t p = 0; p < 3; ++p) {
        std::printf("  Command%zu: %ld answered, %ld refused\n", p + 1, c.accepted.at(p),
                    c.refused.at(p));
    }
    std::printf(
        "  round trips T->EMF->T: %ld (worst %.4f °C), EMF->T vs reference function: %ld (worst "
        "%.4f °C)\n",
        c.roundTripsEmf, c.worstEmfRoundTrip, c.roundTripsTemperature, c.worstTemperatureRoundTrip);
    for (const auto& [text, count] : c.messages) {
        std::printf("  message x%ld: %s\n", count, text.toUtf8().constData());
    }
    if (!ok) return 1;

    // A walk long enough to mean something must have reached every outcome.
    if (actions >= 2000) {
        const bool covered = c.accepted.at(0) > 0 && c.accepted.at(1) > 0 && c.accepted.at(2) > 0 &&
                             c.refused.at(0) > 0 && c.refused.at(1) > 0 && c.refused.at(2) > 0 &&
                             c.roundTripsEmf > 0 && c.roundTripsTemperature > 0 &&
                             c.typeChanges > 0;
        if (!covered) {
            std::fprintf(stderr,
                         "SOAK FAILURE: the walk missed some outcome (see the counts above)\n");
            return 1;
        }
    }
    std::printf("soak: all invariants held\n");
    return 0;
}
