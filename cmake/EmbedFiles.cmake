# tindrel_embed_files(<target> <symbol>=<file> ...)
# Compiles each file into <target> as the byte array tindrel::embedded::<symbol>_data with
# its length in <symbol>_size. The arrays are generated at build time, so the files stay
# the single source and a changed file is picked up by the next build.
function(tindrel_embed_files target)
    foreach(pair ${ARGN})
        string(REPLACE "=" ";" parts "${pair}")
        list(GET parts 0 symbol)
        list(GET parts 1 file)
        set(output ${CMAKE_CURRENT_BINARY_DIR}/embedded/${symbol}.cpp)
        add_custom_command(
            OUTPUT ${output}
            COMMAND ${CMAKE_COMMAND} -DINPUT=${file} -DOUTPUT=${output} -DSYMBOL=${symbol}
                    -P ${PROJECT_SOURCE_DIR}/cmake/embed_file.cmake
            DEPENDS ${file} ${PROJECT_SOURCE_DIR}/cmake/embed_file.cmake
            COMMENT "Embedding ${file}"
            VERBATIM)
        target_sources(${target} PRIVATE ${output})
    endforeach()
endfunction()
