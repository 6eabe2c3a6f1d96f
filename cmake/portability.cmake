# The code that a build without POSIX (Windows) compiles differently, compiled that
# way in every POSIX build too, so that such a build keeps compiling: the emulator's
# program and server without the pseudo-terminal endpoint, linked (nothing may still
# need the endpoint), and each test file that mentions VELTRIX_NO_POSIX. The rest of
# the code compiles the same either way; the posix_calls_guarded test keeps POSIX calls
# inside the blocks these builds leave out.
#
# The sanitizer build runs the suite only and leaves it out.
if(VELTRIX_POSIX AND NOT VELTRIX_SANITIZE)
  set(veltrix_check_default ON)
else()
  set(veltrix_check_default OFF)
endif()
option(VELTRIX_CHECK_NO_POSIX "Also compile the code a build without POSIX compiles differently"
  ${veltrix_check_default})
if(NOT VELTRIX_POSIX OR NOT VELTRIX_CHECK_NO_POSIX)
  return()
endif()

add_executable(veltrix_emulator_noposix emulator/main.cpp emulator/emulatorserver.cpp)
target_compile_definitions(veltrix_emulator_noposix PRIVATE VELTRIX_NO_POSIX)
target_link_libraries(veltrix_emulator_noposix PRIVATE veltrix_emulator_parts)

file(GLOB_RECURSE veltrix_test_sources "${PROJECT_SOURCE_DIR}/tests/*.cpp")
set(veltrix_guarded_tests "")
foreach(source IN LISTS veltrix_test_sources)
  file(STRINGS "${source}" mentions REGEX "VELTRIX_NO_POSIX")
  if(mentions)
    list(APPEND veltrix_guarded_tests "${source}")
  endif()
endforeach()
if(veltrix_guarded_tests)
  add_library(veltrix_tests_noposix OBJECT ${veltrix_guarded_tests})
  target_compile_definitions(veltrix_tests_noposix PRIVATE VELTRIX_NO_POSIX)
  target_include_directories(veltrix_tests_noposix PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
  target_link_libraries(veltrix_tests_noposix PRIVATE veltrix_gui veltrix_emulator_parts Qt::Test)
endif()
