# Icon, version information and manifest of the Windows programs:
#   kalvetra_windows_resources(TARGET "FileDescription")
# compiles them into TARGET. The multi-size icon is rendered from the
# window's SVG at build time.
set(_kalvetra_windows_dir ${CMAKE_CURRENT_LIST_DIR})

# "Copyright (c) YEAR HOLDER", as LICENSE states it.
file(STRINGS ${PROJECT_SOURCE_DIR}/LICENSE KALVETRA_COPYRIGHT REGEX "^Copyright " LIMIT_COUNT 1)

find_program(KALVETRA_RSVG_CONVERT rsvg-convert REQUIRED)
find_program(KALVETRA_ICOTOOL icotool REQUIRED)

set(KALVETRA_ICO ${CMAKE_BINARY_DIR}/packaging/windows/kalvetra.ico)
set(_svg ${PROJECT_SOURCE_DIR}/window/resources/kalvetra.svg)
set(_pngs)
foreach(size 16 24 32 48 64 256)
  set(_png ${CMAKE_BINARY_DIR}/packaging/windows/icon/${size}.png)
  add_custom_command(OUTPUT ${_png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging/windows/icon
    COMMAND ${KALVETRA_RSVG_CONVERT} --width ${size} --height ${size} --output ${_png} ${_svg}
    DEPENDS ${_svg} VERBATIM)
  list(APPEND _pngs ${_png})
endforeach()
# The 256-pixel image stays PNG inside the icon, as Windows Vista and later
# expect; the small ones are bitmaps for older readers.
list(POP_BACK _pngs _png256)
add_custom_command(OUTPUT ${KALVETRA_ICO}
  COMMAND ${KALVETRA_ICOTOOL} --create --output ${KALVETRA_ICO} ${_pngs} --raw=${_png256}
  DEPENDS ${_pngs} ${_png256} VERBATIM)
add_custom_target(kalvetra_ico DEPENDS ${KALVETRA_ICO})

function(kalvetra_windows_resources target description)
  set(KALVETRA_RC_NAME ${target})
  set(KALVETRA_RC_DESCRIPTION "${description}")
  set(KALVETRA_RC_ICON ${KALVETRA_ICO})
  set(KALVETRA_RC_MANIFEST ${CMAKE_CURRENT_BINARY_DIR}/${target}.manifest)
  set(_v ${PROJECT_VERSION_MAJOR} ${PROJECT_VERSION_MINOR} ${PROJECT_VERSION_PATCH} 0)
  list(TRANSFORM _v REPLACE "^$" "0")
  list(JOIN _v "," KALVETRA_RC_VERSION_COMMAS)
  list(JOIN _v "." KALVETRA_RC_VERSION_DOTS)
  configure_file(${_kalvetra_windows_dir}/kalvetra.manifest.in ${KALVETRA_RC_MANIFEST} @ONLY)
  set(_rc ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
  configure_file(${_kalvetra_windows_dir}/kalvetra.rc.in ${_rc} @ONLY)
  set_source_files_properties(${_rc} PROPERTIES
    OBJECT_DEPENDS "${KALVETRA_ICO};${KALVETRA_RC_MANIFEST}")
  target_sources(${target} PRIVATE ${_rc})
  add_dependencies(${target} kalvetra_ico)
endfunction()
