# The project's libraries and the one way to add a unit to them.
#
#   tovix_add_unit(<library> SOURCES a.cpp b.cpp [RESOURCES a.rc] [RESOURCE_DEPENDS a.bmp a.ico])
#
# adds a unit's sources to <library> (tovix_framework or tovix) and compiles its resource scripts
# into the library's resource objects. A static library drops resource objects that no code
# references, so resources are not archived: every program or DLL that links the library gets the
# object files themselves, from the build tree or from an installed copy (lib/tovix/<name>.res).
# RESOURCE_DEPENDS names the files a script pulls in (bitmaps, icons, form files), so that editing
# one rebuilds the script. Relative paths are taken from the calling folder.

function(tovix_add_unit library)
  cmake_parse_arguments(PARSE_ARGV 1 UNIT "" "" "SOURCES;RESOURCES;RESOURCE_DEPENDS")
  if(UNIT_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "tovix_add_unit: unexpected arguments ${UNIT_UNPARSED_ARGUMENTS}")
  endif()
  target_sources(${library} PRIVATE ${UNIT_SOURCES})
  if(UNIT_RESOURCES)
    tovix_add_unit_resources(${library} "${UNIT_RESOURCES}" "${UNIT_RESOURCE_DEPENDS}")
  endif()
endfunction()

# The resource objects of a library: made on first use, linked into every module that links it.
function(tovix_resource_objects library out)
  set(objects ${library}_resources)
  if(NOT TARGET ${objects})
    add_library(${objects} OBJECT)
    target_link_libraries(${library} INTERFACE $<BUILD_INTERFACE:$<TARGET_OBJECTS:${objects}>>)
    add_dependencies(${library} ${objects})
    install(FILES $<TARGET_OBJECTS:${objects}> DESTINATION ${CMAKE_INSTALL_LIBDIR}/tovix)
  endif()
  set(${out} ${objects} PARENT_SCOPE)
endfunction()

function(tovix_add_unit_resources library scripts depends)
  tovix_resource_objects(${library} objects)
  list(TRANSFORM depends PREPEND "${CMAKE_CURRENT_SOURCE_DIR}/" REGEX "^[^/]")
  foreach(script IN LISTS scripts)
    target_sources(${objects} PRIVATE ${script})
    if(depends)
      set_source_files_properties(${script} PROPERTIES OBJECT_DEPENDS "${depends}")
    endif()
    # The installed copy of the object: windres output is named after the script.
    get_filename_component(name ${script} NAME)
    target_link_libraries(${library} INTERFACE
      $<INSTALL_INTERFACE:$<INSTALL_PREFIX>/${CMAKE_INSTALL_LIBDIR}/tovix/${name}.res>)
  endforeach()
endfunction()
