# lumetra_library(<name> SOURCES <files...> [PUBLIC_LIBS <libs...>] [PRIVATE_LIBS <libs...>])
# One static library per source folder; the folder is its public include root.
function(lumetra_library name)
  cmake_parse_arguments(L "" "" "SOURCES;PUBLIC_LIBS;PRIVATE_LIBS" ${ARGN})
  add_library(${name} STATIC ${L_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${L_PUBLIC_LIBS} PRIVATE ${L_PRIVATE_LIBS})
endfunction()
