# tovix_add_com_server(<name> <sources>...)
#
# Builds an in-process COM server DLL <name>.dll on the framework. One of its sources includes
# framework/ComServ.h, which exports the four server entry points; on 32-bit Windows they are
# exported without their stdcall decoration, as COM and installers look them up by plain name.
function(tovix_add_com_server name)
  add_library(${name} SHARED ${ARGN})
  set_target_properties(${name} PROPERTIES PREFIX "")
  target_link_libraries(${name} PRIVATE tovix_framework)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    target_link_options(${name} PRIVATE -Wl,--kill-at)
  endif()
  tovix_set_warnings(${name})
endfunction()
