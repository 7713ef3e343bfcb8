# The Linux programs as they ship (the linux-release preset, scripts/package). They take Cairo, Pango, XCB and
# the Wayland client from the system, but carry the C++ runtime (libstdc++ and libgcc, linked statically), so
# that they do not depend on the system's GCC. They name only the libraries they call (--as-needed).
# The same sources give the same bytes wherever the tree lies: every path the compiler records (sources, the
# build directory, the generated protocol code) is written relative to the repository root.

get_filename_component(TOLMIN_REPO_ROOT "${CMAKE_CURRENT_SOURCE_DIR}/../../.." ABSOLUTE)
# In the flags rather than the directory's options: the generated protocol code sets its own options aside.
string(APPEND CMAKE_C_FLAGS " -ffile-prefix-map=${TOLMIN_REPO_ROOT}/=")
string(APPEND CMAKE_CXX_FLAGS " -ffile-prefix-map=${TOLMIN_REPO_ROOT}/=")

# The linker map (<program>.map) names every archive member linked in: what THIRD-PARTY-NOTICES must cover.
add_link_options(-static-libstdc++ -static-libgcc -Wl,--as-needed -Wl,--gc-sections
  "-Wl,-Map=${CMAKE_BINARY_DIR}/$<TARGET_PROPERTY:NAME>.map")
