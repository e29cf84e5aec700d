# Modules that share one C++ runtime: the framework DLL, the design-time package and the form
# designer. The project links programs and DLLs with -static; a folder that includes this file
# links its modules against the runtime DLLs instead, and tovix_shared_runtime copies those DLLs
# into the designer's folder, beside the modules that import them (the loader looks there first).
string(REGEX REPLACE "(^| )-static( |$)" " " CMAKE_EXE_LINKER_FLAGS "${CMAKE_EXE_LINKER_FLAGS}")
string(REGEX REPLACE "(^| )-static( |$)" " " CMAKE_SHARED_LINKER_FLAGS "${CMAKE_SHARED_LINKER_FLAGS}")
set(TOVIX_DESIGNER_DIR ${PROJECT_BINARY_DIR}/designer)

if(NOT TARGET tovix_shared_runtime)
  set(TOVIX_RUNTIME_DLLS)
  foreach(name libstdc++-6.dll libgcc_s_seh-1.dll libgcc_s_dw2-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${name}
                    OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${path}")
      find_file(path_${name} ${name} PATHS /usr/${TOVIX_MINGW_TRIPLE}/lib /usr/${TOVIX_MINGW_TRIPLE}/bin NO_DEFAULT_PATH)
      set(path ${path_${name}})
    endif()
    if(EXISTS "${path}")
      list(APPEND TOVIX_RUNTIME_DLLS ${path})
    endif()
  endforeach()
  list(LENGTH TOVIX_RUNTIME_DLLS count)
  if(count LESS 3)
    message(FATAL_ERROR "The C++ runtime DLLs were not all found (found: ${TOVIX_RUNTIME_DLLS})")
  endif()
  set(TOVIX_RUNTIME_DLLS ${TOVIX_RUNTIME_DLLS} CACHE INTERNAL "C++ runtime DLLs the designer's modules import")
  add_custom_target(tovix_shared_runtime
    COMMAND ${CMAKE_COMMAND} -E make_directory ${TOVIX_DESIGNER_DIR}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${TOVIX_RUNTIME_DLLS} ${TOVIX_DESIGNER_DIR}
    COMMENT "Copying the C++ runtime DLLs beside the form designer")
endif()
