# The host program beside no module, then beside a module without the entry: each
# time exit status 1 and a message that names the problem.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
file(COPY ${HOST} DESTINATION ${WORK})
get_filename_component(host_name ${HOST} NAME)

execute_process(COMMAND ${WORK}/${host_name} RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 1 OR NOT err MATCHES "无法加载模块 .*libtraverse-adjust.so")
  message(FATAL_ERROR "missing module: status ${rc}, message: ${err}")
endif()

file(COPY_FILE ${NO_ENTRY} ${WORK}/libtraverse-adjust.so)
execute_process(COMMAND ${WORK}/${host_name} RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 1 OR NOT err MATCHES "没有入口 Kavrel")
  message(FATAL_ERROR "module without entry: status ${rc}, message: ${err}")
endif()
