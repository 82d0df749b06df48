# digrexsum's per-file cost, large-file throughput and checksum-list reading.
# The comparison with other tools is bench/peers.sh.
add_executable(bench_cli ${CMAKE_CURRENT_SOURCE_DIR}/bench_cli.cpp)
target_link_libraries(bench_cli PRIVATE digrex_cli benchmark::benchmark)
