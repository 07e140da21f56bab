# One interface target carries the language level, the warnings and Qt's strictness defines;
# every target of the project links it.
add_library(tallimo_settings INTERFACE)
target_compile_features(tallimo_settings INTERFACE cxx_std_20)
target_compile_options(tallimo_settings INTERFACE
  -Wall -Wextra -pedantic-errors -Wold-style-cast -Wnon-virtual-dtor -Woverloaded-virtual
  -Wshadow -Wconversion -Wsign-conversion
  # GCC 12 reports std::optional<QString> as maybe uninitialized where it is not.
  $<$<CXX_COMPILER_ID:GNU>:-Wno-maybe-uninitialized>)
target_compile_definitions(tallimo_settings INTERFACE
  QT_NO_CAST_FROM_ASCII QT_NO_NARROWING_CONVERSIONS_IN_CONNECT)
target_include_directories(tallimo_settings INTERFACE ${PROJECT_SOURCE_DIR})
if(TALLIMO_WERROR)
  target_compile_options(tallimo_settings INTERFACE -Werror)
endif()
if(TALLIMO_SANITIZE)
  target_compile_options(tallimo_settings INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(tallimo_settings INTERFACE -fsanitize=address,undefined)
endif()

# Copies a file beside the executable so that the program finds it in its own folder.
function(tallimo_ship_file src)
  get_filename_component(name ${src} NAME)
  configure_file(${src} ${TALLIMO_RUNTIME_DIR}/${name} COPYONLY)
endfunction()
