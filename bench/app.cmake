# Responsiveness of the main window under the worker's events (see gui_responsiveness.sh).
if(TARGET digrex_app)
  add_executable(bench_app ${CMAKE_CURRENT_SOURCE_DIR}/bench_app.cpp)
  target_link_libraries(bench_app PRIVATE digrex_app benchmark::benchmark)
endif()
