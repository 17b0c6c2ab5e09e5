# Each subsystem folder gives two libraries:
#   name/*.cpp      -> pt_<name>      logic: wx base, std, no windows, no GL
#   name/gui/*.cpp  -> pt_<name>_gui  windows and drawing, on its own logic and the window
#                                    libraries of the layers below
# A folder without sources of a layer still gets the target (an interface library), so
# the link lines stay the same while the tree grows. There are no cycles.

# pt_logic_library(name DEPS libs...)
function(pt_logic_library name)
  cmake_parse_arguments(PT "" "" "DEPS" ${ARGN})
  file(GLOB src CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${name}/*.cpp)
  if(src)
    add_library(pt_${name} STATIC ${src})
    target_link_libraries(pt_${name} PUBLIC ${PT_DEPS} ${PT_WX_BASE_LIBS} Threads::Threads)
  else()
    add_library(pt_${name} INTERFACE)
    target_link_libraries(pt_${name} INTERFACE ${PT_DEPS} ${PT_WX_BASE_LIBS} Threads::Threads)
  endif()
endfunction()

# pt_gui_library(name DEPS libs...): links exactly the given libraries, wx core and GL.
function(pt_gui_library name)
  cmake_parse_arguments(PT "" "" "DEPS" ${ARGN})
  file(GLOB src CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${name}/gui/*.cpp)
  if(src)
    add_library(pt_${name}_gui STATIC ${src})
    target_link_libraries(pt_${name}_gui PUBLIC ${PT_DEPS}
      ${PT_WX_GUI_LIBS} OpenGL::GL OpenGL::GLU GLUT::GLUT)
    target_precompile_headers(pt_${name}_gui PRIVATE <wx/wx.h> <GL/gl.h> <GL/glu.h>)
  else()
    add_library(pt_${name}_gui INTERFACE)
    target_link_libraries(pt_${name}_gui INTERFACE ${PT_DEPS}
      ${PT_WX_GUI_LIBS} OpenGL::GL OpenGL::GLU GLUT::GLUT)
  endif()
endfunction()
