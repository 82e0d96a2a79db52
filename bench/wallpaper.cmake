# The apply from Content.bmp to the final Mix.bmp, beside libjpeg's own
# encode and decode of the same picture (the floor it cannot beat); a
# camera's 4000x3000 picture composed for 1920x1080 and 3840x2160 screens
# beside its floor (reading the picture's file, libjpeg on the screen's
# size); Qt's smooth scaling beside a plain box filter.
paxelo_add_bench(wallpaper SOURCES wallpaper_bench.cpp LIBS memo_wallpaper JPEG::JPEG)
