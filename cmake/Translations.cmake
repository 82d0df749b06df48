# The translation template: digrex_template builds the real windows on the
# offscreen platform and writes every text the program translates;
# `cmake --build <dir> --target pot` refreshes data/Languages/Digrex.pot with it.
if(TARGET digrex_app)
  add_executable(digrex_template
    ${PROJECT_SOURCE_DIR}/src/app/TemplateWriter.cpp
    ${PROJECT_SOURCE_DIR}/src/app/TemplateWriterMain.cpp)
  target_link_libraries(digrex_template PRIVATE digrex_app)
  set(DIGREX_TEMPLATE_FILE ${PROJECT_SOURCE_DIR}/data/Languages/Digrex.pot)
  add_custom_target(pot
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen $<TARGET_FILE:digrex_template> ${DIGREX_TEMPLATE_FILE}
    DEPENDS digrex_template
    COMMENT "Writing the translation template data/Languages/Digrex.pot"
    VERBATIM)
endif()
