# Every library has its own include root in the build tree, so it sees only its own headers and
# those of the libraries it links. The root holds a link named after the library's folder, and
# "#include "<folder>/X.h"" keeps working; the source root itself is on no include path.

# Puts the whole source folder `source_dir` on the include root of `target` as `link_path`.
function(vantrel_include_folder target link_path source_dir)
  set(root ${PROJECT_BINARY_DIR}/include/${target})
  get_filename_component(parent ${root}/${link_path} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  # A folder of header links from an earlier configure of this library goes first.
  if(IS_DIRECTORY ${root}/${link_path} AND NOT IS_SYMLINK ${root}/${link_path})
    file(REMOVE_RECURSE ${root}/${link_path})
  endif()
  file(CREATE_LINK ${source_dir} ${root}/${link_path} SYMBOLIC)
  target_include_directories(${target} PUBLIC $<BUILD_INTERFACE:${root}>)
endfunction()

# Puts only `headers` (files of one source folder) on the include root of `target`, below
# `link_path`: for the lower of two libraries that share a folder.
function(vantrel_include_headers target link_path)
  set(root ${PROJECT_BINARY_DIR}/include/${target})
  set(staged ${root}/${link_path})
  # A link to the whole source folder from an earlier configure of this library goes first: the
  # stale links below would otherwise be looked for, and removed, in the source folder itself.
  if(IS_SYMLINK ${staged})
    file(REMOVE ${staged})
  endif()
  file(MAKE_DIRECTORY ${staged})
  # Links of headers that are gone or belong to the other library go first.
  file(GLOB stale LIST_DIRECTORIES false ${staged}/*)
  if(stale)
    file(REMOVE ${stale})
  endif()
  foreach(header IN LISTS ARGN)
    get_filename_component(header_name ${header} NAME)
    file(CREATE_LINK ${header} ${staged}/${header_name} SYMBOLIC)
  endforeach()
  target_include_directories(${target} PUBLIC $<BUILD_INTERFACE:${root}>)
endfunction()

# vantrel_library(<name> <folder> [EXCLUDE <stem>... | ONLY <stem>...]
#                 [PUBLIC <library>...] [PRIVATE <library>...])
# A static library of the .cpp and .h files of <folder>. ONLY takes just the files whose names
# (without extension) are listed, EXCLUDE all others: two libraries can share one folder. The
# library that EXCLUDEs sees only its own headers of that folder.
function(vantrel_library name folder)
  cmake_parse_arguments(PARSE_ARGV 2 arg "" "" "EXCLUDE;ONLY;PUBLIC;PRIVATE")
  set(source_dir ${PROJECT_SOURCE_DIR}/${folder})
  file(GLOB sources CONFIGURE_DEPENDS ${source_dir}/*.cpp ${source_dir}/*.h)
  set(picked)
  foreach(source IN LISTS sources)
    get_filename_component(stem ${source} NAME_WE)
    if(arg_ONLY)
      set(wanted FALSE)
      if(stem IN_LIST arg_ONLY)
        set(wanted TRUE)
      endif()
    else()
      set(wanted TRUE)
      if(stem IN_LIST arg_EXCLUDE)
        set(wanted FALSE)
      endif()
    endif()
    if(wanted)
      list(APPEND picked ${source})
    endif()
  endforeach()
  if(NOT picked)
    set(placeholder ${PROJECT_BINARY_DIR}/${name}_empty.cpp)
    file(WRITE ${placeholder} "")
    set(picked ${placeholder})
  endif()
  add_library(${name} STATIC ${picked})
  if(arg_EXCLUDE)
    set(headers ${picked})
    list(FILTER headers INCLUDE REGEX "\\.h$")
    vantrel_include_headers(${name} ${folder} ${headers})
  else()
    vantrel_include_folder(${name} ${folder} ${source_dir})
  endif()
  target_link_libraries(${name} PUBLIC ${arg_PUBLIC} PRIVATE ${arg_PRIVATE})
endfunction()
