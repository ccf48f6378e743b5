# libFuzzer targets (clang only), built by the "fuzz" preset: one per legacy
# decoder, one for Deflate64, one for the library methods (bzip2, LZMA, XZ,
# Zstandard), one for the whole reader (directory and extraction) and one
# for the paper info file.
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

# The paper info file's reader (and the checks and scoring that use what it
# reads), compiled again with the fuzzing flags.
set(ZELVORA_INFO_FUZZ_SOURCES
  ${PROJECT_SOURCE_DIR}/src/mockexam/PaperInfoReader.cpp ${PROJECT_SOURCE_DIR}/src/mockexam/PaperInfo.cpp
  ${PROJECT_SOURCE_DIR}/src/mockexam/QuestionRanges.cpp ${PROJECT_SOURCE_DIR}/src/mockexam/ExamScore.cpp
  ${PROJECT_SOURCE_DIR}/src/mockexam/ExamAnswers.cpp ${PROJECT_SOURCE_DIR}/src/mockexam/BoardScore.cpp)
add_library(zelvora_info_fuzz STATIC ${ZELVORA_INFO_FUZZ_SOURCES})
target_include_directories(zelvora_info_fuzz PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_compile_options(zelvora_info_fuzz PRIVATE ${ZELVORA_FUZZ_FLAGS})
set_target_properties(zelvora_info_fuzz PROPERTIES AUTOMOC OFF)
target_link_libraries(zelvora_info_fuzz PUBLIC zelvora_text)

add_executable(fuzz_paper_info ${CMAKE_CURRENT_SOURCE_DIR}/fuzz_paper_info.cpp)
target_compile_options(fuzz_paper_info PRIVATE ${ZELVORA_FUZZ_FLAGS})
target_link_options(fuzz_paper_info PRIVATE -fsanitize=fuzzer,address,undefined)
target_link_libraries(fuzz_paper_info PRIVATE zelvora_info_fuzz)
set_target_properties(fuzz_paper_info PROPERTIES AUTOMOC OFF)
