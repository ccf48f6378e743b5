# libFuzzer targets (clang only), one per decoder, built by the "fuzz" preset.
# The zip sources are compiled again here with coverage instrumentation and
# AddressSanitizer + UndefinedBehaviorSanitizer; the normal build is untouched.
set(ZELVORA_FUZZ_FLAGS -fsanitize=fuzzer-no-link,address,undefined
    -fno-sanitize-recover=undefined -fno-omit-frame-pointer -g)

file(GLOB FUZZ_ZIP_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/zip/*.cpp)
add_library(zelvora_zip_fuzz STATIC ${FUZZ_ZIP_SOURCES})
target_include_directories(zelvora_zip_fuzz PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_compile_options(zelvora_zip_fuzz PRIVATE ${ZELVORA_FUZZ_FLAGS})
target_link_libraries(zelvora_zip_fuzz PUBLIC zelvora_text ZLIB::ZLIB)

function(zelvora_add_fuzzer name)
  add_executable(${name} ${CMAKE_CURRENT_SOURCE_DIR}/${name}.cpp)
  target_compile_options(${name} PRIVATE ${ZELVORA_FUZZ_FLAGS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_libraries(${name} PRIVATE zelvora_zip_fuzz)
  target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
endfunction()

zelvora_add_fuzzer(fuzz_unshrink)
zelvora_add_fuzzer(fuzz_unreduce)
zelvora_add_fuzzer(fuzz_explode)
