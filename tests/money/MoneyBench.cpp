// The Money listing over a full transactions database: 65,535 records (and half of that, to
// show the cost grows with the record count) against 250 transaction and 250 payment types.

#include "BigMoneyData.h"
#include "TempDir.h"
#include "money/MoneyListing.h"
#include "money/PeriodSums.h"
#include "platform/Regional.h"

#include <benchmark/benchmark.h>

#ifdef LEDRA_BENCH_GUI
#include "app/Forms.h"
#include "app/Main.h"
#include "export/Export.h"
#include "money/Money.h"
#include "platform/AppPaths.h"
#include "settings/Global.h"
#include "settings/Setup.h"
#include "widgets/ListGrid.h"

#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QLineEdit>
#include <QPushButton>

#include <fstream>
#endif

#include <chrono>
#include <cstdlib>
#include <map>
#include <memory>

namespace {

struct Opened {
    TempDir dir;
    OpenDatabases db;
    CategoryInfo cats;
};

Opened& DataOf(int count) {
    static std::map<int, std::unique_ptr<Opened>> cache;
    auto& slot = cache[count];
    if (!slot) {
        slot = std::make_unique<Opened>();
        BigData(count).write(slot->dir.path());
        slot->db.open(slot->dir.path());
        slot->cats = CategoryInfo::fromDatabase(slot->db.money);
    }
    return *slot;
}

// The benchmark loop over FillList; returns the row count of the last listing. The view keeps
// the last listing until the next one is built, so each pass builds its rows while the
// previous rows still live and frees those afterwards.
std::size_t RunFillList(benchmark::State& state, Opened& o, const ListingChoices& c) {
    CurrencyTable shared;
    MoneyListing shown;
    for (auto _ : state) {
        MoneyListing l =
            FillList(o.db.money, o.db.types, o.db.payment, o.db.currency, shared, o.cats, c);
        benchmark::DoNotOptimize(l);
        shown = std::move(l);
    }
    return shown.table.rows.size();
}

void BM_FillList(benchmark::State& state) {
    SetRegionalFormats(CFormats());
    Opened& o = DataOf(static_cast<int>(state.range(1)));
    ListingChoices c;
    c.mode = static_cast<DisplayMode>(state.range(0));
    state.counters["rows"] = static_cast<double>(RunFillList(state, o, c));
    state.SetItemsProcessed(state.iterations() * state.range(1));
}

// A filter that lets a few records through: the cost of the tests alone.
void BM_FillListFiltered(benchmark::State& state) {
    SetRegionalFormats(CFormats());
    Opened& o = DataOf(static_cast<int>(state.range(0)));
    ListingChoices c;
    c.filterOn = true;
    c.filter.Trans = "Type 17";
    c.filter.Curr = "EUR";
    RunFillList(state, o, c);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The chart's sums per period over the same records, beside the list build of the same mode.
void BM_SumPeriods(benchmark::State& state) {
    Opened& o = DataOf(static_cast<int>(state.range(1)));
    const Period period = static_cast<Period>(state.range(0));
    CurrencyTable shared;
    std::size_t periods = 0;
    for (auto _ : state) {
        PeriodSums s =
            SumPeriods(o.db.money, o.db.types, o.db.payment, o.db.currency, shared, {}, period);
        benchmark::DoNotOptimize(s);
        periods = s.periods.size();
    }
    state.counters["periods"] = static_cast<double>(periods);
    state.SetItemsProcessed(state.iterations() * state.range(1));
}

#ifdef LEDRA_BENCH_GUI
// Resident memory of this process in MiB: all of it ("VmRSS:"), or its own data alone
// ("RssAnon:", without the pages of the program and its libraries). The benchmark process also
// holds its own opened copy of the databases (DataOf), about 3 MiB more than the viewer.
double ResidentMiB(const char* key = "VmRSS:") {
    std::ifstream status("/proc/self/status");
    std::string name;
    while (status >> name) {
        if (name == key) {
            double kib = 0;
            status >> kib;
            return kib / 1024.0;
        }
        status.ignore(1 << 20, '\n');
    }
    return 0;
}

// When the list is first painted after a press: "click to rows painted", apart from what the
// handler does after that. The time is taken as the paint event arrives, before the rows are
// drawn; drawing the few rows on screen is a small part.
class PaintClock : public QObject {
public:
    using Clock = std::chrono::steady_clock;
    explicit PaintClock(QWidget* viewport) : viewport_(viewport) {
        viewport->installEventFilter(this);
    }
    ~PaintClock() override { viewport_->removeEventFilter(this); }
    void start() {
        painted_ = false;
        start_ = Clock::now();
    }
    // Milliseconds from start() to the first paint, or to now when there was none.
    double ms() const {
        const auto end = painted_ ? paintedAt_ : Clock::now();
        return std::chrono::duration<double, std::milli>(end - start_).count();
    }

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint && !painted_) {
            painted_ = true;
            paintedAt_ = Clock::now();
        }
        return false;
    }

private:
    QWidget* viewport_;
    Clock::time_point start_, paintedAt_;
    bool painted_ = false;
};

// The whole rebuild of the Money view: the listing, the one model reset that hands the rows
// to the list, the total, and the events that lay out and paint the shown list.
struct View {
    TempDir settings;
    std::unique_ptr<QApplication> app;
    std::unique_ptr<TfMoney> frame;
    int records = -1;
    double residentWithoutView = 0; // MiB: the application, its forms and the data, no view

    void close() {
        frame.reset();
        if (app)
            DestroyForms();
        SetSettingsPathOverride("");
    }

    void open(int count);
};

View& TheView() {
    static View v;
    return v;
}

void View::open(int count) {
    if (!app) {
        static int argc = 1;
        static char name[] = "bench_money";
        static char* argv[] = {name, nullptr};
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QApplication>(argc, argv);
        SetSettingsPathOverride(settings.file("Ledra.ini"));
        CreateForms();
        fSetup->LoadSettings();
        // Qt's own globals (fonts, input devices) come to life after this object and die
        // before it: the forms go first, and the application object is left to the end of
        // the process, as deleting it then crashes.
        std::atexit([] {
            View& v = TheView();
            v.close();
            static_cast<void>(v.app.release());
        });
    }
    if (records == count)
        return;
    frame.reset();
    Opened& o = DataOf(count);
    residentWithoutView = ResidentMiB();
    for (auto [db, name] : {std::pair{MoneyDb, "Money"}, std::pair{TypesDb, "Types"},
                            std::pair{PaymentDb, "Payment"}, std::pair{CurrencyDb, "Currency"}}) {
        db->Close();
        db->Open(o.dir.file(std::string("Ledra_") + name + ".PDB"));
    }
    frame = std::make_unique<TfMoney>();
    frame->resize(900, 600);
    frame->show();
    frame->FrameEnter();
    QApplication::processEvents();
    records = count;
}

void BM_ViewRebuild(benchmark::State& state) {
    SetRegionalFormats(CFormats());
    View& v = TheView();
    v.open(static_cast<int>(state.range(1)));
    QAction* modes[] = {v.frame->tbHrono, v.frame->tbMonth, v.frame->tbQuater, v.frame->tbYear};
    modes[state.range(0)]->setChecked(true);
    for (auto _ : state) {
        v.frame->FillList();
        QApplication::processEvents();
    }
    state.counters["rows"] = static_cast<double>(v.frame->grid->rows()->rowCount());
    state.SetItemsProcessed(state.iterations() * state.range(1));
}

// Entering the view: category list, currency table, settings file, filter line, rebuild.
void BM_ViewEnter(benchmark::State& state) {
    SetRegionalFormats(CFormats());
    View& v = TheView();
    v.open(static_cast<int>(state.range(0)));
    v.frame->tbHrono->setChecked(true);
    for (auto _ : state) {
        v.frame->FrameEnter();
        QApplication::processEvents();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// A press on a mode button (range 0: the mode pressed, after the chronological list) or a
// flow button, as the user makes it: the handler with its settings write, then the events
// that lay out and paint the list.
void BM_ViewModePress(benchmark::State& state) {
    SetRegionalFormats(CFormats());
    View& v = TheView();
    v.open(static_cast<int>(state.range(1)));
    QAction* modes[] = {v.frame->tbHrono, v.frame->tbMonth, v.frame->tbQuater, v.frame->tbYear};
    QAction* pressed = modes[state.range(0)];
    PaintClock painted(v.frame->grid->viewport());
    double paintedMs = 0;
    for (auto _ : state) {
        state.PauseTiming();
        v.frame->tbInOut->setChecked(true);
        v.frame->tbHrono->trigger();
        QApplication::processEvents();
        state.ResumeTiming();
        painted.start();
        pressed->trigger();
        QApplication::processEvents();
        paintedMs += painted.ms();
    }
    state.counters["to_painted_ms"] = paintedMs / static_cast<double>(state.iterations());
    state.counters["rows"] = static_cast<double>(v.frame->grid->rows()->rowCount());
}

void BM_ViewFlowPress(benchmark::State& state) {
    SetRegionalFormats(CFormats());
    View& v = TheView();
    v.open(static_cast<int>(state.range(0)));
    v.frame->tbHrono->trigger();
    QApplication::processEvents();
    PaintClock painted(v.frame->grid->viewport());
    double paintedMs = 0;
    for (auto _ : state) {
        state.PauseTiming();
        v.frame->tbInOut->trigger();
        QApplication::processEvents();
        state.ResumeTiming();
        painted.start();
        v.frame->tbOut->trigger();
        QApplication::processEvents();
        paintedMs += painted.ms();
    }
    state.counters["to_painted_ms"] = paintedMs / static_cast<double>(state.iterations());
    state.counters["rows"] = static_cast<double>(v.frame->grid->rows()->rowCount());
}

// The export dialog's Export button over the chronological list, and the resident memory
// with the view shown before the first export and after the last.
void BM_ViewExport(benchmark::State& state) {
    SetRegionalFormats(CFormats());
    View& v = TheView();
    v.open(static_cast<int>(state.range(0)));
    v.frame->tbInOut->setChecked(true);
    v.frame->tbHrono->trigger();
    QApplication::processEvents();
    fMain->ActiveGrid = v.frame->grid;
    fMain->ActiveView = 0;
    const std::string out = v.settings.file("Ledra_Money.CSV");
    fExport->eFile->setText(QString::fromStdString(out));
    fExport->cbHeader->setChecked(true);
    // The first figure is taken once, before any export of this process.
    static const double shown = ResidentMiB(), shownAnon = ResidentMiB("RssAnon:");
    state.counters["rss_shown_MiB"] = shown;
    state.counters["anon_shown_MiB"] = shownAnon;
    state.counters["rss_without_view_MiB"] = v.residentWithoutView;
    state.counters["anon_before_MiB"] = ResidentMiB("RssAnon:"); // this run, before its exports
    for (auto _ : state) {
        fExport->bOK->click();
        QApplication::processEvents();
    }
    state.counters["rss_after_MiB"] = ResidentMiB();
    state.counters["anon_after_MiB"] = ResidentMiB("RssAnon:");
}
#endif

} // namespace

#ifdef LEDRA_BENCH_GUI
BENCHMARK(BM_ViewRebuild)
    ->ArgNames({"mode", "records"})
    ->ArgsProduct({{0, 1, 2, 3}, {32768, 65535}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ViewEnter)->Arg(32768)->Arg(65535)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ViewModePress)
    ->ArgNames({"mode", "records"})
    ->ArgsProduct({{1, 0}, {65535}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ViewFlowPress)->Arg(65535)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ViewExport)->Arg(65535)->Unit(benchmark::kMillisecond);
#endif

BENCHMARK(BM_FillList)
    ->ArgNames({"mode", "records"})
    ->ArgsProduct({{0, 1, 2, 3}, {32768, 65535}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SumPeriods)
    ->ArgNames({"period", "records"})
    ->ArgsProduct({{0, 1, 2}, {32768, 65535}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FillListFiltered)->Arg(32768)->Arg(65535)->Unit(benchmark::kMillisecond);
