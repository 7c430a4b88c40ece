# Web tree: the core compiled to WebAssembly with Emscripten, under the web
# page settings.html, which inlines it with the page's script and styles into
# one file that works from a file:// address: build/web/settings.html.
find_package(Python3 REQUIRED COMPONENTS Interpreter)

set(WEB_DIR ${PROJECT_SOURCE_DIR}/src/web)
set(GENERATED ${CMAKE_BINARY_DIR}/generated)
set(CLDR /usr/share/unicode/cldr/common)

# The language tables, byte for byte as the program carries them, and the
# page's own.
set(LANG ${PROJECT_SOURCE_DIR}/res/lang)
add_custom_command(OUTPUT ${GENERATED}/lang_images.inc
  COMMAND ${Python3_EXECUTABLE} ${WEB_DIR}/build/embed_bytes.py ${GENERATED}/lang_images.inc
    kEnglish=${LANG}/english.lang kFrench=${LANG}/french.lang
    kPageEnglish=${LANG}/page_english.lang kPageFrench=${LANG}/page_french.lang
  DEPENDS ${WEB_DIR}/build/embed_bytes.py ${LANG}/english.lang ${LANG}/french.lang
    ${LANG}/page_english.lang ${LANG}/page_french.lang)

# Windows' zones, and which of them a browser's zone is (Debian's
# unicode-cldr-core).
add_custom_command(OUTPUT ${GENERATED}/zone_data.inc
  COMMAND ${Python3_EXECUTABLE} ${WEB_DIR}/zones/make_zone_source.py
    ${WEB_DIR}/zones/windows_zones.tsv ${CLDR}/supplemental/windowsZones.xml
    ${CLDR}/bcp47/timezone.xml ${GENERATED}/zone_data.inc
  DEPENDS ${WEB_DIR}/zones/make_zone_source.py ${WEB_DIR}/zones/windows_zones.tsv
    ${CLDR}/supplemental/windowsZones.xml ${CLDR}/bcp47/timezone.xml)

file(GLOB WEB_API_SOURCES CONFIGURE_DEPENDS ${WEB_DIR}/api/*.cpp)
add_executable(settings_core ${WEB_API_SOURCES} ${GENERATED}/lang_images.inc
  ${GENERATED}/zone_data.inc)
target_include_directories(settings_core PRIVATE ${GENERATED})
target_link_libraries(settings_core PRIVATE core)
set_target_properties(settings_core PROPERTIES SUFFIX ".js")
# A JavaScript factory the page calls, and the WebAssembly beside it, which
# the page carries compressed and hands to the factory itself (inline_page.py);
# no file system of Emscripten's, the files are the page's own
# (memory_files.cpp).
target_link_options(settings_core PRIVATE
  -sMODULARIZE=1 -sEXPORT_NAME=createCore -sENVIRONMENT=web
  -sALLOW_MEMORY_GROWTH=1 -sMALLOC=emmalloc -sFILESYSTEM=0 -sEXPORTED_FUNCTIONS=_malloc,_free
  -sEXPORTED_RUNTIME_METHODS=ccall,UTF8ToString)

# The pictures of the program that the page shows: the security LED's
# patterns, whose numbers the core's table of the Additional page gives.
set(PAGE_PICTURES 172 173)
set(PNG ${PROJECT_SOURCE_DIR}/res/png)
file(GLOB PAGE_SOURCES CONFIGURE_DEPENDS ${WEB_DIR}/page/*)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/settings.html
  COMMAND ${Python3_EXECUTABLE} ${WEB_DIR}/build/inline_page.py ${WEB_DIR}/page
    $<TARGET_FILE:settings_core> $<TARGET_FILE_DIR:settings_core>/settings_core.wasm
    ${CMAKE_BINARY_DIR}/settings.html ${PNG} ${PAGE_PICTURES}
  DEPENDS ${WEB_DIR}/build/inline_page.py ${PAGE_SOURCES} settings_core
    ${PNG}/172.png ${PNG}/173.png ${PNG}/2172.png ${PNG}/2173.png)
add_custom_target(settings_page ALL DEPENDS ${CMAKE_BINARY_DIR}/settings.html)

# The page in headless Chromium (tests/web), with the node packages that
# scripts/test.sh installs into tests/web/node_modules.
add_test(NAME web_page
  COMMAND node --test ${PROJECT_SOURCE_DIR}/tests/web/)
set_tests_properties(web_page PROPERTIES TIMEOUT 600
  ENVIRONMENT "SETTINGS_PAGE=${CMAKE_BINARY_DIR}/settings.html")
