// Loads any stored value onto a board and checks what the program relies
// on: no crash, no hang, and a board that saves, loads and saves again to
// the same 7-bit bytes.
#include "richtext/richtext.h"

#include <QCoreApplication>
#include <QTextDocument>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static std::unique_ptr<QCoreApplication> app = std::make_unique<QCoreApplication>(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray stored(reinterpret_cast<const char *>(data), qsizetype(size));
    QTextDocument board;
    RichText::load(stored, board);

    const QByteArray saved = RichText::save(board);
    if (!std::all_of(saved.begin(), saved.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        __builtin_trap();
    QTextDocument reloaded;
    RichText::load(saved, reloaded);
    if (RichText::save(reloaded) != saved)
        __builtin_trap();
    return 0;
}
