# Applies the project's warning set to one of its own targets (never to third-party code).
function(tovix_set_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  if(TOVIX_WARNINGS_AS_ERRORS)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
