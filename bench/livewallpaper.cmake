# One keystroke until it is stored, with the notes on the desktop kept up to
# date and without.
paxelo_add_bench(livewallpaper SOURCES livewallpaper_bench.cpp LIBS memo_ui paxelo_storebuilder Qt6::Test)
target_compile_definitions(bench_livewallpaper PRIVATE PAXELO_SCHEMA_FILE="${CMAKE_SOURCE_DIR}/store/schema.sql")
