# Hashing worker throughput on page-cached files: each type through the worker
# against its in-memory digester, nine types in lanes against one after
# another, and all ten against MD2 alone.
add_executable(bench_worker ${CMAKE_CURRENT_SOURCE_DIR}/bench_worker.cpp)
target_link_libraries(bench_worker PRIVATE digrex_worker benchmark::benchmark)
