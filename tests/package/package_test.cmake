# Installs the build in BUILD_DIR into a fresh prefix under WORK, builds the application in
# APP_SOURCE against it with find_package(Vendamo) alone, and runs the checks of CHECK on it.
set(prefix ${WORK}/prefix)
set(app_build ${WORK}/app-build)
file(REMOVE_RECURSE ${WORK})

function(run what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${what} failed (${status}):\n${output}")
  endif()
endfunction()

run("Installing" ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})
set(configure ${CMAKE_COMMAND} -S ${APP_SOURCE} -B ${app_build} -G ${GENERATOR}
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=${COMPILER} -DCMAKE_PREFIX_PATH=${prefix})
if(LAUNCHER)
  # The paths stay the same from run to run, so the compiler cache serves every run but the first.
  list(APPEND configure -DCMAKE_CXX_COMPILER_LAUNCHER=${LAUNCHER})
endif()
run("Configuring the application" ${configure})
run("Building the application" ${CMAKE_COMMAND} --build ${app_build})

set(APP ${app_build}/embed_report)
set(OUT ${WORK}/out)
include(${CHECK})
