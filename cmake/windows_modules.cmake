# Settings shared by every module of the Windows build: static runtime, no
# mingw DLLs needed at run time, resources compiled by windres as UTF-8.
enable_language(RC)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")
add_link_options(-static -static-libgcc -static-libstdc++)
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0501 WINVER=0x0501)

# stdcall names carry their argument size on 32-bit Windows only.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(PLNX_DSM_ENTRY_SYMBOL "DSM_Entry@24")
  add_link_options(-Wl,--enable-stdcall-fixup)
else()
  set(PLNX_DSM_ENTRY_SYMBOL "DSM_Entry")
endif()

# The Win32 side of the data source, as a static library so that in-process
# tests under Wine can link it too; the subsystem folders add their sources.
add_library(plnx_ds_core STATIC)
target_link_libraries(plnx_ds_core PUBLIC plnx_portable user32 gdi32 kernel32)

# The data source module: the entry point, the resources and the core.
add_library(PLNX_Q7B SHARED)
set_target_properties(PLNX_Q7B PROPERTIES PREFIX "" SUFFIX ".DS" OUTPUT_NAME PLNX_Q7B)

# Import library for the source manager's entry point, bound by ordinal 1.
set(PLNX_TWAIN32_IMPORT_DEF ${CMAKE_BINARY_DIR}/twain32_import.def)
file(WRITE ${PLNX_TWAIN32_IMPORT_DEF} "LIBRARY TWAIN_32.DLL\nEXPORTS\n${PLNX_DSM_ENTRY_SYMBOL} @1 NONAME\n")
set(PLNX_TWAIN32_IMPLIB ${CMAKE_BINARY_DIR}/libtwain32_ordinal.a)
add_custom_command(OUTPUT ${PLNX_TWAIN32_IMPLIB}
  COMMAND ${PLNX_MINGW_PREFIX}-dlltool -d ${PLNX_TWAIN32_IMPORT_DEF} -l ${PLNX_TWAIN32_IMPLIB}
  DEPENDS ${PLNX_TWAIN32_IMPORT_DEF})
add_custom_target(twain32_implib DEPENDS ${PLNX_TWAIN32_IMPLIB})
add_dependencies(PLNX_Q7B twain32_implib)
target_link_libraries(PLNX_Q7B PRIVATE plnx_ds_core ${PLNX_TWAIN32_IMPLIB})
target_link_libraries(plnx_ds_core PUBLIC ${PLNX_TWAIN32_IMPLIB})
add_dependencies(plnx_ds_core twain32_implib)

# GoogleTest built by the cross compiler for the tests that run under Wine.
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
