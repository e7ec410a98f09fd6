# Writes the menu entry as it is installed. Run by `cmake --install` with KIV_DESKTOP_TEMPLATE,
# KIV_DESKTOP_OUT (a file of the build tree), KIV_BINDIR and KIV_APPLICATIONS_DIR (each relative
# to the install prefix, or absolute) set.
#
# The entry starts the launcher by its full path, so that it works under any prefix, the one
# given to `cmake --install --prefix` included. A path holding anything but plain characters is
# quoted, its quotes, backquotes, dollars and backslashes escaped, then every backslash doubled
# and every percent sign doubled, as menu entries want.
foreach(dir KIV_BINDIR KIV_APPLICATIONS_DIR)
  if(NOT IS_ABSOLUTE "${${dir}}")
    set(${dir} "${CMAKE_INSTALL_PREFIX}/${${dir}}")
  endif()
endforeach()

set(exec "${KIV_BINDIR}/Kiv_2000")
if(NOT exec MATCHES "^[A-Za-z0-9/._+-]+$")
  string(REGEX REPLACE "([\"`$\\\\])" "\\\\\\1" exec "${exec}")
  string(REPLACE "\\" "\\\\" exec "${exec}")
  string(REPLACE "%" "%%" exec "${exec}")
  set(exec "\"${exec}\"")
endif()
set(KIV_DESKTOP_EXEC "${exec}")

configure_file("${KIV_DESKTOP_TEMPLATE}" "${KIV_DESKTOP_OUT}" @ONLY)
file(INSTALL "${KIV_DESKTOP_OUT}" DESTINATION "${KIV_APPLICATIONS_DIR}")
