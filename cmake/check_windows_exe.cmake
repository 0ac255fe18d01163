# Fails when a Windows program would not run from a bare folder on any 64-bit Windows: when it
# imports a DLL of the compiler's runtime (libstdc++, libgcc, libwinpthread, which Windows lacks),
# or when it holds an aligned 32-byte vector move into memory, which faults where the stack is
# aligned to 16 bytes only.
# Usage: cmake -DOBJDUMP=x86_64-w64-mingw32-objdump -DEXE=program.exe -P check_windows_exe.cmake
execute_process(COMMAND ${OBJDUMP} -p ${EXE} OUTPUT_VARIABLE headers RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${OBJDUMP} -p ${EXE} failed")
endif()
string(REGEX MATCHALL "DLL Name: [^\r\n]+" imports "${headers}")
if(NOT imports)
  message(FATAL_ERROR "${EXE}: no imported DLLs found; is it a Windows program?")
endif()
message(STATUS "${EXE} imports: ${imports}")
foreach(import IN LISTS imports)
  string(TOLOWER "${import}" name)
  if(name MATCHES "dll name: lib")
    message(FATAL_ERROR "${EXE} needs a DLL that Windows does not have: ${import}")
  endif()
endforeach()

execute_process(COMMAND ${OBJDUMP} -d --no-show-raw-insn ${EXE} OUTPUT_VARIABLE code
                RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${OBJDUMP} -d ${EXE} failed")
endif()
string(REGEX MATCHALL "vmov(dqa|dqa32|dqa64|aps|apd|ntdq|ntps|ntpd)[ \t]+[^\n]*%ymm[^\n]*"
       moves "${code}")
foreach(move IN LISTS moves)
  if(move MATCHES "\\(")
    message(FATAL_ERROR "${EXE} holds an aligned 32-byte move into memory: ${move}")
  endif()
endforeach()
