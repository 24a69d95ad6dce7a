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

# The navigator's manual lies beside the programs as the data files do, so
# that the desktop program finds it the same way built or installed.
file(GLOB NAVORA_MANUAL_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/docs/manual/*)
set(copied_manual)
foreach(page ${NAVORA_MANUAL_FILES})
  get_filename_component(name ${page} NAME)
  add_custom_command(OUTPUT ${NAVORA_RUN_DIR}/manual/${name}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${page} ${NAVORA_RUN_DIR}/manual/${name}
    DEPENDS ${page})
  list(APPEND copied_manual ${NAVORA_RUN_DIR}/manual/${name})
endforeach()
add_custom_target(navora_manual ALL DEPENDS ${copied_manual})
add_dependencies(navora_data navora_manual)

foreach(file ${NAVORA_DATA_FILES})
  install(FILES ${CMAKE_SOURCE_DIR}/data/${file} DESTINATION share/navora OPTIONAL)
endforeach()
install(FILES ${NAVORA_MANUAL_FILES} DESTINATION share/navora/manual)
