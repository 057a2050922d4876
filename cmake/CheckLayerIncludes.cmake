# Run by the build for each layer (cmake -DFOLDER=src/<layer> -DSTAMP=file -P ...):
# fails when a file of the layer includes a path through "..", which would reach
# a layer above or beside it past the include roots, and touches STAMP otherwise.
file(GLOB files ${FOLDER}/*.h ${FOLDER}/*.cpp)
foreach(file IN LISTS files)
  file(STRINGS ${file} climbing REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<]([^\">]*/)?\\.\\.[/\\\\]")
  if(climbing)
    message(FATAL_ERROR "${file}: an include climbs out of its layer's folder: ${climbing}")
  endif()
endforeach()
file(TOUCH ${STAMP})
