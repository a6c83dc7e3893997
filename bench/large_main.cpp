// bench_large: the benchmarks of entry_window, log_views and exports at 1,000,000 QSOs, in one
// program (tools/bench.sh --large).
#include "BenchData.h"

int main(int argc, char **argv)
{
    return orvel::bench::runBenchmarks(argc, argv);
}
