# Shared libraries of the component export only what their public headers
# declare: every class and function there carries the library's export macro
# (include/qvc/<lib>/Export.h); everything else, and every inline function, is
# hidden. Fewer exported symbols also mean less work for the loader at start-up.
function(qvc_hide_internal_symbols target)
  set_target_properties(${target} PROPERTIES CXX_VISIBILITY_PRESET hidden
                                             VISIBILITY_INLINES_HIDDEN ON)
endfunction()
