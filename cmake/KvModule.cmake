# How a Korvane module is compiled and linked: small, Unicode, importing only system DLLs.

# Flags for all code that goes into a deliverable (also the shared code that tests link).
add_library(kv_flags INTERFACE)
target_compile_definitions(kv_flags INTERFACE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX __USE_MINGW_ANSI_STDIO=0
  _WIN32_WINNT=0x0601 WINVER=0x0601 _WIN32_IE=0x0800)
target_compile_options(kv_flags INTERFACE
  $<$<COMPILE_LANGUAGE:CXX>:-fno-exceptions -fno-rtti -fno-threadsafe-statics -include ${CMAKE_CURRENT_LIST_DIR}/prelude.h>
  $<$<COMPILE_LANGUAGE:C,CXX>:-Os -ffunction-sections -fdata-sections -fno-asynchronous-unwind-tables
                              -Wall -Wextra -Wno-unused-parameter -Wno-cast-function-type>)

set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")

set(KV_RESOURCES ${CMAKE_SOURCE_DIR}/resources)
find_program(KV_PYTHON python3 REQUIRED)
configure_file(${CMAKE_CURRENT_LIST_DIR}/kv_version.h.in ${CMAKE_BINARY_DIR}/generated/kv_version.h)
set(KV_MODULES "" CACHE INTERNAL "Every deliverable module target")

# kv_module(<name> PROGRAM|CONSOLE|LIBRARY SOURCES ... [RC file] [DEF file] [LIBS ...] [RCDEPENDS ...])
function(kv_module name kind)
  cmake_parse_arguments(M "" "RC;DEF" "SOURCES;LIBS;RCDEPENDS" ${ARGN})
  if(kind STREQUAL "LIBRARY")
    add_library(${name} SHARED ${M_SOURCES} ${M_RC} ${M_DEF})
    set_target_properties(${name} PROPERTIES PREFIX "")
  elseif(kind STREQUAL "CONSOLE")
    add_executable(${name} ${M_SOURCES} ${M_RC})
    target_link_options(${name} PRIVATE -municode)
  else()
    add_executable(${name} WIN32 ${M_SOURCES} ${M_RC})
    target_link_options(${name} PRIVATE -municode)
  endif()
  target_link_libraries(${name} PRIVATE kv_flags kv_runtime ${M_LIBS})
  target_link_options(${name} PRIVATE -static -Wl,--gc-sections -Wl,--enable-stdcall-fixup)
  if(M_RC)
    target_include_directories(${name} PRIVATE ${KV_RESOURCES}/common ${CMAKE_CURRENT_SOURCE_DIR}
      ${CMAKE_CURRENT_BINARY_DIR})
    target_include_directories(${name} PRIVATE ${CMAKE_BINARY_DIR}/generated)
    file(GLOB common_rc ${KV_RESOURCES}/common/*)
    get_filename_component(rc_dir ${M_RC} DIRECTORY)
    file(GLOB own_rc ${rc_dir}/*)
    set_source_files_properties(${M_RC} PROPERTIES OBJECT_DEPENDS "${common_rc};${own_rc};${M_RCDEPENDS}")
  endif()
  install(TARGETS ${name} RUNTIME DESTINATION . LIBRARY DESTINATION .)
  set(KV_MODULES ${KV_MODULES} ${name} CACHE INTERNAL "")
endfunction()
