# The program's layers, ground first. Each is one static library in the
# folder of its name and may depend only on layers listed before it;
# tools/layercheck holds every #include of the code to the same order.
set(VELMORA_LAYERS base device widgets model i18n maintenance controller window ctl app)

# Which layers each layer may include and link; everything not named is
# out of reach. velmoractl (ctl) stands beside the window, never on it.
set(VELMORA_MAY_USE_base "")
set(VELMORA_MAY_USE_device base)
set(VELMORA_MAY_USE_widgets base)
set(VELMORA_MAY_USE_model base widgets)
set(VELMORA_MAY_USE_i18n base model)
set(VELMORA_MAY_USE_maintenance base device widgets)
set(VELMORA_MAY_USE_controller base device widgets model i18n maintenance)
set(VELMORA_MAY_USE_window base device widgets model i18n maintenance controller)
set(VELMORA_MAY_USE_ctl base device widgets model i18n maintenance controller)
set(VELMORA_MAY_USE_app base device widgets model i18n maintenance controller window ctl)

# The table as tools/layercheck takes it: one "layer:dep,dep" per layer.
set(VELMORA_LAYER_RULES)
foreach(layer IN LISTS VELMORA_LAYERS)
  string(REPLACE ";" "," deps "${VELMORA_MAY_USE_${layer}}")
  list(APPEND VELMORA_LAYER_RULES "${layer}:${deps}")
endforeach()

# velmora_add_layer(<name> SOURCES ... [PUBLIC deps...] [PRIVATE deps...])
# Adds the library velmora_<name>. A dependency on a layer the table does not
# give this one stops the configure step.
function(velmora_add_layer name)
  cmake_parse_arguments(A "" "" "SOURCES;PUBLIC;PRIVATE" ${ARGN})
  list(FIND VELMORA_LAYERS ${name} me)
  if(me LESS 0)
    message(FATAL_ERROR "velmora_add_layer: ${name} is not a layer (${VELMORA_LAYERS})")
  endif()
  foreach(dep IN LISTS A_PUBLIC A_PRIVATE)
    if(dep MATCHES "^velmora_(.+)$" AND NOT dep STREQUAL "velmora_options")
      if(NOT CMAKE_MATCH_1 IN_LIST VELMORA_MAY_USE_${name})
        message(FATAL_ERROR "velmora_${name} may not depend on ${dep}: layers only look down")
      endif()
    endif()
  endforeach()
  list(TRANSFORM A_SOURCES PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/)
  add_library(velmora_${name} STATIC ${A_SOURCES})
  target_include_directories(velmora_${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(velmora_${name} PUBLIC velmora_options ${A_PUBLIC} PRIVATE ${A_PRIVATE})
  # The catalogues collect the texts of every layer the window shows.
  set_property(GLOBAL APPEND PROPERTY VELMORA_LAYER_SOURCES_${name} ${A_SOURCES})
endfunction()
