# The core library (common/ and documents/) stays free of widgets: it may not link Qt Widgets
# or Qt Print Support, and none of its files may include their headers. Checked when the build
# is configured (links) and on every build (includes).
get_target_property(core_links brevano_core LINK_LIBRARIES)
foreach(link ${core_links})
  if(link MATCHES "Widgets|PrintSupport|brevano_components")
    message(FATAL_ERROR "brevano_core links ${link}: common/ and documents/ must stay free of widgets")
  endif()
endforeach()

get_target_property(core_sources brevano_core SOURCES)
set(core_files)
foreach(source ${core_sources})
  if(IS_ABSOLUTE ${source})
    list(APPEND core_files ${source})
  elseif(EXISTS ${PROJECT_SOURCE_DIR}/src/common/${source})
    list(APPEND core_files ${PROJECT_SOURCE_DIR}/src/common/${source})
  else()
    list(APPEND core_files ${PROJECT_SOURCE_DIR}/src/documents/${source})
  endif()
endforeach()
# The class headers of the widget modules, as Qt installs them.
set(widget_headers)
foreach(module Widgets PrintSupport)
  get_target_property(dirs Qt6::${module} INTERFACE_INCLUDE_DIRECTORIES)
  foreach(dir ${dirs})
    if(dir MATCHES "/Qt${module}$")
      file(GLOB headers RELATIVE ${dir} ${dir}/Q*)
      list(APPEND widget_headers ${headers})
    endif()
  endforeach()
endforeach()
list(REMOVE_DUPLICATES widget_headers)
set(widget_list ${CMAKE_BINARY_DIR}/widget-headers.txt)
string(REPLACE ";" "\n" widget_text "${widget_headers}")
file(WRITE ${widget_list} "${widget_headers}")
set(stamp ${CMAKE_BINARY_DIR}/widget-free-core.stamp)
add_custom_command(OUTPUT ${stamp}
  COMMAND ${CMAKE_COMMAND} -DFILES="${core_files}" -DHEADERS=${widget_list} -DSTAMP=${stamp}
          -P ${PROJECT_SOURCE_DIR}/cmake/ScanWidgetIncludes.cmake
  DEPENDS ${core_files} ${PROJECT_SOURCE_DIR}/cmake/ScanWidgetIncludes.cmake
  COMMENT "Checking that common/ and documents/ include no widget headers")
add_custom_target(widget_free_core ALL DEPENDS ${stamp})
add_dependencies(brevano_core widget_free_core)
