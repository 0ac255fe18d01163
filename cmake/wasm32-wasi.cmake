# WebAssembly without a host: clang 14 for wasm32-wasi with Debian's wasi-libc and libc++.
# The modules built with it import nothing, so a page runs them without any JavaScript glue.
set(CMAKE_SYSTEM_NAME Generic)
set(CMAKE_SYSTEM_PROCESSOR wasm32)
set(KORVA_WASM ON)

set(CMAKE_C_COMPILER clang-14)
set(CMAKE_CXX_COMPILER clang++-14)
set(CMAKE_C_COMPILER_TARGET wasm32-wasi)
set(CMAKE_CXX_COMPILER_TARGET wasm32-wasi)

# Debian's wasm32 libc++abi has no exception support.
set(CMAKE_CXX_FLAGS_INIT "-fno-exceptions -D_LIBCPP_DISABLE_EXTERN_TEMPLATE")
# Unused code and all names go; the linker's padded relocations are written short. The link runs
# at -O0: at any other level clang runs binaryen's wasm-opt itself wherever that is installed, on
# the stripped file, which lacks the features section and so fails with SIMD. The page's module
# runs wasm-opt on its own terms (frontends/web/module).
set(CMAKE_EXE_LINKER_FLAGS_INIT "-O0 -Wl,--gc-sections -Wl,--strip-all -Wl,--compress-relocations")

set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
