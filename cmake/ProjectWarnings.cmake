# zemb_project_target(<target>): the warning set every target of our own code is built with.
function(zemb_project_target target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  if(ZEMB_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# zemb_library(<name> SOURCES ... INCLUDES ... DEPS ...): a static library of our own code.
# A library whose folder holds no sources yet is an interface target, so the tree always configures.
function(zemb_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;INCLUDES;DEPS" ${ARGN})
  if(ARG_SOURCES)
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${ARG_INCLUDES})
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
    zemb_project_target(${name})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${ARG_INCLUDES})
    target_link_libraries(${name} INTERFACE ${ARG_DEPS})
  endif()
endfunction()
