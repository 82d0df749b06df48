# The secondary windows, the message-box wrapper and ShellOpen (Qt Widgets).
add_library(digrex_dialogs STATIC
  ${CMAKE_CURRENT_LIST_DIR}/DialogIcons.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FormAbout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FormCompare.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FormCompareFiles.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FormSaveLog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FormSettings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FormText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MatchPictures.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MessageBox.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProgramIcon.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Shell.cpp
)
# The windows translate their texts with the main window's form-text walk as they are built.
if(EXISTS ${PROJECT_SOURCE_DIR}/src/app/FormTranslation.cpp)
  target_sources(digrex_dialogs PRIVATE ${PROJECT_SOURCE_DIR}/src/app/FormTranslation.cpp)
endif()
target_include_directories(digrex_dialogs PUBLIC ${PROJECT_SOURCE_DIR}/src ${PROJECT_BINARY_DIR}/generated)
target_link_libraries(digrex_dialogs PUBLIC Qt6::Widgets)

# Some of the libraries below are defined by folders configured after this one, so they
# are linked once the whole project has been read.
function(digrex_dialogs_link_dependencies)
  foreach(dep digrex_engine digrex_util digrex_settings digrex_output digrex_i18n)
    if(TARGET ${dep})
      target_link_libraries(digrex_dialogs PUBLIC ${dep})
    endif()
  endforeach()
endfunction()
cmake_language(DEFER DIRECTORY ${PROJECT_SOURCE_DIR} CALL digrex_dialogs_link_dependencies)
