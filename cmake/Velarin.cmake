# Each room of the source tree is one library made of every source file below its folder, so a
# new class pair needs no edit here.
function(velarin_glob_sources out dir)
  file(GLOB_RECURSE found CONFIGURE_DEPENDS "${dir}/*.cpp" "${dir}/*.h")
  set(${out} ${found} PARENT_SCOPE)
endfunction()
