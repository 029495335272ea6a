# The program for Windows: what it needs beside it to run, where each piece is installed, and
# the two things a Windows user downloads, made by CPack from that installation:
#   brightwell-<version>-win64.zip        a portable folder, laid out as windeployqt lays it out
#   brightwell-<version>-win64-setup.exe  a per-user installer (NSIS), with a Start menu
#                                         shortcut and an entry among the installed apps
# Qt stays in its own DLLs. Every DLL is stripped as it is copied beside the programs, and the
# programs are stripped when they are installed.

# The MinGW runtime that Qt and the programs share.
set(brightwell_mingw_dlls)
foreach(dll IN ITEMS libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
    OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${path}" OR NOT EXISTS "${path}")
    message(FATAL_ERROR "${CMAKE_CXX_COMPILER} does not know where ${dll} is")
  endif()
  list(APPEND brightwell_mingw_dlls "${path}")
endforeach()

# Qt's DLLs and plugins: what the program loads, then what only the tests load. Each plugin is
# given with the folder it is loaded from.
set(brightwell_qt_dlls Qt6::Core Qt6::Gui Qt6::Widgets)
set(brightwell_qt_plugins platforms|Qt6::QWindowsIntegrationPlugin styles|Qt6::QWindowsVistaStylePlugin)
set(brightwell_qt_test_dlls Qt6::Test)
set(brightwell_qt_test_plugins platforms|Qt6::QOffscreenIntegrationPlugin platforms|Qt6::QMinimalIntegrationPlugin)

# Copies one file beside the programs (into a subfolder, for a plugin) and strips the copy.
set(brightwell_runtime_files)
function(brightwell_runtime_file source subfolder)
  get_filename_component(name "${source}" NAME)
  set(target_dir "${CMAKE_RUNTIME_OUTPUT_DIRECTORY}")
  if(subfolder)
    set(target_dir "${target_dir}/${subfolder}")
  endif()
  add_custom_command(OUTPUT "${target_dir}/${name}"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${target_dir}"
    COMMAND ${CMAKE_STRIP} --strip-unneeded -o "${target_dir}/${name}" "${source}"
    DEPENDS "${source}"
    COMMENT "Placing ${name} beside the programs"
    VERBATIM)
  set(brightwell_runtime_files ${brightwell_runtime_files} "${target_dir}/${name}" PARENT_SCOPE)
endfunction()

function(brightwell_imported_file out target)
  foreach(config IN ITEMS RELEASE RELWITHDEBINFO MINSIZEREL NOCONFIG DEBUG)
    get_target_property(location ${target} IMPORTED_LOCATION_${config})
    if(location)
      set(${out} "${location}" PARENT_SCOPE)
      return()
    endif()
  endforeach()
  get_target_property(location ${target} IMPORTED_LOCATION)
  if(NOT location)
    message(FATAL_ERROR "Qt for Windows has no file for ${target}")
  endif()
  set(${out} "${location}" PARENT_SCOPE)
endfunction()

set(brightwell_shipped_dlls)
set(brightwell_shipped_plugins)
foreach(dll IN LISTS brightwell_mingw_dlls)
  brightwell_runtime_file("${dll}" "")
  get_filename_component(name "${dll}" NAME)
  list(APPEND brightwell_shipped_dlls "${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${name}")
endforeach()
foreach(target IN LISTS brightwell_qt_dlls brightwell_qt_test_dlls)
  brightwell_imported_file(file ${target})
  brightwell_runtime_file("${file}" "")
  if(NOT target IN_LIST brightwell_qt_test_dlls)
    get_filename_component(name "${file}" NAME)
    list(APPEND brightwell_shipped_dlls "${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${name}")
  endif()
endforeach()
foreach(entry IN LISTS brightwell_qt_plugins brightwell_qt_test_plugins)
  string(REPLACE "|" ";" parts "${entry}")
  list(GET parts 0 subfolder)
  list(GET parts 1 target)
  brightwell_imported_file(file ${target})
  brightwell_runtime_file("${file}" "${subfolder}")
  if(entry IN_LIST brightwell_qt_plugins)
    get_filename_component(name "${file}" NAME)
    list(APPEND brightwell_shipped_plugins "${subfolder}|${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${subfolder}/${name}")
  endif()
endforeach()
# Qt's French catalogue (the standard buttons of message boxes) in a translations folder beside
# the programs, where Qt's own deployment puts it and the program reads it as it lies; the copy
# compiled into the program is only the fallback.
set(brightwell_qt_catalogue "${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/translations/qtbase_fr.qm")
add_custom_command(OUTPUT "${brightwell_qt_catalogue}"
  COMMAND ${CMAKE_COMMAND} -E make_directory "${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/translations"
  COMMAND ${CMAKE_COMMAND} -E copy "${CMAKE_BINARY_DIR}/i18n/qtbase_fr.qm" "${brightwell_qt_catalogue}"
  DEPENDS "${CMAKE_BINARY_DIR}/i18n/qtbase_fr.qm"
  COMMENT "Placing Qt's French catalogue beside the programs"
  VERBATIM)
list(APPEND brightwell_runtime_files "${brightwell_qt_catalogue}")
add_custom_target(windows_runtime ALL DEPENDS ${brightwell_runtime_files})
add_dependencies(brightwell windows_runtime)

# The installation: the portable folder and what the installer unpacks.
install(TARGETS brightwell RUNTIME DESTINATION .)
install(FILES ${brightwell_shipped_dlls} DESTINATION .)
foreach(entry IN LISTS brightwell_shipped_plugins)
  string(REPLACE "|" ";" parts "${entry}")
  list(GET parts 0 subfolder)
  list(GET parts 1 file)
  install(FILES "${file}" DESTINATION "${subfolder}")
endforeach()
install(FILES "${brightwell_qt_catalogue}" DESTINATION translations)
# The licences that travel with Qt, and Brightwell's own.
install(DIRECTORY "${QT6_INSTALL_PREFIX}/licenses/" DESTINATION licenses/qt)
install(FILES "${CMAKE_SOURCE_DIR}/packaging/copyright" DESTINATION licenses RENAME brightwell.txt)

set(CPACK_GENERATOR ZIP NSIS)
set(CPACK_PACKAGE_NAME Brightwell)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "Brightwell Software")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://www.brightwell.example/")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Practice tests for the Canadian citizenship knowledge test")
set(CPACK_PACKAGE_FILE_NAME "brightwell-${PROJECT_VERSION}-win64")
set(CPACK_STRIP_FILES ON)
# The installer's name, its compression and its own script (packaging/windows).
set(CPACK_PROJECT_CONFIG_FILE "${CMAKE_SOURCE_DIR}/packaging/windows/cpack_config.cmake")
set(CPACK_MODULE_PATH "${CMAKE_SOURCE_DIR}/packaging/windows")
set(CPACK_NSIS_COMPRESSOR "/SOLID lzma")
set(CPACK_NSIS_PACKAGE_NAME Brightwell)
set(CPACK_NSIS_MUI_ICON "${CMAKE_SOURCE_DIR}/resources/windows/brightwell.ico")
set(CPACK_NSIS_MUI_UNIICON "${CMAKE_SOURCE_DIR}/resources/windows/brightwell.ico")
find_program(BRIGHTWELL_MAKENSIS makensis)
if(BRIGHTWELL_MAKENSIS)
  set(CPACK_NSIS_EXECUTABLE "${BRIGHTWELL_MAKENSIS}")
endif()
include(CPack)
