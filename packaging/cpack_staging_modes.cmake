# Run by CPack between staging the installed files and packing them (CPACK_PRE_BUILD_SCRIPTS).
# CMake creates the staging folders with the umask of whoever builds the package; Debian wants
# every folder rwxr-xr-x, or the package could close /usr/share to users when installed.
file(GLOB_RECURSE staged LIST_DIRECTORIES true "${CPACK_TEMPORARY_DIRECTORY}/*")
foreach(path IN LISTS staged)
  if(IS_DIRECTORY "${path}" AND NOT IS_SYMLINK "${path}")
    file(CHMOD "${path}" DIRECTORY_PERMISSIONS
      OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
  endif()
endforeach()
