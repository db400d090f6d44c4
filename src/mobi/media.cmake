# Pictures (decoding, conversion, scaling), the index records and the dictionary compression
# of the compiler.
pkg_check_modules(GDLIB REQUIRED IMPORTED_TARGET gdlib)
target_sources(quillery_mobi PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/picture_codec.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pictures.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ncx_index.cpp
  ${CMAKE_CURRENT_LIST_DIR}/toc_links.cpp
  ${CMAKE_CURRENT_LIST_DIR}/huffman_tables.cpp
  ${CMAKE_CURRENT_LIST_DIR}/huffdic.cpp
)
target_link_libraries(quillery_mobi PRIVATE PkgConfig::GDLIB GIF::GIF)
