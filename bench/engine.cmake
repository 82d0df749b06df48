# Digest engine throughput: every digester, the full list of ten, and the
# library candidates that the digesters were chosen from.
add_executable(bench_engine ${CMAKE_CURRENT_SOURCE_DIR}/bench_engine.cpp)
target_link_libraries(bench_engine PRIVATE digrex_engine benchmark::benchmark
  ZLIB::ZLIB OpenSSL::Crypto PkgConfig::CRYPTOPP PkgConfig::RHASH)
