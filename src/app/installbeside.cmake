# Install-time half of TAVRO_BESIDE_EXECUTABLE (see CMakeLists.txt): copies each named file or
# folder from beside the built executable to beside the installed one. A name that is missing is
# an error, so that no install and no package goes out without its map page.
foreach(name IN LISTS tavro_beside_names)
  set(from "${tavro_beside_from}/${name}")
  if(NOT EXISTS "${from}")
    message(FATAL_ERROR "${from} is to be installed beside the player but was not built")
  endif()
  set(to "${CMAKE_INSTALL_PREFIX}/${tavro_beside_to}")
  cmake_path(GET name PARENT_PATH parent)
  if(parent)
    string(APPEND to "/${parent}")
  endif()
  file(INSTALL "${from}" DESTINATION "${to}" USE_SOURCE_PERMISSIONS)
endforeach()
