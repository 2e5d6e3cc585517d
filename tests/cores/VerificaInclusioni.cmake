# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a source under CARTELLA includes anything but the standard
# library and the folders named in CONSENTITI (comma-separated, such as
# "worksheets,exercise"): the cores must build with nothing else around.
#
#   cmake -DCARTELLA=src/exercise -DCONSENTITI=exercise -P VerificaInclusioni.cmake
cmake_minimum_required(VERSION 3.25)
string(REPLACE "," ";" CONSENTITI "${CONSENTITI}")

set(standard
    algorithm any array atomic barrier bit bitset charconv chrono cmath compare complex concepts
    condition_variable coroutine cstddef cstdint cstdio cstdlib cstring ctime cwchar cctype cerrno cfloat
    climits clocale csignal cstdarg cuchar cwctype deque exception execution expected filesystem format
    forward_list fstream functional future initializer_list iomanip ios iosfwd iostream istream iterator
    latch limits list locale map memory memory_resource mutex new numbers numeric optional ostream queue
    random ranges ratio regex scoped_allocator semaphore set shared_mutex source_location span sstream
    stack stdexcept stop_token streambuf string string_view syncstream system_error thread tuple
    type_traits typeindex typeinfo unordered_map unordered_set utility valarray variant vector version
    assert.h ctype.h errno.h float.h limits.h locale.h math.h signal.h stdarg.h stddef.h stdint.h stdio.h
    stdlib.h string.h time.h uchar.h wchar.h wctype.h)

file(GLOB_RECURSE sorgenti "${CARTELLA}/*.h" "${CARTELLA}/*.cpp")
if(NOT sorgenti)
    message(FATAL_ERROR "Nessun sorgente in ${CARTELLA}")
endif()
set(fuori)
foreach(sorgente IN LISTS sorgenti)
    file(STRINGS "${sorgente}" righe REGEX "^[ \t]*#[ \t]*include")
    foreach(riga IN LISTS righe)
        if(riga MATCHES "<([^>]+)>")
            if(NOT CMAKE_MATCH_1 IN_LIST standard)
                list(APPEND fuori "${sorgente}: <${CMAKE_MATCH_1}>")
            endif()
        elseif(riga MATCHES "\"([^\"]+)\"")
            set(incluso "${CMAKE_MATCH_1}")
            string(REGEX REPLACE "/.*" "" radice "${incluso}")
            if(incluso MATCHES "\\.\\." OR NOT incluso MATCHES "/" OR NOT radice IN_LIST CONSENTITI)
                list(APPEND fuori "${sorgente}: \"${incluso}\"")
            endif()
        else()
            list(APPEND fuori "${sorgente}: ${riga}")
        endif()
    endforeach()
endforeach()
if(fuori)
    list(JOIN fuori "\n  " elenco)
    list(JOIN CONSENTITI ", " cartelle)
    message(FATAL_ERROR "Inclusioni fuori da ${cartelle} e dalla libreria standard:\n  ${elenco}")
endif()
