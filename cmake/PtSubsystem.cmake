# pt_subsystem(name DEPS libs...)
#   name/*.cpp      -> pt_<name>      logic: wx base, std, no windows, no GL
#   name/gui/*.cpp  -> pt_<name>_gui  windows and drawing, on top of pt_<name>
# A folder without sources of a layer still gets the target (an interface library),
# so the link lines of later subsystems stay the same while the tree grows.
function(pt_subsystem name)
  cmake_parse_arguments(PT "" "" "DEPS" ${ARGN})
  file(GLOB logic_src CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${name}/*.cpp)
  file(GLOB gui_src CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${name}/gui/*.cpp)

  if(logic_src)
    add_library(pt_${name} STATIC ${logic_src})
    target_link_libraries(pt_${name} PUBLIC ${PT_DEPS} ${PT_WX_BASE_LIBS} Threads::Threads)
  else()
    add_library(pt_${name} INTERFACE)
    target_link_libraries(pt_${name} INTERFACE ${PT_DEPS} ${PT_WX_BASE_LIBS} Threads::Threads)
  endif()

  if(PT_PURE_ONLY)
    return()
  endif()

  set(gui_deps)
  foreach(dep ${PT_DEPS})
    list(APPEND gui_deps ${dep}_gui)
  endforeach()
  if(gui_src)
    add_library(pt_${name}_gui STATIC ${gui_src})
    target_link_libraries(pt_${name}_gui PUBLIC pt_${name} ${gui_deps}
      ${PT_WX_GUI_LIBS} OpenGL::GL OpenGL::GLU GLUT::GLUT)
    target_precompile_headers(pt_${name}_gui PRIVATE <wx/wx.h> <GL/gl.h> <GL/glu.h>)
  else()
    add_library(pt_${name}_gui INTERFACE)
    target_link_libraries(pt_${name}_gui INTERFACE pt_${name} ${gui_deps}
      ${PT_WX_GUI_LIBS} OpenGL::GL OpenGL::GLU GLUT::GLUT)
  endif()
endfunction()
