# The board's RTF stream and a whole page save, beside the bare SQLite update
# of the same bytes.
paxelo_add_bench(rtf SOURCES rtf_bench.cpp LIBS memo_richtext memo_store paxelo_storebuilder)
target_compile_definitions(bench_rtf PRIVATE PAXELO_SCHEMA_FILE="${CMAKE_SOURCE_DIR}/store/schema.sql")
