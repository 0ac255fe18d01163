# Most tests run on the machine's own CPU, which has AVX2, so the dispatch takes the AVX2 kernel
# there. A PC without AVX2 runs the scalar kernel through the same dispatch: these entries run a
# test program again under qemu-x86_64 emulating such a CPU (Westmere, 2010: SSE4.2, no AVX),
# where an AVX2 instruction the dispatch let through ends the program with SIGILL. Only where
# qemu-user is installed (tools/deps.sh test); the program must be built for this machine.
# The sanitizers' builds leave it out: their runtimes' memory layout is not qemu-user's.
option(KORVA_TEST_WITHOUT_AVX2 "Run the tests again under qemu on a CPU without AVX2" ON)
find_program(KORVA_QEMU_X86_64 qemu-x86_64)
set(KORVA_CPU_WITHOUT_AVX2 Westmere CACHE STRING "qemu's name of a CPU without AVX2")

# Adds the test `name`: target run under qemu with the arguments after it. korva-count, as the
# end-to-end tests start it, runs under qemu too (KORVA_COUNT_EMULATOR, frontends/cli/tests/process_posix.cpp).
function(korva_add_test_without_avx2 name target)
  if(NOT KORVA_TEST_WITHOUT_AVX2 OR NOT KORVA_QEMU_X86_64 OR CMAKE_CROSSCOMPILING
     OR NOT CMAKE_SYSTEM_PROCESSOR MATCHES "x86_64|AMD64")
    return()
  endif()
  set(qemu ${KORVA_QEMU_X86_64} -cpu ${KORVA_CPU_WITHOUT_AVX2})
  add_test(NAME ${name} COMMAND ${qemu} $<TARGET_FILE:${target}> ${ARGN})
  list(JOIN qemu " " emulator)
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "KORVA_COUNT_EMULATOR=${emulator}"
                                          LABELS without_avx2)
endfunction()
