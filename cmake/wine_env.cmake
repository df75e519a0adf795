# The Wine environment of the build: a 32-bit prefix under the build folder
# (never in the user's home), the product installed in it as on a real
# machine, and the runner that cross-built programs and tests go through.
set(PLNX_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
set(PLNX_WINDIR ${PLNX_WINEPREFIX}/drive_c/windows)
set(PLNX_WINE_RUN ${CMAKE_BINARY_DIR}/wine-run)
set(PLNX_XVFB_CTL ${CMAKE_SOURCE_DIR}/tools/xvfb-ctl)
# A 32-bit build runs under 32-bit Wine, a 64-bit build under 64-bit Wine.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(PLNX_WINEARCH win32)
  set(PLNX_WINE_LOADER /usr/lib/wine/wine)
  set(PLNX_WINESERVER /usr/lib/wine/wineserver32)
else()
  set(PLNX_WINEARCH win64)
  set(PLNX_WINE_LOADER /usr/lib/wine/wine64)
  set(PLNX_WINESERVER /usr/lib/wine/wineserver64)
endif()
# Whether this machine can run the build's programs under Wine at all (a
# kernel without 32-bit support cannot run 32-bit Wine).
option(PLNX_RUN_WINE_TESTS "Register the tests that run under Wine" ON)
configure_file(${CMAKE_SOURCE_DIR}/tools/wine-run.in ${PLNX_WINE_RUN} @ONLY FILE_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${PLNX_WINE_RUN})

if(NOT PLNX_RUN_WINE_TESTS)
  # Wine cannot run this build's programs here: no prefix, nothing to install.
  add_custom_target(wine_install)
  return()
endif()

# Creating the prefix once; the stamp keeps later builds from repeating it.
set(PLNX_PREFIX_STAMP ${PLNX_WINEPREFIX}/.plnx-prefix-created)
add_custom_command(OUTPUT ${PLNX_PREFIX_STAMP}
  COMMAND ${CMAKE_SOURCE_DIR}/tools/make-wineprefix ${PLNX_WINEPREFIX} ${PLNX_WINEARCH} ${PLNX_WINE_LOADER} ${PLNX_WINESERVER}
  DEPENDS ${CMAKE_SOURCE_DIR}/tools/make-wineprefix
  COMMENT "Creating the Wine prefix ${PLNX_WINEPREFIX}")

# One install step copies the built modules into the prefix:
#   C:\windows\TWAIN_32\PLNX_Q7B.DS          the data source
#   C:\windows\TWAIN_32\PLNX_Q7B\            port driver and run-time modules
#   C:\windows\system32\TWAIN_32.DLL         the source manager
set(PLNX_INSTALL_MODULES PLNX_Q7B TWAIN_32 PLNX_Q7B_IOB)
add_custom_target(wine_install ALL
  COMMAND ${CMAKE_COMMAND} -E make_directory ${PLNX_WINDIR}/TWAIN_32/PLNX_Q7B
  COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:PLNX_Q7B> ${PLNX_WINDIR}/TWAIN_32/PLNX_Q7B.DS
  COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:PLNX_Q7B_IOB> ${PLNX_WINDIR}/TWAIN_32/PLNX_Q7B/PLNX_Q7B.IOB
  COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:TWAIN_32> ${PLNX_WINDIR}/system32/TWAIN_32.DLL
  DEPENDS ${PLNX_PREFIX_STAMP} ${PLNX_INSTALL_MODULES}
  COMMENT "Installing the modules into the Wine prefix")

# Xvfb for the tests that show windows, started and stopped as test fixtures;
# the stop also ends the wineserver so nothing outlives the run.
add_test(NAME xvfb_start COMMAND ${PLNX_XVFB_CTL} start ${CMAKE_BINARY_DIR})
add_test(NAME wine_stop COMMAND ${PLNX_XVFB_CTL} stop ${CMAKE_BINARY_DIR} ${PLNX_WINEPREFIX} ${PLNX_WINESERVER})
set_tests_properties(xvfb_start PROPERTIES FIXTURES_SETUP wine_display RESOURCE_LOCK wineprefix)
set_tests_properties(wine_stop PROPERTIES FIXTURES_CLEANUP wine_display RESOURCE_LOCK wineprefix)

# Every test that runs under Wine shares the prefix (and its WIN.INI), so they
# run one at a time and inside the display fixture.
function(plnx_wine_test_properties)
  set_tests_properties(${ARGN} PROPERTIES FIXTURES_REQUIRED wine_display RESOURCE_LOCK wineprefix)
endfunction()
