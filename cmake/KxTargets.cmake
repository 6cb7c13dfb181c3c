# Helpers that turn the source folders into targets, so that a new file needs no
# edit of any CMakeLists.txt.

# kx_glob_sources(<var> <dir>...) — every .cpp below the given folders.
function(kx_glob_sources var)
  set(files)
  foreach(dir IN LISTS ARGN)
    file(GLOB_RECURSE found CONFIGURE_DEPENDS ${dir}/*.cpp)
    list(APPEND files ${found})
  endforeach()
  list(SORT files)
  set(${var} ${files} PARENT_SCOPE)
endfunction()

# kx_test_executables(<root> <libs>...) — one GoogleTest executable per folder
# below <root> that holds .cpp files, named test_<folder path with _>. The
# folder <root>/support holds shared fixtures, not tests.
function(kx_test_executables root)
  include(GoogleTest)
  file(GLOB_RECURSE all CONFIGURE_DEPENDS ${root}/*.cpp)
  set(dirs)
  list(FILTER all EXCLUDE REGEX "^${root}/support/")
  foreach(f IN LISTS all)
    get_filename_component(d ${f} DIRECTORY)
    list(APPEND dirs ${d})
  endforeach()
  list(REMOVE_DUPLICATES dirs)
  foreach(d IN LISTS dirs)
    file(GLOB srcs CONFIGURE_DEPENDS ${d}/*.cpp)
    file(RELATIVE_PATH rel ${root} ${d})
    if(rel STREQUAL "")
      set(rel root)
    endif()
    string(REPLACE "/" "_" name "test_${rel}")
    add_executable(${name} ${srcs})
    target_link_libraries(${name} PRIVATE ${ARGN} GTest::gtest GTest::gtest_main GTest::gmock)
    target_compile_definitions(${name} PRIVATE KX_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES LABELS "${rel}")
  endforeach()
endfunction()
