# Client code of Wayland protocols, generated from their XML with wayland-scanner at build time:
#   tolmin_wayland_protocols(<library> <xml>...)
# makes a static library of the generated C code; its users include "<name>-client-protocol.h".
find_program(WAYLAND_SCANNER wayland-scanner REQUIRED)
pkg_check_modules(WAYLAND_CLIENT REQUIRED IMPORTED_TARGET wayland-client)
pkg_check_modules(WAYLAND_PROTOCOLS REQUIRED wayland-protocols)
pkg_get_variable(WAYLAND_PROTOCOLS_DIR wayland-protocols pkgdatadir)

function(tolmin_wayland_protocols library)
  set(dir ${CMAKE_BINARY_DIR}/wayland_protocols)
  file(MAKE_DIRECTORY ${dir})
  set(sources)
  foreach(xml ${ARGN})
    get_filename_component(name ${xml} NAME_WE)
    add_custom_command(OUTPUT ${dir}/${name}-client-protocol.h ${dir}/${name}-protocol.c
      COMMAND ${WAYLAND_SCANNER} client-header ${xml} ${dir}/${name}-client-protocol.h
      # A C++ keyword as a parameter name (layer shell's "namespace") would not compile.
      COMMAND sed -i -e "s/\\<namespace\\>/name_space/g" ${dir}/${name}-client-protocol.h
      COMMAND ${WAYLAND_SCANNER} private-code ${xml} ${dir}/${name}-protocol.c
      DEPENDS ${xml} VERBATIM)
    list(APPEND sources ${dir}/${name}-protocol.c ${dir}/${name}-client-protocol.h)
  endforeach()
  add_library(${library} STATIC ${sources})
  # Generated interface tables: the project's warning flags (some only for C++) are not theirs.
  set_property(TARGET ${library} PROPERTY COMPILE_OPTIONS "")
  target_include_directories(${library} SYSTEM PUBLIC ${dir})
  target_link_libraries(${library} PUBLIC PkgConfig::WAYLAND_CLIENT)
endfunction()
