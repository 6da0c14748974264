# cmake -DKVF=... -DCATALOG=DIR -DORDER=FILE.kfo370 -DWORK=DIR -P check_order.cmake
# Recalculates a copy of a demo order against the demo catalog and fails unless
# the copy is byte for byte the stored order and prints as JSON.
get_filename_component(name ${ORDER} NAME)
file(MAKE_DIRECTORY ${WORK})
set(copy ${WORK}/${name})
file(COPY_FILE ${ORDER} ${copy})
execute_process(COMMAND ${KVF} order recalc ${copy} --catalog ${CATALOG} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "kvf order recalc ${name} failed (${status})")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${ORDER} ${copy} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${name}: the recalculated order differs from the stored one")
endif()
execute_process(COMMAND ${KVF} order dump ${copy} OUTPUT_QUIET RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "kvf order dump ${name} failed (${status})")
endif()
