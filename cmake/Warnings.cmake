# Warnings are on everywhere and kept at zero: a warning fails the build.
add_compile_options(
  -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual -Wformat=2 -Werror)

# Code that parses untrusted bytes also refuses silent narrowing.
function(cvq_strict_conversions target)
  target_compile_options(${target} PRIVATE -Wconversion -Wsign-conversion)
endfunction()
