# cmake -DFILES=<path;path;...> -P write_templates.cmake
foreach(file IN LISTS FILES)
  get_filename_component(name "${file}" NAME)
  file(WRITE "${file}" "Sample report template ${name} of Kiv_2000: the program checks that this file exists but does not read its content.\n")
endforeach()
