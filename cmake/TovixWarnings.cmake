# Applies the project's warning set to one of its own targets (never to third-party code).
function(tovix_set_warnings target)
  # GCC 12 reports -Wrestrict falsely for "literal" + std::string temporaries (GCC bug 105329).
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wno-restrict)
  if(TOVIX_WARNINGS_AS_ERRORS)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
