# The read-only data files lie beside every program and test.
set(NAVORA_DATA_FILES 1970-2025.eph DeltaT.val)
set(copied)
foreach(file ${NAVORA_DATA_FILES})
  if(EXISTS ${CMAKE_SOURCE_DIR}/data/${file})
    add_custom_command(OUTPUT ${NAVORA_RUN_DIR}/${file}
      COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CMAKE_SOURCE_DIR}/data/${file} ${NAVORA_RUN_DIR}/${file}
      DEPENDS ${CMAKE_SOURCE_DIR}/data/${file})
    list(APPEND copied ${NAVORA_RUN_DIR}/${file})
  endif()
endforeach()
add_custom_target(navora_data ALL DEPENDS ${copied})
