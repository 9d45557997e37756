# The program is built room by room: each folder of src/ is one static library that sees only
# the headers of the rooms it declares, so that an include that climbs upward fails to compile.
#
# burnlab_room(name DEPENDS room... SOURCES file...)
#   builds burnlab_<name> from the listed files. Its headers are reachable as "<name>/x.h" through
#   a folder of the build tree that holds this room alone; the rooms it depends on bring their own
#   folders, and nothing else of src/ is on the include path.
function(burnlab_room name)
  cmake_parse_arguments(PARSE_ARGV 1 ROOM "" "" "DEPENDS;SOURCES")
  set(target burnlab_${name})
  add_library(${target} STATIC ${ROOM_SOURCES})
  set(root ${CMAKE_BINARY_DIR}/rooms/${name})
  file(MAKE_DIRECTORY ${root})
  file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${root}/${name} SYMBOLIC)
  target_include_directories(${target} PUBLIC ${root})
  list(TRANSFORM ROOM_DEPENDS PREPEND burnlab_ OUTPUT_VARIABLE below)
  target_link_libraries(${target} PUBLIC ${below} burnlab_warnings)
endfunction()

# The sources of every target defined in `dir` and the folders below it, as absolute paths.
function(burnlab_collect_sources dir out)
  set(all ${${out}})
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target IN LISTS targets)
    get_target_property(sources ${target} SOURCES)
    get_target_property(folder ${target} SOURCE_DIR)
    if(NOT sources)
      continue()
    endif()
    foreach(source IN LISTS sources)
      cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY ${folder} NORMALIZE)
      list(APPEND all ${source})
    endforeach()
  endforeach()
  get_property(folders DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(folder IN LISTS folders)
    burnlab_collect_sources(${folder} all)
  endforeach()
  set(${out} ${all} PARENT_SCOPE)
endfunction()

# burnlab_check_listed(pattern [SKIP folder...])
#   fails the configuration when a file below this folder that matches `pattern` is built by no
#   target, so that no source or test file can be left out of the build unnoticed. Files in the
#   SKIP folders (ones this configuration leaves out, such as the window without Qt) are not
#   looked at.
function(burnlab_check_listed pattern)
  cmake_parse_arguments(PARSE_ARGV 1 CHECK "" "" "SKIP")
  set(listed)
  burnlab_collect_sources(${CMAKE_CURRENT_SOURCE_DIR} listed)
  file(GLOB_RECURSE found CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${pattern})
  set(missing)
  foreach(file IN LISTS found)
    file(RELATIVE_PATH relative ${CMAKE_CURRENT_SOURCE_DIR} ${file})
    cmake_path(GET relative PARENT_PATH folder)
    if(folder IN_LIST CHECK_SKIP)
      continue()
    endif()
    if(NOT file IN_LIST listed)
      list(APPEND missing ${relative})
    endif()
  endforeach()
  if(missing)
    list(JOIN missing "\n  " lines)
    message(FATAL_ERROR "Files below ${CMAKE_CURRENT_SOURCE_DIR} that no CMakeLists.txt lists:\n  "
                        "${lines}\nAdd each to its folder's CMakeLists.txt.")
  endif()
endfunction()
