# GCC for mingw-w64 aligns the stack to 16 bytes only, yet may keep 32-byte AVX2 values there and
# move them with aligned instructions (vmovdqa), which fault on Windows when the slot lands off a
# 32-byte boundary. The assembler can encode every aligned vector move as an unaligned one, which
# costs nothing on CPUs with AVX2.
include(CheckCXXSourceCompiles)
set(CMAKE_REQUIRED_FLAGS "-Wa,-muse-unaligned-vector-move")
check_cxx_source_compiles("int main() { return 0; }" KORVA_AS_UNALIGNED_VECTOR_MOVE)
unset(CMAKE_REQUIRED_FLAGS)
if(NOT KORVA_AS_UNALIGNED_VECTOR_MOVE)
  message(FATAL_ERROR "The assembler lacks -muse-unaligned-vector-move (binutils 2.38 or later "
                      "is needed for AVX2 code on Windows)")
endif()
add_compile_options(-Wa,-muse-unaligned-vector-move)
