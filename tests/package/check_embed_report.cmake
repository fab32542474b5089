# Runs the embedding application APP into the fresh directory OUT and checks the text of the
# reports it printed: the model's function worked on a plain report, and the loader read the
# saved report file.
file(REMOVE_RECURSE ${OUT})
execute_process(COMMAND ${APP} ${OUT} RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${APP} failed (${status}):\n${output}")
endif()

function(expect_pdf_text pdf)
  execute_process(COMMAND pdftotext ${OUT}/${pdf} - RESULT_VARIABLE status OUTPUT_VARIABLE text ERROR_VARIABLE error)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "pdftotext ${pdf} failed: ${error}")
  endif()
  foreach(expected ${ARGN})
    string(FIND "${text}" "${expected}" at)
    if(at LESS 0)
      message(FATAL_ERROR "${pdf} does not show \"${expected}\"; its text:\n${text}")
    endif()
  endforeach()
endfunction()

expect_pdf_text(plain.pdf "Plain answer 42")
expect_pdf_text(loaded.pdf "Loaded through the loader" "Loaded answer 42")
