# The memo window with a large page: the start until the board is drawn, and
# one keystroke until it is stored.
paxelo_add_bench(largepage SOURCES largepage_bench.cpp LIBS memo_ui paxelo_storebuilder Qt6::Test)
target_compile_definitions(bench_largepage PRIVATE PAXELO_SCHEMA_FILE="${CMAKE_SOURCE_DIR}/store/schema.sql")
