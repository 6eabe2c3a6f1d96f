# Fails, naming file and line, when a source under the folders in DIRS (separated by
# '|') includes a POSIX header or makes a POSIX call outside a block that a build
# without POSIX leaves out (#ifndef VELTRIX_NO_POSIX, or the #else of
# #ifdef VELTRIX_NO_POSIX). ALLOWED lists files (separated by '|') that only POSIX
# builds compile at all. Standard C and C++ headers (<csignal>, <cstdio>) are fine.
cmake_minimum_required(VERSION 3.16)
string(REPLACE "|" ";" dirs "${DIRS}")
string(REPLACE "|" ";" allowed "${ALLOWED}")
# What a build without POSIX cannot compile, one regular expression each.
set(posix_patterns
  "#[ \t]*include[ \t]*<(unistd|fcntl|termios|pty|poll|dirent|pwd|grp|dlfcn|netdb|pthread|semaphore|spawn|signal|strings|libgen|syslog)\\.h>"
  "#[ \t]*include[ \t]*<(sys|arpa|netinet)/"
  "(^|[^A-Za-z0-9_.>:])(::)?(posix_openpt|grantpt|unlockpt|ptsname|ptsname_r|tcgetattr|tcsetattr|cfmakeraw)[ \t]*\\("
  "(^|[^A-Za-z0-9_.>:])(::)?(getrlimit|setrlimit|getrusage|sigaction|sigemptyset|socketpair|fork|execv|execvp)[ \t]*\\("
  "(^|[^A-Za-z0-9_.>:])(::)?(waitpid|pipe|dup2|isatty|sysconf|clock_gettime|mkfifo)[ \t]*\\("
  "(^|[^A-Za-z0-9_])::(open|close|read|write)[ \t]*\\("
  "SIG(HUP|XFSZ|PIPE|KILL|USR1|USR2|CHLD|ALRM|QUIT)")
set(sources "")
foreach(dir IN LISTS dirs)
  file(GLOB_RECURSE found "${dir}/*.h" "${dir}/*.cpp")
  list(APPEND sources ${found})
endforeach()
list(LENGTH sources count)
if(count EQUAL 0)
  message(FATAL_ERROR "no sources found under ${DIRS}")
endif()

set(offences "")
foreach(source IN LISTS sources)
  if(source IN_LIST allowed)
    continue()
  endif()
  # Directives and the lines that may be POSIX, in order.
  file(STRINGS "${source}" lines REGEX "#|\\(|SIG")
  # One entry per open #if: 1 while its lines are left out without POSIX, 0 otherwise,
  # 2 for "#ifdef VELTRIX_NO_POSIX", whose #else is such a block.
  set(stack "")
  foreach(line IN LISTS lines)
    if(line MATCHES "^[ \t]*#[ \t]*ifndef[ \t]+VELTRIX_NO_POSIX|^[ \t]*#[ \t]*if[ \t]+!defined\\(VELTRIX_NO_POSIX\\)")
      list(APPEND stack 1)
    elseif(line MATCHES "^[ \t]*#[ \t]*ifdef[ \t]+VELTRIX_NO_POSIX|^[ \t]*#[ \t]*if[ \t]+defined\\(VELTRIX_NO_POSIX\\)")
      list(APPEND stack 2)
    elseif(line MATCHES "^[ \t]*#[ \t]*(if|ifdef|ifndef)")
      list(APPEND stack 0)
    elseif(line MATCHES "^[ \t]*#[ \t]*(else|elif)")
      list(POP_BACK stack top)
      if(top EQUAL 2)
        list(APPEND stack 1)
      else()
        list(APPEND stack 0)
      endif()
    elseif(line MATCHES "^[ \t]*#[ \t]*endif")
      list(POP_BACK stack)
    elseif(NOT "1" IN_LIST stack)
      foreach(pattern IN LISTS posix_patterns)
        if(line MATCHES "${pattern}")
          string(STRIP "${line}" shown)
          string(APPEND offences "\n  ${source}: ${shown}")
          break()
        endif()
      endforeach()
    endif()
  endforeach()
endforeach()
if(offences)
  message(FATAL_ERROR "POSIX calls a build without POSIX would compile:${offences}")
endif()
message(STATUS "${count} sources, POSIX calls only where a build without POSIX leaves them out")
