# Warnings for the project's own targets (not for GoogleTest's sources).
function(faxbook_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow
    -Wconversion -Wno-sign-conversion -Wnon-virtual-dtor -Wcast-align)
endfunction()
