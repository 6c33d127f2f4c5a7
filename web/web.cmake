# The browser's page of the game (included by the top CMakeLists.txt under Emscripten): links
# marbles.js and marbles.wasm with the content packed into marbles.data, and copies our page.
# The page's file system is laid out like an installed tree: the program "lies" at
# /<bindir>/marbles and reads its content from /<datadir>, where marbles.data unpacks it.
set(MARBLES_WEB_PROGRAM_PATH "/${MARBLES_INSTALL_BINDIR}/marbles")
target_compile_definitions(marbles PRIVATE MARBLES_WEB_PROGRAM_PATH="${MARBLES_WEB_PROGRAM_PATH}")
set_target_properties(marbles PROPERTIES SUFFIX ".js")

# The content as the game ships it; a change to any file links the page anew.
file(GLOB_RECURSE MARBLES_WEB_CONTENT CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/game/*)
set_property(TARGET marbles APPEND PROPERTY LINK_DEPENDS ${MARBLES_WEB_CONTENT})

target_link_options(marbles PRIVATE
  # The main loop sleeps between frames; ASYNCIFY hands the thread back to the page meanwhile.
  -sASYNCIFY -sASYNCIFY_STACK_SIZE=65536
  -sALLOW_MEMORY_GROWTH=1 -sINITIAL_MEMORY=67108864
  -sFORCE_FILESYSTEM=1 -lidbfs.js
  # main's return ends the program: the page is told through Module.onExit.
  -sEXIT_RUNTIME=1
  -sENVIRONMENT=web
  "SHELL:--preload-file ${CMAKE_SOURCE_DIR}/game@/${MARBLES_INSTALL_DATADIR}")

add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/index.html
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/web/index.html ${CMAKE_BINARY_DIR}/index.html
  DEPENDS ${CMAKE_SOURCE_DIR}/web/index.html
  COMMENT "Copying the page index.html")
add_custom_target(web_page DEPENDS ${CMAKE_BINARY_DIR}/index.html)
add_dependencies(marbles web_page)
