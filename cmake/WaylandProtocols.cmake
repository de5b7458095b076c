# Client code for the Wayland protocols the platform layer speaks, generated
# at build time from the protocol descriptions that Debian's packages install.
enable_language(C)
if(CCACHE_PROGRAM)
  set(CMAKE_C_COMPILER_LAUNCHER ${CCACHE_PROGRAM})
endif()
find_package(PkgConfig REQUIRED)
pkg_check_modules(WaylandClient REQUIRED IMPORTED_TARGET wayland-client)
pkg_check_modules(WaylandCursor REQUIRED IMPORTED_TARGET wayland-cursor)
pkg_check_modules(Xkbcommon REQUIRED IMPORTED_TARGET xkbcommon)
pkg_get_variable(WAYLAND_PROTOCOLS_DIR wayland-protocols pkgdatadir)
find_program(WAYLAND_SCANNER wayland-scanner REQUIRED)
# wlroots' own protocols ship inside the Rust crate of the Wayland protocols.
file(GLOB _wlr_dirs /usr/share/cargo/registry/wayland-protocols-*/wlr-protocols/unstable)
list(SORT _wlr_dirs COMPARE NATURAL ORDER DESCENDING)
list(GET _wlr_dirs 0 _wlr_newest)
set(WLR_PROTOCOLS_DIR ${_wlr_newest} CACHE PATH "Folder of the wlr protocol descriptions")
find_path(PLASMA_PROTOCOLS_DIR idle.xml PATHS /usr/share/plasma-wayland-protocols REQUIRED)
if(NOT WAYLAND_PROTOCOLS_DIR OR NOT EXISTS "${WLR_PROTOCOLS_DIR}/wlr-screencopy-unstable-v1.xml")
  message(FATAL_ERROR "Wayland protocol descriptions missing: run scripts/setup-deps.sh")
endif()

# solitask_wayland_protocols(OUT xml...): a client header and its code per description.
function(solitask_wayland_protocols out)
  set(dir ${CMAKE_CURRENT_BINARY_DIR}/wayland-protocols)
  file(MAKE_DIRECTORY ${dir})
  set(sources)
  foreach(xml IN LISTS ARGN)
    get_filename_component(name ${xml} NAME_WE)
    add_custom_command(OUTPUT ${dir}/${name}-client-protocol.h
      COMMAND ${WAYLAND_SCANNER} client-header ${xml} ${dir}/${name}-client-protocol.h
      DEPENDS ${xml} VERBATIM)
    add_custom_command(OUTPUT ${dir}/${name}-protocol.c
      COMMAND ${WAYLAND_SCANNER} private-code ${xml} ${dir}/${name}-protocol.c
      DEPENDS ${xml} VERBATIM)
    list(APPEND sources ${dir}/${name}-client-protocol.h ${dir}/${name}-protocol.c)
  endforeach()
  set(${out} ${sources} PARENT_SCOPE)
endfunction()
