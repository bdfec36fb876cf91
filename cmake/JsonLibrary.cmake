# zemb_json: nlohmann-json (Debian's nlohmann-json3-dev, header-only). Only its nlohmann/ folder is
# exposed, through an include folder of the build's own, so that a cross compiler, which must not
# search the host's /usr/include (glibc's headers would come first), still finds it.
find_path(ZEMB_NLOHMANN_INCLUDE nlohmann/json.hpp PATHS /usr/include NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH
          DOC "The folder that holds nlohmann/json.hpp")
if(NOT ZEMB_NLOHMANN_INCLUDE)
  message(FATAL_ERROR "nlohmann/json.hpp not found: install nlohmann-json3-dev (scripts/setup)")
endif()
set(zemb_json_include "${CMAKE_BINARY_DIR}/json-include")
file(MAKE_DIRECTORY "${zemb_json_include}")
file(CREATE_LINK "${ZEMB_NLOHMANN_INCLUDE}/nlohmann" "${zemb_json_include}/nlohmann" SYMBOLIC)
add_library(zemb_json INTERFACE)
target_include_directories(zemb_json SYSTEM INTERFACE "${zemb_json_include}")
