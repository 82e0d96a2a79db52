# paxelo_headers(<library> PUBLIC <headers...> [PRIVATE_FOLDERS <subfolders...>])
#
# What a library lets its users include. Its PUBLIC headers (file names in the
# library's folder) are the only ones under the include folder it gives its
# users, laid out as in the source tree ("store/tdm.h"); its own sources also
# see every other header of its folder (and of the PRIVATE_FOLDERS below it).
# Nothing gives a library the source tree's root, so an include of a header
# that another library keeps to itself, or of a library not linked, does not
# compile. Tests, benchmarks and fuzzers look inside on purpose: they see the
# root.
# Puts `header` at `place`: a link to it, or where the system makes no links
# (Windows without the right), a copy that the configure step renews when the
# header changes.
function(paxelo_place_header header place)
  get_filename_component(dir ${place} DIRECTORY)
  file(MAKE_DIRECTORY ${dir})
  file(CREATE_LINK ${header} ${place} RESULT failed SYMBOLIC)
  if(failed)
    configure_file(${header} ${place} COPYONLY)
  endif()
endfunction()

function(paxelo_headers library)
  cmake_parse_arguments(ARG "" "" "PUBLIC;PRIVATE_FOLDERS" ${ARGN})
  file(RELATIVE_PATH folder ${CMAKE_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  set(public_root ${CMAKE_BINARY_DIR}/include/${library}/public)
  set(private_root ${CMAKE_BINARY_DIR}/include/${library}/private)
  file(REMOVE_RECURSE ${public_root} ${private_root})

  set(own "")
  file(GLOB own CONFIGURE_DEPENDS RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  foreach(sub ${ARG_PRIVATE_FOLDERS})
    file(GLOB headers CONFIGURE_DEPENDS RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/${sub}/*.h)
    list(APPEND own ${headers})
  endforeach()
  foreach(header ${ARG_PUBLIC})
    if(NOT EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${header})
      message(FATAL_ERROR "${library}: no public header ${folder}/${header}")
    endif()
    paxelo_place_header(${CMAKE_CURRENT_SOURCE_DIR}/${header} ${public_root}/${folder}/${header})
  endforeach()
  if(ARG_PUBLIC)
    list(REMOVE_ITEM own ${ARG_PUBLIC})
  endif()
  foreach(header ${own})
    paxelo_place_header(${CMAKE_CURRENT_SOURCE_DIR}/${header} ${private_root}/${folder}/${header})
  endforeach()

  get_target_property(type ${library} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${library} INTERFACE ${public_root})
    return()
  endif()
  if(ARG_PUBLIC)
    target_include_directories(${library} PUBLIC ${public_root})
  endif()
  if(own)
    target_include_directories(${library} PRIVATE ${private_root})
  endif()
endfunction()
