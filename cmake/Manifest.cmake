# pivora_embed_manifest(<target> <asInvoker|highestAvailable> <true|false>)
# Embeds the application manifest (cmake/application.manifest.in) into a
# shipped program as resource 1 of type RT_MANIFEST; the last argument says
# whether the program scales its own layout to the system's DPI.
function(pivora_embed_manifest target level dpi_aware)
  set(PIVORA_MANIFEST_NAME ${target})
  set(PIVORA_MANIFEST_LEVEL ${level})
  set(PIVORA_MANIFEST_DPI_AWARE ${dpi_aware})
  set(dir ${CMAKE_BINARY_DIR}/generated)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/application.manifest.in ${dir}/${target}.manifest @ONLY)
  file(WRITE ${dir}/${target}_manifest.rc "1 24 \"${dir}/${target}.manifest\"\n")
  set_source_files_properties(${dir}/${target}_manifest.rc PROPERTIES
    OBJECT_DEPENDS ${dir}/${target}.manifest)
  target_sources(${target} PRIVATE ${dir}/${target}_manifest.rc)
endfunction()
