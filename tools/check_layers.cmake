# Checks the layering of the program's folders:
#   platform <- model <- report <- search <- menu <- app (the console), web (the
#   browser) and experiment (the second program, knapsack-experiment)
# A file may include its own layer and the layers below it, always by folder
# name ("model/moves.hpp"), never by a relative path that could step around the
# rule. The front ends stand side by side and never include each other.
# Nothing in the layers includes the folders beside them, except that the
# browser's front end and the experiment's use quality/ (the exact optimum,
# the experiments' runs and statistics), which itself builds only on the
# layers below the front ends.
#   cmake -DSOURCE_DIR=<repository> -P tools/check_layers.cmake
cmake_minimum_required(VERSION 3.25)
set(layers platform model report search menu app web experiment quality)
set(ranks 0 1 2 3 4 5 5 5 4)
set(beside reference tests bench fuzz tools)
set(front_ends app web experiment)
set(faults "")
foreach(layer IN LISTS layers)
  list(FIND layers ${layer} index)
  list(GET ranks ${index} rank)
  file(GLOB_RECURSE files "${SOURCE_DIR}/${layer}/*.cpp" "${SOURCE_DIR}/${layer}/*.hpp")
  foreach(file IN LISTS files)
    file(STRINGS "${file}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<]")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^[^\"<]*[\"<]([^\">]*)[\">].*$" "\\1" path "${line}")
      string(REGEX MATCH "^[^/]*" folder "${path}")
      list(FIND layers "${folder}" included)
      if(folder STREQUAL "quality" AND NOT layer STREQUAL "quality" AND NOT layer IN_LIST front_ends)
        list(APPEND faults "${file}: \"${path}\" studies the searches; only a front end uses it")
        continue()
      endif()
      list(FIND beside "${folder}" aside)
      if(line MATCHES "<" AND included EQUAL -1 AND aside EQUAL -1)
        continue() # a system or standard header
      endif()
      if(path MATCHES "\\.\\.|^/" OR NOT path MATCHES "/")
        list(APPEND faults "${file}: \"${path}\" does not name a layer's folder")
      elseif(included EQUAL -1)
        list(APPEND faults "${file}: \"${path}\" is not part of the program's layers")
      else()
        list(GET ranks ${included} included_rank)
        if(included_rank GREATER rank)
          list(APPEND faults "${file}: \"${path}\" is a layer above ${layer}")
        elseif(included_rank EQUAL rank AND NOT folder STREQUAL layer)
          list(APPEND faults "${file}: \"${path}\" is a layer beside ${layer}")
        endif()
      endif()
    endforeach()
  endforeach()
endforeach()
if(faults)
  list(JOIN faults "\n" text)
  message(FATAL_ERROR "Layering broken:\n${text}")
endif()
message(STATUS "Layers platform <- model <- report <- search <- menu, quality <- app, web, experiment: every include points downward")
