#pragma once

#include "files/atomicfile.h"
#include "imaging/bitmap.h"

#include <QString>

#include <memory>
#include <vector>

// Uncompressed Windows BMP files with a 40-byte header, rows bottom-up as
// every reader expects.
namespace BmpWriter {

enum class Depth { Bits24 = 24, Bits32 = 32 };

// Replaces any file at path as an AtomicFile: a reader or a crash meets the
// old file or the new one. With 32 bits the fourth byte of each pixel is
// written as it is. Throws FileError when the file cannot be written.
void writeFile(const Bitmap &bitmap, const QString &path, Depth depth,
               AtomicFile::Durability durability = AtomicFile::Durability::Synced);

// A whole BMP file built in memory, for decoders that write their rows
// straight into it: rows() addresses the pixel rows top first (3 or 4 bytes
// a pixel by the depth); header and row padding are already filled in.
class FileImage {
public:
    // Throws ImagingError beyond ImageLimits.
    FileImage(int width, int height, Depth depth);
    uchar *const *rows() const { return m_rows.data(); }
    // As writeFile() does.
    void save(const QString &path, AtomicFile::Durability durability = AtomicFile::Durability::Synced) const;

private:
    std::unique_ptr<uchar[]> m_bytes;
    qint64 m_size = 0;
    std::vector<uchar *> m_rows;
};

} // namespace BmpWriter
