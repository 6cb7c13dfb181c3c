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

# kx_forbid_includes(<target> <folder>) — the files of <target> cannot include
# "<folder>/…": for this target every header of the folder is shadowed by one
# that stops the compile, so a layer that includes one above it fails to build
# (the host including the package), even where only inline code is used.
function(kx_forbid_includes target folder)
  set(root ${PROJECT_BINARY_DIR}/forbidden/${folder})
  file(GLOB_RECURSE headers CONFIGURE_DEPENDS RELATIVE ${PROJECT_SOURCE_DIR}
       ${PROJECT_SOURCE_DIR}/${folder}/*.h)
  foreach(header IN LISTS headers)
    file(CONFIGURE OUTPUT ${root}/${header}
         CONTENT "#error \"${header} is above this layer: it may not be included here\"\n")
  endforeach()
  target_include_directories(${target} BEFORE PRIVATE ${root})
endfunction()

# kx_test_executables(<dir> LIBS <lib>... [FORBID <folder>] [EXCLUDE <regex>]
#                     [TIMEOUT <seconds>])
# — one GoogleTest executable per folder at or below <dir> that holds .cpp
# files, named test_<folder path below the calling folder, / as _> and
# labelled with that path. Folders whose path matches EXCLUDE are left out;
# FORBID names a source folder the tests may not include. Each discovered test
# fails after TIMEOUT seconds (default 120), so a hang shows as a failure rather
# than a stalled run.
function(kx_test_executables dir)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "FORBID;EXCLUDE;TIMEOUT" "LIBS")
  if(NOT arg_TIMEOUT)
    set(arg_TIMEOUT 120)
  endif()
  include(GoogleTest)
  file(GLOB_RECURSE all CONFIGURE_DEPENDS ${dir}/*.cpp)
  set(dirs)
  foreach(f IN LISTS all)
    get_filename_component(d ${f} DIRECTORY)
    list(APPEND dirs ${d})
  endforeach()
  list(REMOVE_DUPLICATES dirs)
  foreach(d IN LISTS dirs)
    file(RELATIVE_PATH rel ${CMAKE_CURRENT_SOURCE_DIR} ${d})
    if(arg_EXCLUDE AND rel MATCHES "${arg_EXCLUDE}")
      continue()
    endif()
    file(GLOB srcs CONFIGURE_DEPENDS ${d}/*.cpp)
    string(REPLACE "/" "_" name "test_${rel}")
    add_executable(${name} ${srcs})
    target_link_libraries(${name} PRIVATE ${arg_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
    target_compile_definitions(${name} PRIVATE KX_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
    if(arg_FORBID)
      kx_forbid_includes(${name} ${arg_FORBID})
    endif()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
                         PROPERTIES LABELS "${rel}" TIMEOUT ${arg_TIMEOUT})
  endforeach()
endfunction()
