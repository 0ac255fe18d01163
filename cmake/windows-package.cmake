# The Windows zip: korva-counter-<version>-win64.zip with the programs, a German README and the
# licences in one folder, nothing to install. Every program installed with install(TARGETS ...)
# lands there. tools/package.sh adds the web page to the one it publishes.
set(CMAKE_INSTALL_BINDIR . CACHE STRING "" FORCE)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/windows/LIESMICH.txt
              ${PROJECT_SOURCE_DIR}/packaging/windows/LIZENZEN.txt DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME korva-counter)
set(CPACK_PACKAGE_FILE_NAME korva-counter-${PROJECT_VERSION}-win64)
set(CPACK_STRIP_FILES TRUE)
include(CPack)

# A test per shipped program that it runs from a bare folder (see check_windows_exe.cmake).
function(korva_check_windows_exe target)
  if(BUILD_TESTING)
    add_test(NAME windows_exe.${target}
             COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${CMAKE_OBJDUMP} -DEXE=$<TARGET_FILE:${target}>
                     -P ${PROJECT_SOURCE_DIR}/cmake/check_windows_exe.cmake)
  endif()
endfunction()
