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
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "form1.h"
#include "inputs.h"
#include "invariants.h"
#include "katalog.h"
#include "utf8.h"

namespace {

using namespace soak;

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

class Walk {
  public:
    Walk(Form1& form, MessageAnswerer& answerer, std::uint64_t seed)
        : form_(form), answerer_(answerer), seed_(seed), rng_(seed), maker_(rng_) {
        names_ = {"Text1(0)", "Text1(1)", "Text1(2)", "Text1(3)", "Text2(0)",
                  "Text2(1)", "Text2(2)", "Text3(0)", "Text3(1)", "Text3(2)"};
        for (std::size_t i = 0; i < boxes_.size(); ++i) {
            boxes_.at(i) = named<QLineEdit>(objectName(names_.at(i)));
        }
        roles_ = {Role::ClassTemperature, Role::Output, Role::Output, Role::Output,
                  Role::Temperature,      Role::Output, Role::Output, Role::Emf,
                  Role::ColdJunction,     Role::Output};
        // In the menu's order.
        static const std::array<const char*, engine::kLiczbaTypow> kTypes{
            "mnuTypJ", "mnuTypK", "mnuTypT", "mnuTypE", "mnuTypN", "mnuTypB", "mnuTypS", "mnuTypR"};
        for (std::size_t i = 0; i < types_.size(); ++i) {
            types_.at(i) = named<QAction>(QLatin1String(kTypes.at(i)));
        }
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

    // A control or menu item of the window by its object name.
    template <typename T>
    T* named(const QString& name) const {
        T* found = form_.findChild<T*>(name);
        if (found == nullptr) {
            std::fprintf(stderr, "SOAK FAILURE: the window has no %s\n", qPrintable(name));
            std::abort();
        }
        return found;
    }
    // "Text2(0)" -> "Text2_0".
    static QString objectName(const char* handlerName) {
        return QString::fromLatin1(handlerName).replace(u'(', u'_').remove(u')');
    }

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
        if (typ >= engine::kLiczbaTypow || fromUtf8(engine::kTypy.at(typ).nazwa) != item->text()) {
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
        auto* button =
            named<QPushButton>(QLatin1String(kNames.at(static_cast<std::size_t>(panel))));
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
        const Click c{form_.Typ(), before, after, messages.size()};
        QString why;
        switch (panel) {
            case 0:
                why = checkClasses(c, current(0), counters_);
                break;
            case 1:
                why = checkEmf(c, current(4), counters_);
                break;
            default:
                why = checkTemperature(c, current(7), current(8), counters_);
                break;
        }
        if (!why.isEmpty()) fail(why);
    }

    // Between actions: no window left open, the window still there, the boxes
    // as the invariants want them.
    void checkState() {
        if (QApplication::activeModalWidget() != nullptr)
            fail(QStringLiteral("a modal window stayed open"));
        if (!form_.isVisible()) fail(QStringLiteral("the window closed"));
        if (const QString why = checkBoxes(texts()); !why.isEmpty()) fail(why);
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
    std::array<QAction*, engine::kLiczbaTypow> types_{};
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
