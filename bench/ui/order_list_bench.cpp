// Speed of the order window's position list: one refresh of the rows of an
// order of 1,000 positions (target: under 50 ms), offscreen.

#include "model/construction.h"
#include "model/order.h"
#include "model/shape.h"
#include "ui/position_list.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <string>

namespace kvf {
namespace {

void fillOrder(TkvfOrder& order, int count) {
    for (int i = 0; i < count; ++i) {
        TkvfConstruction& position = order.AddPosition();
        position.No = std::to_string(i + 1);
        position.Name = "Окно: Комплект штульповый";
        position.Number = 1 + i % 4;
        position.Cost = Money::FromRaw(12345678 + i);
        position.ConstrType = ShapeConstrType(i % 3);
        TkvfShapeSizes sizes;
        sizes.B = 700 + i % 500;
        sizes.H = 1400;
        sizes.Shape = static_cast<std::uint8_t>(i % 3);
        sizes.X = sizes.B / 2;
        sizes.Y = sizes.B - sizes.X;
        position.SetShape(sizes, 215);
    }
}

void BM_PositionListRefresh(benchmark::State& state) {
    TkvfOrder order;
    fillOrder(order, static_cast<int>(state.range(0)));
    TPositionList list;
    list.resize(900, 600);
    list.show();
    for (auto _ : state) {
        list.Fill(order, "руб");
        list.SelectIndex(order.Count() / 2);
        QCoreApplication::processEvents();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_PositionListRefresh)->Arg(1000)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kvf

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
