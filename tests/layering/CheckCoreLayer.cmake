# Fails when the first layer reaches Qt Gui, Qt Widgets, Qt PrintSupport, Qt Svg or a window:
#  - orvel_core links one of those modules;
#  - a compile line of orvel_core or of a first-layer test sees one of them (their include
#    folders or QT_*_LIB definitions, which any link to them, even indirect, brings along);
#  - a first-layer file includes one of their headers, with or without the module folder,
#    or a header of orvel_ui;
#  - a first-layer file of a subsystem includes a header of another subsystem (only common,
#    platform, records and print are shared).
# Run by CTest: cmake -DFACTS=... -DSOURCE_DIR=... -DCOMPILE_COMMANDS=... -P CheckCoreLayer.cmake
cmake_minimum_required(VERSION 3.21)

include(${FACTS})
set(problems)

set(ui_modules Gui Widgets PrintSupport Svg SvgWidgets OpenGL OpenGLWidgets)

# 1. The link of orvel_core.
foreach(library ${CORE_LINK})
  foreach(module ${ui_modules})
    if(library MATCHES "Qt[0-9]*::${module}$")
      list(APPEND problems "orvel_core links ${library}")
    endif()
  endforeach()
endforeach()

# 2. The compile lines of the first-layer targets.
file(READ ${COMPILE_COMMANDS} commands)
string(JSON count LENGTH "${commands}")
math(EXPR last "${count} - 1")
set(seen 0)
foreach(i RANGE ${last})
  string(JSON command GET "${commands}" ${i} command)
  set(target "")
  foreach(candidate ${CORE_TEST_TARGETS})
    if(command MATCHES "CMakeFiles/${candidate}\\.dir/")
      set(target ${candidate})
    endif()
  endforeach()
  if(target STREQUAL "")
    continue()
  endif()
  math(EXPR seen "${seen} + 1")
  string(JSON file GET "${commands}" ${i} file)
  foreach(module ${ui_modules})
    string(TOUPPER ${module} upper)
    if(command MATCHES "-DQT_${upper}_LIB( |$)" OR command MATCHES "/Qt${module}( |$)")
      list(APPEND problems "${target} compiles ${file} with Qt ${module}")
    endif()
  endforeach()
endforeach()
if(seen EQUAL 0)
  list(APPEND problems "no compile line of orvel_core in ${COMPILE_COMMANDS}")
endif()

# 3. The includes of the first-layer files.
set(ui_header_dirs)
foreach(dir ${QT_UI_INCLUDE_DIRS})
  get_filename_component(name ${dir} NAME)
  if(name MATCHES "^Qt" AND NOT dir IN_LIST QT_CORE_INCLUDE_DIRS)
    list(APPEND ui_header_dirs ${dir})
  endif()
endforeach()
list(REMOVE_DUPLICATES ui_header_dirs)
if(NOT ui_header_dirs)
  list(APPEND problems "the include folders of Qt Gui and Widgets were not found")
endif()

set(window_headers)
foreach(source ${UI_SOURCES})
  if(source MATCHES "\\.h$")
    file(RELATIVE_PATH relative ${SOURCE_DIR}/src ${source})
    list(APPEND window_headers ${relative})
  endif()
endforeach()

set(first_layer_files ${CORE_SOURCES} ${CORE_TEST_SOURCES})
list(REMOVE_DUPLICATES first_layer_files)
set(scanned 0)
foreach(source ${first_layer_files})
  # Generated files (moc) follow their headers.
  string(FIND "${source}" "${SOURCE_DIR}/" at)
  if(NOT at EQUAL 0 OR NOT EXISTS ${source})
    continue()
  endif()
  math(EXPR scanned "${scanned} + 1")
  get_filename_component(folder ${source} DIRECTORY)
  file(STRINGS ${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"][^>\"]+[>\"]")
  foreach(line ${includes})
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]+)[>\"].*" "\\1" header "${line}")
    file(RELATIVE_PATH shown ${SOURCE_DIR} ${source})
    foreach(dir ${ui_header_dirs})
      get_filename_component(module ${dir} NAME)
      if(header MATCHES "^${module}/" OR EXISTS ${dir}/${header})
        list(APPEND problems "${shown} includes <${header}> of ${module}")
      endif()
    endforeach()
    # A project header, named from src/ or from the including file's folder.
    file(RELATIVE_PATH beside ${SOURCE_DIR}/src ${folder}/${header})
    if(header IN_LIST window_headers OR beside IN_LIST window_headers)
      list(APPEND problems "${shown} includes the window header ${header}")
    endif()
    # Sideways: a subsystem's first layer uses only its own files and the shared folders,
    # never another subsystem's rules.
    if(shown MATCHES "^src/([^/]+)/" AND header MATCHES "^([^/]+)/")
      string(REGEX MATCH "^src/([^/]+)/" ignored "${shown}")
      set(own ${CMAKE_MATCH_1})
      string(REGEX MATCH "^([^/]+)/" ignored "${header}")
      set(other ${CMAKE_MATCH_1})
      if(EXISTS ${SOURCE_DIR}/src/${other} AND NOT other STREQUAL own AND
         NOT other MATCHES "^(common|platform|records|print)$")
        list(APPEND problems "${shown} includes ${header} of another subsystem (${other})")
      endif()
    endif()
  endforeach()
endforeach()
if(scanned EQUAL 0)
  list(APPEND problems "no first-layer source was scanned")
endif()

if(problems)
  list(JOIN problems "\n  " shown)
  message(FATAL_ERROR "The first layer reaches the second or sideways:\n  ${shown}")
endif()
message(STATUS "First layer: ${seen} compile lines and ${scanned} files free of Qt Gui and Widgets")
