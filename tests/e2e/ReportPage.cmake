# cmake -DTOP=<source folder> -DPAGE=<rules report page> -DPICTURE=<png> -P ReportPage.cmake
#
# The rules report's page as a person sees it: drawn by headless Chromium into a picture (the unit
# tests check its rendered DOM; this keeps a screenshot for review and fails when it cannot be drawn).
include(${CMAKE_CURRENT_LIST_DIR}/WineRuns.cmake)
get_filename_component(work "${PICTURE}" DIRECTORY)
set(profile "${work}/chromium-profile")
zemb_fresh_folder("${profile}")
file(REMOVE "${PICTURE}")
zemb_run(COMMAND timeout 120 chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run
  --disable-background-networking --disable-component-update --disable-sync "--user-data-dir=${profile}"
  --hide-scrollbars --window-size=1280,1900 "--screenshot=${PICTURE}" "file://${PAGE}"
  LOG "${profile}.log" WHAT "chromium drawing ${PAGE} (its output: ${profile}.log)")
file(REMOVE_RECURSE "${profile}")
file(REMOVE "${profile}.log")
zemb_run(COMMAND identify -format "%wx%h, %k colours" "${PICTURE}" OUTPUT size)
if(NOT size MATCHES "^1280x1900, ([0-9]+) colours" OR CMAKE_MATCH_1 LESS 16)
  zemb_fail("the page's picture ${PICTURE} is not a drawn page: ${size}")
endif()
message("the rules report's page: ${PAGE}, its screenshot: ${PICTURE} (${size})")
