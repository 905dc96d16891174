# Native benchmarks of the portable core, built only where Google Benchmark
# is installed (tools/bench).
find_package(benchmark QUIET)
if(benchmark_FOUND)
  add_executable(core_bench EXCLUDE_FROM_ALL bench/core_bench.cpp)
  target_link_libraries(core_bench PRIVATE tamblo_core tamblo_options benchmark::benchmark)
endif()
