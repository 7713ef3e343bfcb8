# The Windows executables as they ship. Each gets its resources (an application manifest and the version
# information, both from the project version) and links statically, so that it imports system DLLs only.
# The same sources give the same bytes wherever the tree lies and whenever it is built: source paths are
# recorded relative to the repository root, and the PE header carries no link time.

enable_language(RC)

get_filename_component(TOLMIN_REPO_ROOT "${CMAKE_CURRENT_SOURCE_DIR}/../../.." ABSOLUTE)
add_compile_options("$<$<COMPILE_LANGUAGE:CXX>:-ffile-prefix-map=${TOLMIN_REPO_ROOT}/=>")

# tolmin_windows_executable(<target> <description>): resources and link options of a shipped executable.
function(tolmin_windows_executable target description)
  set(TOLMIN_EXE_NAME ${target})
  set(TOLMIN_EXE_DESCRIPTION "${description}")
  set(resources ${CMAKE_CURRENT_BINARY_DIR}/resources/${target})
  set(TOLMIN_EXE_MANIFEST ${resources}.manifest)
  configure_file(${CMAKE_CURRENT_SOURCE_DIR}/src/windows/app.manifest.in ${resources}.manifest @ONLY)
  configure_file(${CMAKE_CURRENT_SOURCE_DIR}/src/windows/app.rc.in ${resources}.rc @ONLY)
  set_source_files_properties(${resources}.rc PROPERTIES OBJECT_DEPENDS ${resources}.manifest)
  target_sources(${target} PRIVATE ${resources}.rc)
  # The linker map (<target>.map) names every library member linked in: what THIRD-PARTY-NOTICES must cover.
  target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++ -municode -Wl,--no-insert-timestamp
    -Wl,-Map=${CMAKE_CURRENT_BINARY_DIR}/${target}.map)
endfunction()
