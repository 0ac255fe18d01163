# Most tests run on the machine's own CPU, which has AVX2, so the dispatch takes the AVX2 kernel
# there. Older PCs run the same dispatch to other kernels: these entries run a test program again
# under qemu-x86_64 emulating such a CPU, where an instruction the dispatch let through ends the
# program with SIGILL:
# - without_avx2: AVX but not AVX2 (SandyBridge, 2011), which takes the SSE4.2 kernel; a dispatch
#   that asks for AVX where it needs AVX2 dies here;
# - without_avx: SSE4.2 but not AVX (Nehalem, 2008), the SSE4.2 kernel;
# - without_sse42: neither SSE4.2 nor SSSE3 (qemu64), the scalar kernel.
# SandyBridge is named without the two features qemu-user cannot give, which would otherwise be
# warned about on every run of korva-count, in the very output the tests read.
# Only where qemu-user is installed (tools/deps.sh test); the program must be built for this
# machine. The sanitizers' builds leave it out: their runtimes' memory layout is not qemu-user's.
option(KORVA_TEST_WITHOUT_AVX2 "Run the tests again under qemu on CPUs without AVX2" ON)
find_program(KORVA_QEMU_X86_64 qemu-x86_64)
set(KORVA_QEMU_CPU_without_avx2 "SandyBridge,-x2apic,-tsc-deadline")
set(KORVA_QEMU_CPU_without_avx Nehalem)
set(KORVA_QEMU_CPU_without_sse42 qemu64)

# Adds the test `name`.`cpu` for each cpu named after target (without_avx2, without_avx,
# without_sse42): target run under qemu on that CPU, with the arguments after ARGS. korva-count,
# as the end-to-end tests start it, runs under qemu too (KORVA_COUNT_EMULATOR,
# frontends/cli/tests/process_posix.cpp).
function(korva_add_test_without_avx2 name target)
  if(NOT KORVA_TEST_WITHOUT_AVX2 OR NOT KORVA_QEMU_X86_64 OR CMAKE_CROSSCOMPILING
     OR NOT CMAKE_SYSTEM_PROCESSOR MATCHES "x86_64|AMD64")
    return()
  endif()
  cmake_parse_arguments(PARSE_ARGV 2 run "" "" "CPUS;ARGS")
  foreach(cpu IN LISTS run_CPUS)
    set(qemu ${KORVA_QEMU_X86_64} -cpu ${KORVA_QEMU_CPU_${cpu}})
    add_test(NAME ${name}.${cpu} COMMAND ${qemu} $<TARGET_FILE:${target}> ${run_ARGS})
    list(JOIN qemu " " emulator)
    set_tests_properties(${name}.${cpu} PROPERTIES ENVIRONMENT "KORVA_COUNT_EMULATOR=${emulator}"
                                                   LABELS without_avx2)
  endforeach()
endfunction()
