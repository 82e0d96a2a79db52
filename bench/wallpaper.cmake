# The apply from Content.bmp to the final Mix.bmp, beside libjpeg's own
# encode and decode of the same picture (the floor it cannot beat).
paxelo_add_bench(wallpaper SOURCES wallpaper_bench.cpp LIBS memo_wallpaper JPEG::JPEG)
