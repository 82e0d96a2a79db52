# The picture readers meet files the user picks: they must survive anything.
paxelo_add_fuzzer(bmp_reader SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_bmp_reader.cpp LIBS memo_imaging)
paxelo_add_fuzzer(jpeg_gif SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_jpeg_gif.cpp LIBS memo_imaging)
paxelo_add_fuzzer(png_webp SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_png_webp.cpp LIBS memo_imaging)
