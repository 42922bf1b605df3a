// Latency of one "Wylicz" click through the real widgets of the main window:
// a mouse press and release on the button, up to the result written into its
// output box. Inputs are valid, so no message box opens.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <functional>

#include "form1.h"
#include "utf8.h"

namespace {

Form1* okno = nullptr;

// A control or menu item by its object name ("Text2_0", "mnuTypJ").
template <typename T>
T* named(const char* name) {
    return okno->findChild<T*>(QLatin1String(name));
}
QLineEdit* box(const char* name) {
    return named<QLineEdit>(name);
}

// A message box would block the benchmark in its own event loop; close any
// that opens and count it, so the benchmark can report the fault.
class MessageCloser final : public QObject {
  public:
    int shown = 0;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            if (auto* box = qobject_cast<QMessageBox*>(watched)) {
                ++shown;
                // By name: the functor overloads make the static analyser see a
                // leak inside Qt's headers.
                QMetaObject::invokeMethod(box, "reject", Qt::QueuedConnection);
            }
        }
        return false;
    }
};

MessageCloser* closer = nullptr;

struct Panel {
    const char* name;
    std::function<QPushButton*()> button;
    std::function<void()> fillInputs;
    std::function<QLineEdit*()> output;
    const char* expected;
};

// Type J. 600 °C gives computed deviations in classes 1 and 2 and a silent
// "N/A" in class 3; 100 °C and 4,25 mV at 20 °C are plain mid-range values.
const Panel kPanels[] = {
    {"Command1", [] { return named<QPushButton>("Command1"); },
     [] { box("Text1_0")->setText(QStringLiteral("600")); }, [] { return box("Text1_1"); },
     "2,4°C"},
    {"Command2", [] { return named<QPushButton>("Command2"); },
     [] { box("Text2_0")->setText(QStringLiteral("100")); }, [] { return box("Text2_2"); },
     "5,2689"},
    {"Command3", [] { return named<QPushButton>("Command3"); },
     [] {
         box("Text3_0")->setText(QStringLiteral("4,25"));
         box("Text3_1")->setText(QStringLiteral("20"));
     },
     [] { return box("Text3_2"); }, "100,02"},
};

// Sets the inputs, empties the output and checks afterwards that the clicks
// really produced the expected result and no message.
template <typename Body>
void runClicks(benchmark::State& state, const Panel& p, Body body) {
    named<QAction>("mnuTypJ")->trigger();
    p.fillInputs();
    p.output()->clear();
    QPushButton* button = p.button();
    const int before = closer->shown;
    for (auto _ : state) {
        body(button);
    }
    if (closer->shown != before) {
        state.SkipWithError("a message box opened");
    } else if (p.output()->text() != fromUtf8(p.expected)) {
        state.SkipWithError(("unexpected output " + p.output()->text().toStdString()).c_str());
    }
}

// The click alone: the handler runs inside the release event.
void BM_Click(benchmark::State& state) {
    runClicks(state, kPanels[state.range(0)],
              [](QPushButton* b) { QTest::mouseClick(b, Qt::LeftButton); });
}

// The button's own click(), without mouse events: the handler's share.
void BM_ButtonClick(benchmark::State& state) {
    runClicks(state, kPanels[state.range(0)], [](QPushButton* b) { b->click(); });
}

// The click followed by the event processing it causes, repaint included.
void BM_ClickAndRepaint(benchmark::State& state) {
    runClicks(state, kPanels[state.range(0)], [](QPushButton* b) {
        QTest::mouseClick(b, Qt::LeftButton);
        QCoreApplication::processEvents();
    });
}

void panelArgs(benchmark::internal::Benchmark* b) {
    b->ArgName("panel");
    for (int i = 0; i < 3; ++i) b->Arg(i);
}

BENCHMARK(BM_Click)->Apply(panelArgs)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ButtonClick)->Apply(panelArgs)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ClickAndRepaint)->Apply(panelArgs)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    // Before QApplication: no display is needed.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    QApplication app(argc, argv);

    MessageCloser messageCloser;
    closer = &messageCloser;
    QApplication::instance()->installEventFilter(&messageCloser);

    Form1 window;
    okno = &window;
    window.show();
    QCoreApplication::processEvents();

    benchmark::AddCustomContext("panels",
                                "0 = Command1 (classes), 1 = Command2 (T->EMF), "
                                "2 = Command3 (EMF->T)");
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
