# Offscreen tests of the secondary windows, and the program that renders their screenshots.
if(DIGREX_GUI)
  foreach(form formabout formcompare formcomparefiles formhelpers formsavelog formsettings formtext formtexts)
    digrex_add_test(test_${form} SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_${form}.cpp
                    LIBS digrex_dialogs GUI QTEST)
  endforeach()
  digrex_add_test(test_hostile_clipboard SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_hostile_clipboard.cpp LIBS digrex_dialogs GUI QTEST TIMEOUT 120)

  # Not a test: `dialog_screenshots <folder>` writes docs/dialog-*.png.
  add_executable(dialog_screenshots ${CMAKE_CURRENT_LIST_DIR}/dialog_screenshots.cpp)
  target_link_libraries(dialog_screenshots PRIVATE digrex_dialogs)
  target_include_directories(dialog_screenshots PRIVATE ${PROJECT_SOURCE_DIR}/tests)
endif()
