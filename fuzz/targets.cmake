# libFuzzer targets (clang only), built by the "fuzz" preset: one per legacy
# decoder, one for Deflate64, one for the library methods (bzip2, LZMA, XZ,
# Zstandard) and one for the whole reader (directory and extraction).
# The zip sources are compiled again here with coverage instrumentation and
# AddressSanitizer + UndefinedBehaviorSanitizer; the normal build is untouched.
set(ZELVORA_FUZZ_FLAGS -fsanitize=fuzzer-no-link,address,undefined
    -fno-sanitize-recover=undefined -fno-omit-frame-pointer -g)

add_library(zelvora_zip_fuzz STATIC ${ZELVORA_ZIP_SOURCES})
target_include_directories(zelvora_zip_fuzz PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_compile_options(zelvora_zip_fuzz PRIVATE ${ZELVORA_FUZZ_FLAGS})
set_target_properties(zelvora_zip_fuzz PROPERTIES AUTOMOC OFF)
target_link_libraries(zelvora_zip_fuzz PUBLIC zelvora_text ZLIB::ZLIB zelvora_zip_methods)
# Same optional libdeflate as the zip library itself.
if(ZELVORA_ZIP_LIBDEFLATE AND LIBDEFLATE_LIBRARY AND LIBDEFLATE_INCLUDE_DIR)
  target_include_directories(zelvora_zip_fuzz PRIVATE ${LIBDEFLATE_INCLUDE_DIR})
  target_link_libraries(zelvora_zip_fuzz PRIVATE ${LIBDEFLATE_LIBRARY})
  target_compile_definitions(zelvora_zip_fuzz PRIVATE ZELVORA_ZIP_LIBDEFLATE=1)
endif()

function(zelvora_add_fuzzer name)
  add_executable(${name} ${CMAKE_CURRENT_SOURCE_DIR}/${name}.cpp)
  target_compile_options(${name} PRIVATE ${ZELVORA_FUZZ_FLAGS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_libraries(${name} PRIVATE zelvora_zip_fuzz)
  target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
  set_target_properties(${name} PROPERTIES AUTOMOC OFF)
endfunction()

zelvora_add_fuzzer(fuzz_unshrink)
zelvora_add_fuzzer(fuzz_unreduce)
zelvora_add_fuzzer(fuzz_explode)
zelvora_add_fuzzer(fuzz_inflate64)
zelvora_add_fuzzer(fuzz_library_methods)

# The whole reader, once the zip component is part of the tree.
if(EXISTS ${PROJECT_SOURCE_DIR}/src/zip/TUnZipper.h)
  zelvora_add_fuzzer(fuzz_unzipper)
endif()
