# `cmake --install build --prefix /opt/digrex` lays out a self-contained folder:
#   bin/        digrex, digrexsum and what digrex looks for beside itself: Languages/,
#               History.txt, Copyrights.txt and a Storage.ini holding "#USER#", so that each
#               user's Settings.ini goes to that user's documents folder (Velnor/Digrex/)
#               instead of the program folder, which users cannot write to there.
#   share/applications/digrex.desktop, whose Exec names bin/digrex by its full path
#   share/icons/hicolor/<size>x<size>/apps/digrex.png and scalable/apps/digrex.svg
# DIGREX_LINK_DIR (e.g. /usr/local/bin) adds symbolic links to the two programs there;
# DIGREX_LINK_SHARE_DIR (e.g. /usr/local/share) links the desktop entry and the icons into
# its applications/ and icons/hicolor/ folders, where the desktop finds them. Both may also
# be given when running the install script: cmake -DDIGREX_LINK_DIR=... -P build/cmake_install.cmake
# digrex finds its files through such a link: it resolves its own path first.

set(DIGREX_LINK_DIR "" CACHE PATH "Folder for links to the installed digrex and digrexsum (e.g. /usr/local/bin); empty: none")
set(DIGREX_LINK_SHARE_DIR "" CACHE PATH
    "Folder whose applications/ and icons/hicolor/ get links to the desktop entry and icons (e.g. /usr/local/share); empty: none")

set(digrex_program_dir bin)

install(TARGETS digrexsum RUNTIME DESTINATION ${digrex_program_dir})
install(FILES ${PROJECT_SOURCE_DIR}/data/History.txt ${PROJECT_SOURCE_DIR}/data/Copyrights.txt
        DESTINATION ${digrex_program_dir})

if(DIGREX_GUI)
  install(TARGETS digrex RUNTIME DESTINATION ${digrex_program_dir})
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/Languages DESTINATION ${digrex_program_dir})

  # No line break: the file's whole text is the value, and "#USER#" with a line break after
  # it would name a folder instead.
  set(digrex_storage_file ${CMAKE_BINARY_DIR}/install-data/Storage.ini)
  file(WRITE ${digrex_storage_file}.new "#USER#")
  file(COPY_FILE ${digrex_storage_file}.new ${digrex_storage_file} ONLY_IF_DIFFERENT)
  install(FILES ${digrex_storage_file} DESTINATION ${digrex_program_dir})

  set(digrex_icon_sizes "")
  file(GLOB digrex_icon_pngs CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/data/icons/digrex-*.png)
  foreach(png IN LISTS digrex_icon_pngs)
    string(REGEX MATCH "digrex-([0-9]+)\\.png$" _ "${png}")
    set(size ${CMAKE_MATCH_1})
    list(APPEND digrex_icon_sizes ${size})
    install(FILES ${png} DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME digrex.png)
  endforeach()
  install(FILES ${PROJECT_SOURCE_DIR}/data/icons/digrex.svg DESTINATION share/icons/hicolor/scalable/apps)

  # The desktop entry is written at install time: its Exec line needs the final prefix,
  # which `cmake --install --prefix` may still change.
  install(CODE "
set(digrex_desktop_source [[${PROJECT_SOURCE_DIR}/data/digrex.desktop]])
set(digrex_program_dir [[${digrex_program_dir}]])
set(digrex_icon_sizes [[${digrex_icon_sizes}]])
if(NOT DEFINED DIGREX_LINK_DIR)
  set(DIGREX_LINK_DIR [[${DIGREX_LINK_DIR}]])
endif()
if(NOT DEFINED DIGREX_LINK_SHARE_DIR)
  set(DIGREX_LINK_SHARE_DIR [[${DIGREX_LINK_SHARE_DIR}]])
endif()
")
  install(CODE [[
set(program "${CMAKE_INSTALL_PREFIX}/${digrex_program_dir}/digrex")
# Exec quoting of the desktop entry format: a path with anything beyond these characters
# is quoted, with ", `, $ and \ escaped inside the quotes, and the value's own escaping
# doubles every backslash once more.
set(exec "${program}")
if(NOT exec MATCHES "^[A-Za-z0-9_./+@,:=-]+$")
  string(REPLACE "\\" "\\\\" exec "${exec}")
  string(REPLACE "\"" "\\\"" exec "${exec}")
  string(REPLACE "`" "\\`" exec "${exec}")
  string(REPLACE "$" "\\$" exec "${exec}")
  set(exec "\"${exec}\"")
  string(REPLACE "\\" "\\\\" exec "${exec}")
endif()
string(REPLACE "%" "%%" exec "${exec}")
file(READ "${digrex_desktop_source}" entry)
string(REPLACE "\nExec=digrex " "\nExec=${exec} " entry "${entry}")
set(desktop "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/share/applications/digrex.desktop")
message(STATUS "Installing: ${desktop}")
file(WRITE "${desktop}" "${entry}")
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${CMAKE_INSTALL_PREFIX}/share/applications/digrex.desktop")

# A link replaces whatever link or file of that name was there before.
function(digrex_link target link)
  get_filename_component(folder "$ENV{DESTDIR}${link}" DIRECTORY)
  file(MAKE_DIRECTORY "${folder}")
  file(REMOVE "$ENV{DESTDIR}${link}")
  message(STATUS "Linking: $ENV{DESTDIR}${link} -> ${target}")
  file(CREATE_LINK "${target}" "$ENV{DESTDIR}${link}" SYMBOLIC)
  list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${link}")
  set(CMAKE_INSTALL_MANIFEST_FILES "${CMAKE_INSTALL_MANIFEST_FILES}" PARENT_SCOPE)
endfunction()
if(DIGREX_LINK_DIR)
  foreach(name digrex digrexsum)
    digrex_link("${CMAKE_INSTALL_PREFIX}/${digrex_program_dir}/${name}" "${DIGREX_LINK_DIR}/${name}")
  endforeach()
endif()
if(DIGREX_LINK_SHARE_DIR)
  digrex_link("${CMAKE_INSTALL_PREFIX}/share/applications/digrex.desktop"
              "${DIGREX_LINK_SHARE_DIR}/applications/digrex.desktop")
  foreach(size IN LISTS digrex_icon_sizes)
    set(icon "icons/hicolor/${size}x${size}/apps/digrex.png")
    digrex_link("${CMAKE_INSTALL_PREFIX}/share/${icon}" "${DIGREX_LINK_SHARE_DIR}/${icon}")
  endforeach()
  digrex_link("${CMAKE_INSTALL_PREFIX}/share/icons/hicolor/scalable/apps/digrex.svg"
              "${DIGREX_LINK_SHARE_DIR}/icons/hicolor/scalable/apps/digrex.svg")
endif()
]])

  if(DIGREX_TESTS)
    add_subdirectory(${PROJECT_SOURCE_DIR}/tests/install ${CMAKE_BINARY_DIR}/tests/install)
  endif()
endif()
