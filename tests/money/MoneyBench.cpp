// The Money listing over a full transactions database: 65,535 records (and half of that, to
// show the cost grows with the record count) against 250 transaction and 250 payment types.

#include "MoneyData.h"
#include "TempDir.h"
#include "money/MoneyListing.h"
#include "money/PeriodSums.h"
#include "platform/Regional.h"

#include <benchmark/benchmark.h>

#ifdef LEDRA_BENCH_GUI
#include "app/Forms.h"
#include "money/Money.h"
#include "platform/AppPaths.h"
#include "settings/Global.h"
#include "settings/Setup.h"
#include "widgets/ListGrid.h"

#include <QApplication>
#endif

#include <map>
#include <memory>

namespace {

constexpr int kTypes = 250;

MoneyData BigData(int count) {
    MoneyData data;
    data.types.clear();
    data.payments.clear();
    // Ids in no particular order, as a handheld that lived long enough would store them.
    for (int i = 0; i < kTypes; ++i) {
        const auto id = static_cast<std::int16_t>((i * 97) % kTypes + 1);
        data.types.push_back({id, "Type " + std::to_string(id)});
        data.payments.push_back({id, "Payment " + std::to_string(id)});
    }
    data.currencies[3] = {"Pound", "GBP", 0.63, false, true};
    data.labels = {"Unfiled", "Household", "Car", "Leisure", "Income"};
    std::uint32_t s = 12345;
    const auto next = [&s](int n) {
        s = s * 1664525u + 1013904223u;
        return static_cast<int>((s >> 8) % static_cast<std::uint32_t>(n));
    };
    // Storage order follows time: about 30 records a day from 1995 on.
    for (int i = 0; i < count; ++i) {
        const int dayNo = i / 30;
        const int year = 1995 + dayNo / 336, month = 1 + (dayNo / 28) % 12, day = 1 + dayNo % 28;
        const double amount = (next(2) ? -1 : 1) * (next(100000) / 100.0);
        data.add(PackDate(year, month, day), static_cast<std::uint16_t>(1 + next(kTypes + 5)),
                 static_cast<std::uint16_t>(1 + next(kTypes + 5)), amount,
                 static_cast<std::uint8_t>(1 + next(3)),
                 next(4) ? "Memo text of a transaction " + std::to_string(i) : std::string(),
                 static_cast<std::uint8_t>(next(5)));
    }
    return data;
}

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
// The whole rebuild of the Money view: the listing, the one model reset that hands the rows
// to the list, the total, and the events that lay out and paint the shown list.
struct View {
    TempDir settings;
    std::unique_ptr<QApplication> app;
    std::unique_ptr<TfMoney> frame;
    int records = -1;

    ~View() {
        frame.reset();
        if (app)
            DestroyForms();
        app.reset();
        SetSettingsPathOverride("");
    }

    void open(int count) {
        if (!app) {
            static int argc = 1;
            static char name[] = "bench_money";
            static char* argv[] = {name, nullptr};
            qputenv("QT_QPA_PLATFORM", "offscreen");
            app = std::make_unique<QApplication>(argc, argv);
            SetSettingsPathOverride(settings.file("Ledra.ini"));
            CreateForms();
            fSetup->LoadSettings();
        }
        if (records == count)
            return;
        frame.reset();
        Opened& o = DataOf(count);
        for (auto [db, name] :
             {std::pair{MoneyDb, "Money"}, std::pair{TypesDb, "Types"},
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
};

View& TheView() {
    static View v;
    return v;
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
#endif

} // namespace

#ifdef LEDRA_BENCH_GUI
BENCHMARK(BM_ViewRebuild)
    ->ArgNames({"mode", "records"})
    ->ArgsProduct({{0, 1, 2, 3}, {32768, 65535}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ViewEnter)->Arg(32768)->Arg(65535)->Unit(benchmark::kMillisecond);
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
