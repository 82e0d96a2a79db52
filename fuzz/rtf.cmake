# The RTF reader on any bytes a store may hold; every input that reads also
# saves and reads back to the same bytes.
paxelo_add_fuzzer(rtf_reader SOURCES rtf_reader.cpp LIBS memo_richtext)
