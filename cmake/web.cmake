# The game for WebAssembly, built with emscripten (tools/web/build-page.sh drives it). SDL2, libpng,
# zlib, libogg and libvorbis come from tools/web/build-deps.sh's prefix; the data and the rendered
# font come from a native build, whose generators need libraries the browser build lacks.
set(SKULL_WEB_PREFIX "" CACHE PATH "Where tools/web/build-deps.sh installed the web libraries")
set(SKULL_NATIVE_BUILD "" CACHE PATH "A native build folder holding the generated data")
foreach(folder SKULL_WEB_PREFIX SKULL_NATIVE_BUILD)
  if(NOT IS_DIRECTORY "${${folder}}")
    message(FATAL_ERROR "${folder} must name a folder (now: '${${folder}}')")
  endif()
endforeach()

add_library(skull_web_media INTERFACE)
target_include_directories(skull_web_media INTERFACE ${SKULL_WEB_PREFIX}/include
                                                     ${SKULL_WEB_PREFIX}/include/SDL2)
foreach(library SDL2 png16 vorbisfile vorbis ogg z)
  target_link_libraries(skull_web_media INTERFACE ${SKULL_WEB_PREFIX}/lib/lib${library}.a)
endforeach()
set(SKULL_MEDIA_LIBRARIES skull_web_media)
set(SKULL_NET_LIBRARIES "")

# The SSE2 paths run as wasm SIMD with the same pixels; there is no AVX2 to ask for.
add_compile_options(-msimd128 -msse2 -fexceptions)
add_link_options(-fexceptions)
# A file named *_web.cpp replaces its namesake here.
file(GLOB SKULL_WEB_SOURCES ${CMAKE_SOURCE_DIR}/src/*/*_web.cpp)
set(SKULL_LEFT_OUT ".*_avx2\\.cpp$")
foreach(source ${SKULL_WEB_SOURCES})
  string(REPLACE "_web.cpp" ".cpp" native ${source})
  string(APPEND SKULL_LEFT_OUT "|^${native}$")
endforeach()

set(SKULL_FONT_SOURCE ${SKULL_NATIVE_BUILD}/generated/font_glyphs.cpp)

# The page: index.html with its loader, wasm and data package. Every screen runs its own frame
# loop, so the program sleeps inside the browser's event loop through ASYNCIFY.
function(skull_web_programs)
  target_sources(skull_media PRIVATE ${SKULL_FONT_SOURCE})
  set(web ${CMAKE_SOURCE_DIR}/tools/web)
  # SDL's audio calls these loader functions, which nothing else pulls in; the socket calls the
  # address helpers make need two byte-order functions from the wasm. Lists go through files: the
  # names begin with '$', which the shell would take for its own.
  set(functions ${CMAKE_BINARY_DIR}/library-functions.json)
  file(WRITE ${functions} "[\"$autoResumeAudioContext\", \"$dynCall\"]")
  set(exports ${CMAKE_BINARY_DIR}/exported-functions.json)
  file(WRITE ${exports} "[\"_main\", \"_htons\", \"_ntohs\"]")
  set(page_options
      -sASYNCIFY -sASYNCIFY_STACK_SIZE=262144 -sALLOW_MEMORY_GROWTH=1 -sINITIAL_MEMORY=67108864
      -sENVIRONMENT=web -sMINIFY_HTML=0 -sFORCE_FILESYSTEM=1 -lidbfs.js
      -sDEFAULT_LIBRARY_FUNCS_TO_INCLUDE=@${functions} -sEXPORTED_FUNCTIONS=@${exports}
      "SHELL:--shell-file ${web}/shell.html" "SHELL:--pre-js ${web}/pre.js")
  foreach(data gfx anim music sfx)
    list(APPEND page_options "SHELL:--preload-file ${SKULL_NATIVE_BUILD}/${data}@/${data}")
  endforeach()
  # Installed data keeps the settings in the config home, where the browser's storage lives.
  list(APPEND page_options "SHELL:--preload-file ${CMAKE_SOURCE_DIR}/cmake/installed@/installed")
  target_link_options(skullgnawer PRIVATE ${page_options})
  set_target_properties(skullgnawer PROPERTIES OUTPUT_NAME index SUFFIX .html LINK_DEPENDS
                        "${web}/shell.html;${web}/pre.js")
  # The runner for node reads and writes the real file system; its clock is virtual, so it never
  # sleeps and needs no ASYNCIFY.
  target_link_options(skullgnawer-headless PRIVATE -sENVIRONMENT=node -sNODERAWFS=1
                      -sEXPORTED_FUNCTIONS=@${exports}
                      -sALLOW_MEMORY_GROWTH=1 -sINITIAL_MEMORY=67108864 -sEXIT_RUNTIME=1)
  set_target_properties(skullgnawer-headless PROPERTIES SUFFIX .js)
endfunction()
