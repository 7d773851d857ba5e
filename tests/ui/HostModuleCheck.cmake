# The host program with no module, with a module lacking the entry beside it (a build
# folder), and with that module in lib/traverse-adjust/ of its prefix (installed): each
# time exit status 1 and a message that names the problem and the module it loaded.
file(REMOVE_RECURSE ${WORK})
get_filename_component(host_name ${HOST} NAME)

# case | where the module lies, relative to the prefix ("-" none) | expected message
set(cases
  "no-module|-|无法加载模块 .*/bin/libtraverse-adjust.so"
  "beside|bin|模块 .*/beside/bin/libtraverse-adjust.so 中没有入口 Kavrel"
  "installed|lib/traverse-adjust|模块 .*/installed/lib/traverse-adjust/libtraverse-adjust.so 中没有入口 Kavrel")
foreach(case IN LISTS cases)
  string(REPLACE "|" ";" fields "${case}")
  list(GET fields 0 name)
  list(GET fields 1 module_dir)
  list(GET fields 2 expected)
  set(prefix ${WORK}/${name})
  file(MAKE_DIRECTORY ${prefix}/bin)
  file(COPY ${HOST} DESTINATION ${prefix}/bin)
  if(NOT module_dir STREQUAL "-")
    file(MAKE_DIRECTORY ${prefix}/${module_dir})
    file(COPY_FILE ${NO_ENTRY} ${prefix}/${module_dir}/libtraverse-adjust.so)
  endif()
  execute_process(COMMAND ${prefix}/bin/${host_name} RESULT_VARIABLE rc ERROR_VARIABLE err)
  if(NOT rc EQUAL 1 OR NOT err MATCHES "${expected}")
    message(FATAL_ERROR "${name}: status ${rc}, message: ${err}")
  endif()
endforeach()
