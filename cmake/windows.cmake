# Windows tree: the program, its Win32 layer and the Windows-side tests.
enable_language(RC)

add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
  _WIN32_WINNT=0x0601 WINVER=0x0601)
add_link_options(-static -static-libgcc -static-libstdc++)
# Each function and datum in a section of its own, so the linker drops
# whatever the program does not use.
add_compile_options(-ffunction-sections -fdata-sections)
add_link_options(-Wl,--gc-sections)

# The loader looks for an imported DLL beside the program before the system
# folder unless Windows always takes it from there, and the program runs from
# the card and from a folder the user can write to. So it imports at load
# time only such DLLs; the others are delay-loaded, and the program binds
# them once it has restricted the DLL search to the system folder. ole32
# and oleaut32 are always taken from there, but are delay-loaded as well:
# only a screen reader needs them, and loading them costs every start. The
# import libraries for that are made here from the toolchain's own.
set(WIN_DELAY_LOADED_DLLS gdiplus comctl32 shell32 oleacc ole32 oleaut32)
set(WIN_SYSTEM_LIBS shlwapi uuid advapi32 gdi32 user32 kernel32)
foreach(dll ${WIN_DELAY_LOADED_DLLS})
  find_library(${dll}_IMPORT_LIBRARY ${dll} REQUIRED)
  execute_process(COMMAND ${CMAKE_NM} -g --defined-only ${${dll}_IMPORT_LIBRARY}
    OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
  string(REGEX MATCHALL " T [A-Za-z0-9_]+" functions "${symbols}")
  list(TRANSFORM functions REPLACE "^ T " "")
  # Interface ids are data, not functions: the program takes them from the
  # headers (__uuidof), and a thunk under their name would only mislead.
  list(FILTER functions EXCLUDE REGEX "^(IID|LIBID)_")
  list(JOIN functions "\n" exports)
  # dlltool names the library's descriptor after the file name given here,
  # __DELAY_IMPORT_DESCRIPTOR_lib<dll>_delay_a, which the program binds.
  set(directory ${CMAKE_BINARY_DIR}/delayload)
  file(WRITE ${directory}/${dll}.def "LIBRARY ${dll}.dll\nEXPORTS\n${exports}\n")
  execute_process(COMMAND ${CMAKE_DLLTOOL} --input-def ${dll}.def
    --output-delaylib lib${dll}_delay.a
    WORKING_DIRECTORY ${directory} COMMAND_ERROR_IS_FATAL ANY)
  list(APPEND WIN_SYSTEM_LIBS ${directory}/lib${dll}_delay.a)
endforeach()

# Everything of the Win32 side except the entry point, so tests link it too.
file(GLOB_RECURSE WIN_SOURCES CONFIGURE_DEPENDS src/win/*.cpp)
list(FILTER WIN_SOURCES EXCLUDE REGEX ".*/src/win/main\\.cpp$")
add_library(winlayer STATIC ${WIN_SOURCES})
target_link_libraries(winlayer PUBLIC core ${WIN_SYSTEM_LIBS})
target_include_directories(winlayer PUBLIC res)

set(APP_RC ${PROJECT_SOURCE_DIR}/res/app.rc)
# The program carries the web page and puts it back on the card after a
# format, so it cannot be built without it: the web tree makes it first.
set(SETTINGS_PAGE_DIR ${PROJECT_SOURCE_DIR}/build/web CACHE PATH
  "Folder of settings.html, the web page the program carries")
if(NOT EXISTS ${SETTINGS_PAGE_DIR}/settings.html)
  message(FATAL_ERROR "No ${SETTINGS_PAGE_DIR}/settings.html: build the web page first "
    "(cmake --preset web && cmake --build --preset web).")
endif()
file(GLOB_RECURSE RES_FILES CONFIGURE_DEPENDS res/*.png res/*.lang res/*.rc
  res/*.h res/*.manifest res/*.ico)
set_source_files_properties(${APP_RC} PROPERTIES
  OBJECT_DEPENDS "${RES_FILES};${SETTINGS_PAGE_DIR}/settings.html"
  INCLUDE_DIRECTORIES ${SETTINGS_PAGE_DIR})

add_executable(R470_Setting WIN32 src/win/main.cpp ${APP_RC})
target_link_libraries(R470_Setting PRIVATE winlayer)
target_link_options(R470_Setting PRIVATE -municode -mwindows -s)
# No DLL outside the allowed list is imported when the program is loaded.
add_test(NAME program_imports
  COMMAND bash ${PROJECT_SOURCE_DIR}/tests/win/program_imports.sh
    $<TARGET_FILE:R470_Setting> ${CMAKE_OBJDUMP})

# The program again, honouring the test-only settings of
# src/win/card/test_hooks.h and marking its start-up phases
# (src/win/app/start_phases.h), both of which the shipped program compiles
# out. Its own objects of these come before the library's, so the
# library's are never linked in.
add_executable(R470_Setting_testhooks WIN32 src/win/main.cpp src/win/card/test_hooks.cpp
  src/win/app/start_phases.cpp ${APP_RC})
target_compile_definitions(R470_Setting_testhooks PRIVATE R470_TEST_HOOKS)
target_link_libraries(R470_Setting_testhooks PRIVATE winlayer)
target_link_options(R470_Setting_testhooks PRIVATE -municode -mwindows -s)

# GoogleTest built by the cross compiler from Debian's sources.
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

file(GLOB_RECURSE WIN_TEST_SOURCES CONFIGURE_DEPENDS tests/win/*.cpp)
# Test-only resources (pictures made for a test) live beside the tests.
file(GLOB WIN_TEST_RC CONFIGURE_DEPENDS tests/win/*.rc)
add_executable(win_tests ${WIN_TEST_SOURCES} ${APP_RC} ${WIN_TEST_RC})
target_include_directories(win_tests PRIVATE res)
target_link_libraries(win_tests PRIVATE winlayer gtest gtest_main)
target_link_options(win_tests PRIVATE -mconsole)
# One ctest test for the whole Windows suite: each Wine start costs time.
add_test(NAME win_tests COMMAND win_tests)
set_tests_properties(win_tests PROPERTIES TIMEOUT 600)

# The layout again at other display scales, each in a Wine prefix of its own.
foreach(dpi 120 144 192)
  add_test(NAME win_tests_at_${dpi}dpi
    COMMAND bash ${PROJECT_SOURCE_DIR}/tests/win/at_display_scale.sh ${dpi}
      $<TARGET_FILE:win_tests> --gtest_filter=DisplayScale.*)
  set_tests_properties(win_tests_at_${dpi}dpi PROPERTIES RESOURCE_LOCK wine_display TIMEOUT 120)
endforeach()

# End-to-end tests start the real program under Wine. They share the Wine
# drive E: and the screen, so they never run beside each other or the
# Windows suite.
set_tests_properties(win_tests PROPERTIES RESOURCE_LOCK wine_display)
file(GLOB E2E_SCRIPTS CONFIGURE_DEPENDS tests/e2e/*.sh)
foreach(script ${E2E_SCRIPTS})
  get_filename_component(name ${script} NAME_WE)
  add_test(NAME e2e_${name}
    COMMAND bash ${script} $<TARGET_FILE:R470_Setting> ${CMAKE_BINARY_DIR}/screenshots/${name})
  set_tests_properties(e2e_${name} PROPERTIES RESOURCE_LOCK wine_display TIMEOUT 300)
endforeach()

# The randomised input test: a driver of its own that starts the real
# program on random cards, gives it random real input and checks that Save
# writes what the screen shows. A short fixed run is part of the tests;
# scripts/monkey.sh runs longer ones.
file(GLOB MONKEY_SOURCES CONFIGURE_DEPENDS tests/monkey/*.cpp)
add_executable(monkey ${MONKEY_SOURCES})
target_include_directories(monkey PRIVATE res)
target_link_libraries(monkey PRIVATE comctl32 advapi32 user32)
target_link_options(monkey PRIVATE -municode -mconsole)
add_test(NAME monkey
  COMMAND bash ${PROJECT_SOURCE_DIR}/tests/monkey/run.sh $<TARGET_FILE:monkey>
    $<TARGET_FILE:R470_Setting> --regression-and 1 20 40)
set_tests_properties(monkey PROPERTIES RESOURCE_LOCK wine_display TIMEOUT 400)
