# The bitmap suite's reference renderings as binary PPM in `dir` (the tests
# decode no PNG), made by the target `target`.
function(zarumo_bmpsuite_ppm target dir)
  file(GLOB pngs ${CMAKE_SOURCE_DIR}/tests/data/bmpsuite/reference/*.png)
  set(ppms)
  foreach(png ${pngs})
    get_filename_component(name ${png} NAME_WE)
    set(ppm ${dir}/${name}.ppm)
    add_custom_command(OUTPUT ${ppm}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
      COMMAND convert ${png} -alpha off -depth 8 ${ppm}
      DEPENDS ${png} VERBATIM)
    list(APPEND ppms ${ppm})
  endforeach()
  add_custom_target(${target} DEPENDS ${ppms})
endfunction()
