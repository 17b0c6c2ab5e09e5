# The layer rule as a build step: a source may include headers of its own folder and of the
# folders below it, never of a folder above (a logic file never includes a window header).
# Each entry lists what a folder's logic may include; its gui/ may add the gui/ of those.
set(PT_LAYER_platform platform)
set(PT_LAYER_common   common platform)
set(PT_LAYER_timeline timeline common platform)
set(PT_LAYER_data     data timeline common platform)
set(PT_LAYER_scene    scene timeline common platform)
set(PT_LAYER_filters  filters scene timeline common platform)
set(PT_LAYER_view     view filters scene data timeline common platform)
set(PT_LAYER_app      app view filters scene data timeline common platform)
set(PT_LAYERS platform common timeline data scene filters view app)

set(PT_LAYER_SCRIPT ${CMAKE_BINARY_DIR}/pt_check_layers.cmake)
set(PT_LAYER_RULES "")
foreach(layer ${PT_LAYERS})
  string(APPEND PT_LAYER_RULES "set(PT_LAYER_${layer} \"${PT_LAYER_${layer}}\")\n")
endforeach()
file(WRITE ${PT_LAYER_SCRIPT} "${PT_LAYER_RULES}"
[=[
set(errors "")
foreach(layer platform common timeline data scene filters view app)
  foreach(kind logic gui)
    if(kind STREQUAL "logic")
      file(GLOB files ${SRC}/${layer}/*.cpp ${SRC}/${layer}/*.h)
    else()
      file(GLOB files ${SRC}/${layer}/gui/*.cpp ${SRC}/${layer}/gui/*.h)
    endif()
    foreach(f ${files})
      file(STRINGS ${f} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[a-z]+/")
      foreach(line ${includes})
        string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([a-z]+)/([^\"]*)\".*" "\\1;\\2" parts "${line}")
        list(GET parts 0 folder)
        list(GET parts 1 rest)
        string(REGEX MATCH "^gui/" isgui "${rest}")
        list(FIND PT_LAYER_${layer} ${folder} allowed)
        if(allowed EQUAL -1 OR (isgui AND kind STREQUAL "logic"))
          file(RELATIVE_PATH rel ${SRC} ${f})
          string(APPEND errors "${rel}: includes ${folder}/${rest}, a layer above it\n")
        endif()
      endforeach()
    endforeach()
  endforeach()
endforeach()
if(errors)
  message(FATAL_ERROR "Layer rule broken:\n${errors}")
endif()
file(WRITE ${STAMP} "ok\n")
]=])

file(GLOB_RECURSE PT_LAYER_SOURCES CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/platform/*.h ${CMAKE_SOURCE_DIR}/platform/*.cpp
  ${CMAKE_SOURCE_DIR}/common/*.h ${CMAKE_SOURCE_DIR}/common/*.cpp
  ${CMAKE_SOURCE_DIR}/timeline/*.h ${CMAKE_SOURCE_DIR}/timeline/*.cpp
  ${CMAKE_SOURCE_DIR}/data/*.h ${CMAKE_SOURCE_DIR}/data/*.cpp
  ${CMAKE_SOURCE_DIR}/scene/*.h ${CMAKE_SOURCE_DIR}/scene/*.cpp
  ${CMAKE_SOURCE_DIR}/filters/*.h ${CMAKE_SOURCE_DIR}/filters/*.cpp
  ${CMAKE_SOURCE_DIR}/view/*.h ${CMAKE_SOURCE_DIR}/view/*.cpp
  ${CMAKE_SOURCE_DIR}/app/*.h ${CMAKE_SOURCE_DIR}/app/*.cpp)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/pt_layers.stamp
  COMMAND ${CMAKE_COMMAND} -DSRC=${CMAKE_SOURCE_DIR} -DSTAMP=${CMAKE_BINARY_DIR}/pt_layers.stamp
          -P ${PT_LAYER_SCRIPT}
  DEPENDS ${PT_LAYER_SOURCES} ${PT_LAYER_SCRIPT}
  COMMENT "Checking the include layers")
add_custom_target(pt_layers ALL DEPENDS ${CMAKE_BINARY_DIR}/pt_layers.stamp)
# Every library waits for the check, so a wrong include stops the build before it compiles.
foreach(layer ${PT_LAYERS})
  foreach(target pt_${layer} pt_${layer}_gui)
    if(TARGET ${target})
      get_target_property(type ${target} TYPE)
      if(NOT type STREQUAL "INTERFACE_LIBRARY")
        add_dependencies(${target} pt_layers)
      endif()
    endif()
  endforeach()
endforeach()
